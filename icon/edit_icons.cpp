#include "icon/edit_icons.h"

#include "icon/extraction.h"
#include "icon/templates.h"

namespace pexor {

EditIcons prepareEditIcons(IconFormat format, const PixelBlock& pixels16,
                           const PixelBlock& pixels32) {
    EditIcons icons;
    if (formatHas16(format))
        icons.icon16 = withPixels(template16(), iconTemplateOffsets::kPixels, pixels16);
    if (formatHas32(format))
        icons.icon32 = withPixels(template32(), iconTemplateOffsets::kPixels, pixels32);
    return icons;
}

ByteBuffer commitIconEdits(IconFormat format, const ByteBuffer& outputIcon,
                           const ByteBuffer& editIcon16, const ByteBuffer& editIcon32) {
    switch (format) {
        case IconFormat::Single16: return editIcon16;
        case IconFormat::Single32: return editIcon32;
        case IconFormat::Pair:
            return outputIcon
                .replaced(iconTemplateOffsets::kPairImage16, kImage16Size,
                          editIcon16.last(kImage16Size))
                .replaced(iconTemplateOffsets::kPairImage32, kImage32Size,
                          editIcon32.last(kImage32Size));
        case IconFormat::None: break;
    }
    return outputIcon;
}

bool iconMatchesFormat(IconFormat format, const ByteBuffer& outputIcon,
                       const PixelBlock& pixels16, const PixelBlock& pixels32) {
    const bool blocks16 = !formatHas16(format) || pixels16.size() == kPixelBlock16Size;
    const bool blocks32 = !formatHas32(format) || pixels32.size() == kPixelBlock32Size;
    if (!blocks16 || !blocks32) return false;
    switch (format) {
        case IconFormat::Single16:
            return outputIcon.size() == kTemplate16Size && outputIcon.first(6) == template16().first(6);
        case IconFormat::Single32:
            return outputIcon.size() == kTemplate32Size && outputIcon.first(6) == template32().first(6);
        case IconFormat::Pair:
            return outputIcon.size() == kTemplatePairSize &&
                   outputIcon.first(38) == templatePair().first(38);
        case IconFormat::None: break;
    }
    return false;
}

}  // namespace pexor
