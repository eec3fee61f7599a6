#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace pexor {

class MainWindow;

// The page file, written into the run directory at every start.
inline constexpr std::string_view kWelcomePageFile = "woxl.htm";

// Converts a GB2312 (EUC-CN) text to UTF-8 and writes every byte as "%" and
// two uppercase hex digits. A text that does not convert whole (a byte
// sequence outside GB2312, an incomplete character at the end) gives the
// empty text, as does the empty input.
std::string encodeSpeechText(std::string_view gb2312Text);

// A window text in code page 936, the encoding the page's placeholder and
// the speech text are kept in; empty when the text has a character the code
// page lacks.
std::string toCodePage936(const QString& text);

// Replaces every occurrence of `find` in a code page 936 text. The scan walks
// the text character by character, a lead byte taking its trail byte with
// it, so a match is found only where a character begins.
std::string replaceAtCharacters(std::string_view text, std::string_view find,
                                std::string_view with);

// The page for a welcome text in code page 936: the read-aloud template with
// the encoded text in place of the placeholder.
std::string buildWelcomePage(std::string_view welcomeText936);

// Builds the page from the caption of 标签3, writes it to woxl.htm in the run
// directory and points 超文本浏览框1 at it without waiting for it to load.
void showWelcomePage(MainWindow& window);
// The same with the page written into `directory` (no trailing slash).
void showWelcomePageIn(MainWindow& window, const std::string& directory);

}  // namespace pexor
