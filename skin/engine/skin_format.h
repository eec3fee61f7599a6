#pragma once

// The skin data format the engine reads.
//
//   offset  size  content
//   0       4     ".SHE"
//   4       4     format version, little-endian: 1
//   8       4     length n of the description, little-endian
//   12      n     the description, UTF-8 text
//   12 + n  ...   padding, ignored
//
// The description is a list of lines. Before a line "[stylesheet]" each line
// is "key=value"; "#" starts a comment line. Keys:
//   name=<text>            the skin's name
//   style=<name>           a Qt widget style, as QStyleFactory names it
//   palette.<Role>=#rrggbb a colour of the active and inactive groups
//   disabled.<Role>=#rrggbb a colour of the disabled group
// where <Role> is a QPalette::ColorRole name (Window, WindowText, Button, ...).
// Everything after "[stylesheet]" is the application's style sheet.

#include <cstddef>
#include <cstdint>

namespace pexor::skinformat {

inline constexpr char kMagic[4] = {'.', 'S', 'H', 'E'};
inline constexpr std::uint32_t kVersion = 1;
inline constexpr std::size_t kHeaderSize = 12;
inline constexpr const char* kStyleSheetMarker = "[stylesheet]";

// Results of SkinH_AttachRes.
inline constexpr std::int32_t kApplied = 0;
inline constexpr std::int32_t kNoData = 1;
inline constexpr std::int32_t kNotASkin = 2;
inline constexpr std::int32_t kNoApplication = 3;

}  // namespace pexor::skinformat
