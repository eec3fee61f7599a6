#pragma once

#include <initializer_list>
#include <string>

#include "runtime/bytes.h"

namespace pexor {

// The executable's directory, without a trailing slash. Symbolic links to the
// executable are followed, so an installed program's run directory is the
// folder of the real file.
std::string runDirectory();
// Makes the run directory the current directory.
void enterRunDirectory();

// The whole file, or the empty buffer when it can't be read.
ByteBuffer readWholeFile(const std::string& path);

// Creates or truncates the file and writes the buffers in order; true when
// every byte was written.
bool writeWholeFile(const std::string& path, std::initializer_list<const ByteBuffer*> buffers);
bool writeWholeFile(const std::string& path, const ByteBuffer& bytes);

// Writes through a temporary file in the same folder that is renamed into
// place, so an existing file is either replaced whole or left as it was.
bool replaceFileAtomically(const std::string& path, const ByteBuffer& bytes);

// Any entry of that name counts, a directory too.
bool fileExists(const std::string& path);

// File attribute bits as the original platform numbers them.
inline constexpr int kAttributeReadOnly = 1;
inline constexpr int kAttributeHidden = 2;
inline constexpr int kAttributeSystem = 4;
inline constexpr int kAttributeArchive = 32;

// Read-only maps to the write permission bits. Hidden, system and archive are
// kept in the user.DOSATTRIB extended attribute (as Samba and Wine keep them)
// where the file system has one, and are otherwise dropped. Returns whether
// the permission change took; the extended attribute is best effort.
bool setFileAttributes(const std::string& path, int attributes);
// The attribute bits as stored, for tests and diagnostics; -1 when unknown.
int fileAttributes(const std::string& path);

}  // namespace pexor
