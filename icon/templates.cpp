#include "icon/templates.h"

#include "resources/icon_templates.h"

namespace pexor {

const ByteBuffer& iconTemplates() {
    // Braces: with parentheses this declares a function (clang reads it so).
    static const ByteBuffer block{std::span<const std::uint8_t>(resources::iconTemplates)};
    return block;
}

ByteBuffer template16() {
    return iconTemplates().first(kTemplate16Size);
}

ByteBuffer template32() {
    return iconTemplates().mid(iconTemplateOffsets::kTemplate32Start, kTemplate32Size);
}

ByteBuffer templatePair() {
    return iconTemplates().last(kTemplatePairSize);
}

}  // namespace pexor
