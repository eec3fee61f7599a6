#include "resources/read_aloud_template.h"

#include <initializer_list>

namespace pexor::resources {
namespace {

std::string joinLines(std::initializer_list<std::initializer_list<std::string_view>> lines) {
    std::string text;
    bool first = true;
    for (const auto& runs : lines) {
        if (!first) text += kReadAloudLineBreak;
        first = false;
        for (std::string_view run : runs) text += run;
    }
    return text;
}

}  // namespace

const std::string& readAloudTemplate() {
    static const std::string text = joinLines({
        {"<IFRAME id=audio_iframe hspace=-10 vspace=-15 "},
        {"src=", "\"", "http://", kSpeechServiceHost, "/sockets/tts.asp?"},
        {"dir=zh&amp;speed=0&amp;B=1&amp;ID=", "503142", "&amp;chr=MiaHead&amp;vc=VW%"},
        {"20Lily&amp;text=", kReadAloudPlaceholder, "\"", " frameBorder=0 "},
        {"width=235 scrolling=no height=200 target=", "\"", "_middle", "\"", "></IFRAME>"},
    });
    return text;
}

}  // namespace pexor::resources
