#pragma once

#include <string>
#include <string_view>

namespace pexor::resources {

// Host of the text-to-speech service the welcome page embeds. The name lies
// under the reserved .example top-level domain, so the page never reaches a
// service someone else runs; a deployment that runs its own service at
// /sockets/tts.asp puts that host here.
inline constexpr std::string_view kSpeechServiceHost = "tts.pexor.example";

// The placeholder the welcome text replaces: "朗读内容" in code page 936.
inline constexpr std::string_view kReadAloudPlaceholder = "\xC0\xCA\xB6\xC1\xC4\xDA\xC8\xDD";

// The line break of the page: CR CR LF.
inline constexpr std::string_view kReadAloudLineBreak = "\r\r\n";

// The welcome page in code page 936: five lines holding one IFRAME whose
// source is the speech service with the placeholder as the `text` value.
// The "%20" of the voice name is split by a line break on purpose; the
// browser drops line breaks inside an address, so the escape joins again.
const std::string& readAloudTemplate();

}  // namespace pexor::resources
