#include "runtime/html_view.h"

#include <QResizeEvent>
#include <QUrl>

#ifdef PEXOR_HAVE_WEBENGINE
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>
#endif

namespace pexor {

#ifdef PEXOR_HAVE_WEBENGINE
namespace {

// Addresses come as the original platform wrote them: "file://" followed by
// a plain path, blanks and Chinese characters unescaped. QUrl wants them
// escaped, so local files go through fromLocalFile.
QUrl urlOf(const std::string& address) {
    constexpr std::string_view kFileScheme = "file://";
    if (address.starts_with(kFileScheme))
        return QUrl::fromLocalFile(QString::fromUtf8(address.substr(kFileScheme.size())));
    return QUrl(QString::fromUtf8(address), QUrl::TolerantMode);
}

}  // namespace
#endif

HtmlView::HtmlView(QWidget* parent) : QWidget(parent) {}

HtmlView::~HtmlView() {
    // The page must go before the profile it was made with.
    delete browser_;
    browser_ = nullptr;
    delete profile_;
}

bool HtmlView::hasBrowserComponent() {
#ifdef PEXOR_HAVE_WEBENGINE
    return true;
#else
    return false;
#endif
}

void HtmlView::navigate(const std::string& address) {
    address_ = address;
    loadAddress();
}

void HtmlView::startBrowser() {
    startOnPaint_ = false;
#ifdef PEXOR_HAVE_WEBENGINE
    if (browser_ != nullptr) return;
    // An off-the-record profile: the view keeps no cache, cookies or history
    // on disk, so the program writes no files besides its own.
    auto* profile = new QWebEngineProfile();
    profile_ = profile;
    auto* view = new QWebEngineView(this);
    auto* page = new QWebEnginePage(profile, view);
    view->setPage(page);
    QWebEngineSettings* settings = page->settings();
    // The page is a local file whose frame is the speech service: a local
    // document may only embed a remote one with this set. The service speaks
    // at once, without waiting for a click, as the page intends.
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    settings->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
    view->setContextMenuPolicy(Qt::NoContextMenu);
    view->setFocusPolicy(Qt::NoFocus);
    view->setGeometry(rect());
    view->show();
    browser_ = view;
    loadAddress();
#endif
}

void HtmlView::startBrowserAfterFirstPaint() {
    if (hasBrowserComponent() && browser_ == nullptr) {
        startOnPaint_ = true;
        update();
    }
}

void HtmlView::loadAddress() {
#ifdef PEXOR_HAVE_WEBENGINE
    if (auto* view = static_cast<QWebEngineView*>(browser_); view && !address_.empty())
        view->load(urlOf(address_));
#endif
}

void HtmlView::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (startOnPaint_) {
        startOnPaint_ = false;
        // Queued: the window's first frame reaches the screen before the
        // browser starts.
        QMetaObject::invokeMethod(this, &HtmlView::startBrowser, Qt::QueuedConnection);
    }
}

void HtmlView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (browser_ != nullptr) browser_->setGeometry(rect());
}

}  // namespace pexor
