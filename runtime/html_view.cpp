#include "runtime/html_view.h"

#include <dlfcn.h>
#include <sys/mman.h>
#include <unistd.h>

#include <QResizeEvent>
#include <QUrl>

#include <cstdio>

namespace pexor {
namespace {

using CreateBrowser = QWidget* (*)(QWidget* parent);
using LoadUrl = void (*)(QWidget* browser, const char* url);

struct BrowserModule {
    std::span<const std::uint8_t> image;
    bool tried = false;
    CreateBrowser create = nullptr;
    LoadUrl load = nullptr;
};

BrowserModule& browserModule() {
    static BrowserModule module;
    return module;
}

// Loads the module straight from memory: an anonymous file holds the image
// and the loader opens it through /proc, so nothing is written beside the
// program. The module stays loaded for the rest of the process: its
// widgets may live until the very end.
bool loadBrowserModule(BrowserModule& module) {
    if (module.tried) return module.create != nullptr;
    module.tried = true;
    if (module.image.empty()) return false;
    const int fd = ::memfd_create("pexor-browser", MFD_CLOEXEC);
    if (fd < 0) return false;
    const std::uint8_t* p = module.image.data();
    std::size_t left = module.image.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n <= 0) break;
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    void* handle = nullptr;
    if (left == 0) {
        char path[64];
        std::snprintf(path, sizeof path, "/proc/self/fd/%d", fd);
        handle = ::dlopen(path, RTLD_NOW | RTLD_LOCAL);
    }
    ::close(fd);
    if (handle == nullptr) return false;
    module.create = reinterpret_cast<CreateBrowser>(::dlsym(handle, "pexorBrowserCreate"));
    module.load = reinterpret_cast<LoadUrl>(::dlsym(handle, "pexorBrowserLoad"));
    if (module.create == nullptr || module.load == nullptr) {
        module.create = nullptr;
        return false;
    }
    return true;
}

// Addresses come as the original platform wrote them: "file://" followed by
// a plain path, blanks and Chinese characters unescaped. The browser wants
// them escaped, so local files go through fromLocalFile.
QByteArray urlOf(const std::string& address) {
    constexpr std::string_view kFileScheme = "file://";
    if (address.starts_with(kFileScheme))
        return QUrl::fromLocalFile(QString::fromUtf8(address.substr(kFileScheme.size())))
            .toEncoded();
    return QUrl(QString::fromUtf8(address), QUrl::TolerantMode).toEncoded();
}

}  // namespace

HtmlView::HtmlView(QWidget* parent) : QWidget(parent) {}

HtmlView::~HtmlView() = default;

void HtmlView::setBrowserModule(std::span<const std::uint8_t> image) {
    BrowserModule& module = browserModule();
    if (module.tried) return;  // the first module loaded stays
    module.image = image;
}

bool HtmlView::hasBrowserComponent() {
    return !browserModule().image.empty();
}

void HtmlView::navigate(const std::string& address) {
    address_ = address;
    loadAddress();
}

void HtmlView::startBrowser() {
    startOnPaint_ = false;
    if (browser_ != nullptr || !loadBrowserModule(browserModule())) return;
    browser_ = browserModule().create(this);
    browser_->setGeometry(rect());
    browser_->show();
    loadAddress();
}

void HtmlView::startBrowserAfterFirstPaint() {
    if (hasBrowserComponent() && browser_ == nullptr) {
        startOnPaint_ = true;
        update();
    }
}

void HtmlView::loadAddress() {
    if (browser_ != nullptr && !address_.empty())
        browserModule().load(browser_, urlOf(address_).constData());
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
