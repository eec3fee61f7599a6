#include "tests/support/test_data.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace pexor::test {

std::string dataPath(const std::string& relative) {
    return std::string(PEXOR_TEST_DATA) + "/" + relative;
}

ByteBuffer readData(const std::string& relative) {
    std::ifstream in(dataPath(relative), std::ios::binary);
    EXPECT_TRUE(in.good()) << "missing test file " << relative;
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    return ByteBuffer(std::move(bytes));
}

}  // namespace pexor::test
