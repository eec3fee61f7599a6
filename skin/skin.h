#pragma once

#include <string>
#include <string_view>

namespace pexor {

// The skin engine library's file name in the run directory: written there,
// tested for and loaded under this one name.
inline constexpr std::string_view kSkinEngineFile = "pexor_skin.dll";
// The engine's entry.
inline constexpr std::string_view kSkinEntry = "SkinH_AttachRes";
// The skin the main window is given at start.
inline constexpr int kStartSkin = 5;

// Makes sure the engine file is in the run directory: when no entry of that
// name exists (a directory counts as one), writes the carried engine there
// and marks it hidden. An existing entry is never examined or replaced.
void installSkinEngine();
// The same for another directory (no trailing slash).
void installSkinEngineIn(const std::string& directory);

// Installs the engine and hands it a fresh copy of skin `number` (1 to 33;
// any other number passes no data), released after the call. A missing
// engine or entry is the run time's fatal error.
void applySkin(int number);
// The same with the engine installed in and loaded from `directory` first.
void applySkinIn(const std::string& directory, int number);

}  // namespace pexor
