// The browser module: a Qt WebEngine view set up for the welcome page. See
// browser_module.h for why it is a module.
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QWidget>

namespace {

// Holds the view and the profile its page was made with; the page must go
// before the profile.
class BrowserHost : public QWidget {
public:
    explicit BrowserHost(QWidget* parent) : QWidget(parent) {
        // An off-the-record profile: the view keeps no cache, cookies or
        // history on disk, so the program writes no files besides its own.
        profile_ = new QWebEngineProfile();
        view_ = new QWebEngineView(this);
        auto* page = new QWebEnginePage(profile_, view_);
        view_->setPage(page);
        QWebEngineSettings* settings = page->settings();
        // The page is a local file whose frame is the speech service: a
        // local document may only embed a remote one with this set. The
        // service speaks at once, without waiting for a click.
        settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
        settings->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
        view_->setContextMenuPolicy(Qt::NoContextMenu);
        view_->setFocusPolicy(Qt::NoFocus);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view_);
    }
    ~BrowserHost() override {
        delete view_;
        delete profile_;
    }
    void load(const QUrl& url) { view_->load(url); }

private:
    QWebEngineProfile* profile_;
    QWebEngineView* view_;
};

}  // namespace

extern "C" __attribute__((visibility("default"))) QWidget* pexorBrowserCreate(QWidget* parent) {
    return new BrowserHost(parent);
}

extern "C" __attribute__((visibility("default"))) void pexorBrowserLoad(QWidget* browser,
                                                                        const char* url) {
    static_cast<BrowserHost*>(browser)->load(QUrl::fromEncoded(QByteArray(url)));
}
