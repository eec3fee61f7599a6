#include "skin/skin.h"

#include <cstdint>
#include <vector>

#include "runtime/bytes.h"
#include "runtime/files.h"
#include "skin/engine/skin_engine.h"
#include "skin/library_entry.h"
#include "skin/skin_resources.h"

namespace pexor {
namespace {

std::string enginePath(const std::string& directory) {
    return directory + "/" + std::string(kSkinEngineFile);
}

}  // namespace

void installSkinEngine() {
    installSkinEngineIn(runDirectory());
}

void installSkinEngineIn(const std::string& directory) {
    if (fileExists(enginePath(directory))) return;
    // Neither result is looked at: a file that can't be written leaves the
    // load to the system's library search. The file appears whole, through a
    // rename, so a second copy of the program starting at the same moment
    // never loads a half-written library.
    replaceFileAtomically(enginePath(directory), ByteBuffer(resources::skinEngineImage()));
    setFileAttributes(enginePath(directory), kAttributeHidden);
}

void applySkin(int number) {
    applySkinIn(runDirectory(), number);
}

void applySkinIn(const std::string& directory, int number) {
    installSkinEngineIn(directory);
    const std::span<const std::uint8_t> carried = resources::skinTable(number);
    // The engine gets its own copy, released as soon as it returns.
    std::vector<std::uint8_t> copy(carried.begin(), carried.end());
    static const char kNoPassword[] = "";
    const auto attach = reinterpret_cast<SkinAttachResEntry>(
        libraryEntry(std::string(kSkinEngineFile), std::string(kSkinEntry), directory));
    attach(copy.empty() ? nullptr : copy.data(), static_cast<std::int32_t>(copy.size()),
           kNoPassword, 0, 0, 0);
}

}  // namespace pexor
