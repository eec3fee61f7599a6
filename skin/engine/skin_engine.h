#pragma once

#include <cstdint>

// The skin engine's one entry. Reads skin data (skin_format.h) and applies it
// to the running QApplication: widget style, palette and style sheet. It
// takes everything it needs before it returns, so the caller may release the
// data at once, and leaves nothing of its own code in use afterwards: the
// style and style sheet objects belong to Qt.
//
// Arguments: the data's address and length, a zero-terminated password (the
// format has none to check), and three integers kept for the caller's
// flags (unused). Returns skinformat::kApplied or the reason it did nothing.
extern "C" std::int32_t SkinH_AttachRes(const std::uint8_t* data, std::int32_t length,
                                        const char* password, std::int32_t reserved1,
                                        std::int32_t reserved2, std::int32_t reserved3);

// The entry's type, for callers that look it up by name.
using SkinAttachResEntry = std::int32_t (*)(const std::uint8_t*, std::int32_t, const char*,
                                            std::int32_t, std::int32_t, std::int32_t);
