#include "welcome/welcome_page.h"

#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/read_aloud_template.h"
#include "runtime/files.h"
#include "runtime/html_view.h"
#include "tests/support/scripted_prompts.h"
#include "ui/main/main_window.h"

namespace pexor {
namespace {

// Code page 936 bytes of the characters the cases use.
constexpr const char* k欢 = "\xBB\xB6";                                   // in GB2312
constexpr const char* kGbkOnly = "\x81\x40";                              // 丂: GBK only
constexpr const char* kPlaceholder = "\xC0\xCA\xB6\xC1\xC4\xDA\xC8\xDD";  // 朗读内容

struct EncodeCase {
    std::string text;
    std::string encoded;
};

TEST(EncodeSpeechText, EveryByteOfTheUtf8BecomesTwoUppercaseHexDigits) {
    const std::vector<EncodeCase> cases = {
        {"AB", "%41%42"},
        {"\r\n", "%0D%0A"},
        {"a b", "%61%20%62"},
        {k欢, "%E6%AC%A2"},
        {std::string("Pexor") + k欢, "%50%65%78%6F%72%E6%AC%A2"},
        {"", ""},
        // Nothing of a text that does not convert whole survives.
        {std::string("AB") + kGbkOnly, ""},
        {kGbkOnly, ""},
        {"AB\xBB", ""},  // a lead byte without its trail byte
    };
    for (const EncodeCase& c : cases) EXPECT_EQ(encodeSpeechText(c.text), c.encoded) << c.text;
}

TEST(ReplaceAtCharacters, MatchesOnlyWhereACharacterBegins) {
    struct Case {
        std::string text, find, with, result;
    };
    const std::string p = kPlaceholder;
    const std::vector<Case> cases = {
        {"a" + p + "b" + p, p, "X", "aXbX"},
        {p, p, "", ""},
        {"none here", p, "X", "none here"},
        // \xA1\xC0 is one character; the placeholder's bytes that follow its
        // lead byte start inside it and are no match.
        {"\xA1" + p.substr(0, 7), p.substr(0, 7), "X", "\xA1" + p.substr(0, 7)},
        {"\xA1\xA1" + p, p, "X", "\xA1\xA1X"},
    };
    for (const Case& c : cases) EXPECT_EQ(replaceAtCharacters(c.text, c.find, c.with), c.result);
}

// The page as the template's table lays it out, built here run by run.
std::string expectedPage(const std::string& encodedText) {
    const std::string q = "\"", br = "\r\r\n";
    return "<IFRAME id=audio_iframe hspace=-10 vspace=-15 " + br + "src=" + q + "http://" +
           std::string(resources::kSpeechServiceHost) + "/sockets/tts.asp?" + br +
           "dir=zh&amp;speed=0&amp;B=1&amp;ID=" + "503142" + "&amp;chr=MiaHead&amp;vc=VW%" + br +
           "20Lily&amp;text=" + encodedText + q + " frameBorder=0 " + br +
           "width=235 scrolling=no height=200 target=" + q + "_middle" + q + "></IFRAME>";
}

std::string readText(const std::string& path) {
    const ByteBuffer bytes = readWholeFile(path);
    return std::string(bytes.vector().begin(), bytes.vector().end());
}

struct WelcomePageTest : testing::Test {
    ProgramState state;
    test::ScriptedPrompts prompts;
    MainWindow window{state, prompts};
    QTemporaryDir temp;

    std::string folder(const std::string& name = "run") {
        const std::string path = temp.path().toStdString() + "/" + name;
        QDir().mkpath(QString::fromStdString(path));
        return path;
    }
};

TEST_F(WelcomePageTest, TemplateHoldsThePlaceholderOnceAsCodePage936) {
    const std::string& page = resources::readAloudTemplate();
    EXPECT_EQ(page, expectedPage(kPlaceholder));
    EXPECT_EQ(page.find(kPlaceholder), page.rfind(kPlaceholder));
}

TEST_F(WelcomePageTest, PageFileHoldsTheEncodedCaptionByteForByte) {
    window.标签3->setText(QStringLiteral("欢迎 AB"));
    const std::string dir = folder();
    // A longer page from an earlier start is cut to the new one.
    writeWholeFile(dir + "/woxl.htm", ByteBuffer(std::vector<std::uint8_t>(5000, 'x')));

    showWelcomePageIn(window, dir);

    EXPECT_EQ(readText(dir + "/woxl.htm"), expectedPage("%E6%AC%A2%E8%BF%8E%20%41%42"));
    EXPECT_EQ(window.超文本浏览框1->address(), "file://" + dir + "/woxl.htm");
    // Tests that do not look at the page never start the browser.
    EXPECT_EQ(window.超文本浏览框1->browser(), nullptr);
}

TEST_F(WelcomePageTest, TheProgramsWelcomeTextIsSpokenWhole) {
    const std::string dir = folder();
    showWelcomePageIn(window, dir);
    const std::string page = readText(dir + "/woxl.htm");
    const std::string encoded = encodeSpeechText(toCodePage936(QString::fromUtf8(kWelcomeText)));
    ASSERT_FALSE(encoded.empty()) << "the welcome text must be all GB2312";
    EXPECT_EQ(page, expectedPage(encoded));
}

TEST_F(WelcomePageTest, CaptionOutsideGb2312LeavesTheTextValueEmpty) {
    // A character only GBK holds, and one code page 936 lacks altogether.
    for (const QString& caption :
         {QStringLiteral("欢迎丂"), QStringLiteral("欢迎\U0001F600"), QString()}) {
        window.标签3->setText(caption);
        const std::string dir = folder();
        showWelcomePageIn(window, dir);
        const std::string page = readText(dir + "/woxl.htm");
        EXPECT_EQ(page, expectedPage("")) << caption.toStdString();
        EXPECT_NE(page.find("&amp;text=\" frameBorder=0 "), std::string::npos);
    }
}

TEST_F(WelcomePageTest, AddressKeepsBlanksAndChineseAsTheyAre) {
    const std::string dir = folder("with blank 中文");
    showWelcomePageIn(window, dir);
    EXPECT_EQ(window.超文本浏览框1->address(), "file://" + dir + "/woxl.htm");
    EXPECT_TRUE(fileExists(dir + "/woxl.htm"));
}

TEST_F(WelcomePageTest, PageThatCannotBeWrittenIsStillNavigatedTo) {
    const std::string dir = temp.path().toStdString() + "/missing";
    showWelcomePageIn(window, dir);
    EXPECT_FALSE(fileExists(dir + "/woxl.htm"));
    EXPECT_EQ(window.超文本浏览框1->address(), "file://" + dir + "/woxl.htm");
}

}  // namespace
}  // namespace pexor
