# Writes a C++ source that carries a file's bytes as a function returning a
# span. Run as: cmake -DINPUT=... -DOUTPUT=... -DFUNCTION=... -DHEADER=... -P embed_file.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
# Sixteen bytes a line.
string(REPEAT "[0-9a-f]" 32 line)
string(REGEX REPLACE "(${line})" "\\1\n" hex "${hex}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
get_filename_component(name "${INPUT}" NAME)
file(WRITE "${OUTPUT}.tmp"
"// The bytes of ${name}, written by embed_file.cmake at build time.
#include \"${HEADER}\"

namespace pexor::resources {
namespace {

alignas(16) const unsigned char kBytes[${size}] = {
${bytes}
};

}  // namespace

std::span<const std::uint8_t> ${FUNCTION}() { return kBytes; }

}  // namespace pexor::resources
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
