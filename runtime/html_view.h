#pragma once

#include <QWidget>

#include <string>

namespace pexor {

// The HTML view control. It remembers the address it was told to show and
// hosts a browser component (Qt WebEngine) that renders it. The component is
// costly to bring up (its own helper processes, a noticeable part of a
// second), so it is created only when the view is told to start it; until
// then the view keeps the address and shows nothing. Builds without WebEngine
// never get a browser and the view stays plain.
class HtmlView : public QWidget {
    Q_OBJECT
public:
    explicit HtmlView(QWidget* parent);
    ~HtmlView() override;

    // Starts showing the address and returns at once; a view whose browser
    // has not started yet shows it once the browser starts.
    void navigate(const std::string& address);
    const std::string& address() const { return address_; }

    // Creates the browser component and has it load the address. Does
    // nothing when it already runs or the build has none.
    void startBrowser();
    // Starts the browser right after the view has first been painted, so that
    // the window it sits in is on screen before the browser's start-up work.
    void startBrowserAfterFirstPaint();
    // The browser component (a QWebEngineView), or null while not started.
    QWidget* browser() const { return browser_; }
    // Whether this build has a browser component at all.
    static bool hasBrowserComponent();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void loadAddress();

    std::string address_;
    QWidget* browser_ = nullptr;
    QObject* profile_ = nullptr;
    bool startOnPaint_ = false;
};

}  // namespace pexor
