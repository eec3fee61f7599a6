#pragma once

#include <optional>

#include "icon/colour_grid.h"
#include "icon/icon_format.h"
#include "runtime/bytes.h"

namespace pexor {

// The editable one-image icons of a format: the template of each size of the
// format with its extracted pixels and an all-zero mask. A size the format
// doesn't have is left out (its old icon stays where it is kept).
struct EditIcons {
    std::optional<ByteBuffer> icon16;
    std::optional<ByteBuffer> icon32;
};
EditIcons prepareEditIcons(IconFormat format, const PixelBlock& pixels16,
                           const PixelBlock& pixels32);

// The output icon after the editor's OK: the edited file itself in the
// one-image formats; in the two-image format the two edited images written
// into the existing pair, whose first 38 bytes stay. No format: unchanged.
ByteBuffer commitIconEdits(IconFormat format, const ByteBuffer& outputIcon,
                           const ByteBuffer& editIcon16, const ByteBuffer& editIcon32);

// Whether the output icon is the file an extraction in this format makes,
// with complete pixel blocks for each of its sizes: the editor can only
// start from, and commit into, such an icon.
bool iconMatchesFormat(IconFormat format, const ByteBuffer& outputIcon,
                       const PixelBlock& pixels16, const PixelBlock& pixels32);

}  // namespace pexor
