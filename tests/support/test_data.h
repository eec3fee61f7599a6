#pragma once

#include <string>

#include "runtime/bytes.h"

namespace pexor::test {

// A file of the test corpus (tests/data), read whole; fails the test if absent.
std::string dataPath(const std::string& relative);
ByteBuffer readData(const std::string& relative);

}  // namespace pexor::test
