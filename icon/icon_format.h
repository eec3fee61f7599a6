#pragma once

namespace pexor {

// The icon format as the main window's radio buttons choose it.
enum class IconFormat { None, Single16, Single32, Pair };

constexpr bool formatHas16(IconFormat f) {
    return f == IconFormat::Single16 || f == IconFormat::Pair;
}
constexpr bool formatHas32(IconFormat f) {
    return f == IconFormat::Single32 || f == IconFormat::Pair;
}

}  // namespace pexor
