#include "welcome/welcome_page.h"

#include <iconv.h>

#include <QLabel>

#include <cerrno>
#include <optional>

#include "resources/read_aloud_template.h"
#include "runtime/bytes.h"
#include "runtime/files.h"
#include "runtime/html_view.h"
#include "ui/main/main_window.h"
#include "welcome/browser/browser_module.h"

namespace pexor {
namespace {

// The whole text converted, or nothing: no transliteration, no skipping, and
// an incomplete sequence at the end fails like an invalid one.
std::optional<std::string> convertWhole(const char* from, const char* to, std::string_view text) {
    iconv_t cd = ::iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out(text.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    bool ok = ::iconv(cd, &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
    // Flush any shift state; the encodings used here have none, but a
    // stateful one would end its output here.
    ok = ok && ::iconv(cd, nullptr, nullptr, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
    ::iconv_close(cd);
    if (!ok || inLeft != 0) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

// A lead byte of a two-byte character in code page 936.
bool isLeadByte(unsigned char byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

}  // namespace

std::string encodeSpeechText(std::string_view gb2312Text) {
    const std::optional<std::string> utf8 = convertWhole("GB2312", "UTF-8", gb2312Text);
    if (!utf8) return {};
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(utf8->size() * 3);
    for (const unsigned char byte : *utf8) {
        encoded += '%';
        encoded += kHex[byte >> 4];
        encoded += kHex[byte & 0x0F];
    }
    return encoded;
}

std::string toCodePage936(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return convertWhole("UTF-8", "CP936", std::string_view(utf8.constData(), utf8.size()))
        .value_or(std::string());
}

std::string replaceAtCharacters(std::string_view text, std::string_view find,
                                std::string_view with) {
    if (find.empty()) return std::string(text);
    std::string result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.substr(i, find.size()) == find) {
            result += with;
            i += find.size();
            continue;
        }
        const std::size_t step =
            isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
        result += text.substr(i, step);
        i += step;
    }
    return result;
}

std::string buildWelcomePage(std::string_view welcomeText936) {
    return replaceAtCharacters(resources::readAloudTemplate(), resources::kReadAloudPlaceholder,
                               encodeSpeechText(welcomeText936));
}

void showWelcomePage(MainWindow& window) {
    showWelcomePageIn(window, runDirectory());
}

void showWelcomePageIn(MainWindow& window, const std::string& directory) {
    const std::string page = buildWelcomePage(toCodePage936(window.标签3->text()));
    const std::string path = directory + "/" + std::string(kWelcomePageFile);
    // A page that can't be written is not reported: the view then shows
    // whatever is at the address, an older page or the browser's own notice.
    writeWholeFile(path, ByteBuffer::fromString(page));
    // The page is seen through the browser this program carries.
    HtmlView::setBrowserModule(resources::browserModuleImage());
    window.超文本浏览框1->navigate("file://" + path);
}

}  // namespace pexor
