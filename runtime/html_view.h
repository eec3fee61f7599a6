#pragma once

#include <QWidget>

#include <cstdint>
#include <span>
#include <string>

namespace pexor {

// The HTML view control. It remembers the address it was told to show and
// hosts a browser component that renders it. The component (Qt WebEngine)
// is costly to bring up: its libraries, its helper processes, a noticeable
// part of a second. So it comes as a module that is loaded, and a browser
// created, only when the view is told to start it; until then the view keeps
// the address and shows nothing. Without a module the view stays plain.
class HtmlView : public QWidget {
    Q_OBJECT
public:
    explicit HtmlView(QWidget* parent);
    ~HtmlView() override;

    // The browser module's file image, carried by the program (see
    // welcome/browser/browser_module.h for its two entries). Kept by
    // reference: the bytes must live as long as the program.
    static void setBrowserModule(std::span<const std::uint8_t> image);
    // Whether a browser module has been given.
    static bool hasBrowserComponent();

    // Starts showing the address and returns at once; a view whose browser
    // has not started yet shows it once the browser starts.
    void navigate(const std::string& address);
    const std::string& address() const { return address_; }

    // Loads the module if need be, creates the browser and has it load the
    // address. Does nothing when it already runs or there is no module, and
    // when the module can't be loaded the view stays plain.
    void startBrowser();
    // Starts the browser right after the view has first been painted, so that
    // the window it sits in is on screen before the browser's start-up work.
    void startBrowserAfterFirstPaint();
    // The browser component, or null while not started.
    QWidget* browser() const { return browser_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void loadAddress();

    std::string address_;
    QWidget* browser_ = nullptr;
    bool startOnPaint_ = false;
};

}  // namespace pexor
