#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "largest_allocation.h"
#include "ps2-packer/run_length.h"

namespace {

using kelvane::tools::Bytes;
using kelvane::tools::packRunLength;
using kelvane::tools::unpackRunLength;

// "KRLE", the declared size (little endian), then the data.
Bytes packedFile(std::uint32_t declared, const Bytes& data) {
    Bytes file{'K', 'R', 'L', 'E'};
    for (int shift = 0; shift < 32; shift += 8)
        file.push_back(static_cast<std::uint8_t>(declared >> shift));
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

struct UnpackCase {
    const char* name;
    Bytes file;
    std::optional<Bytes> expected;
};

void PrintTo(const UnpackCase& c, std::ostream* os) {
    *os << c.name;
}

class Unpack : public ::testing::TestWithParam<UnpackCase> {};

TEST_P(Unpack, GivesTheBytesOrRefusesWithoutReservingMoreThanTheDataHolds) {
    const UnpackCase& c = GetParam();
    kelvane::testing::resetLargestAllocation();
    EXPECT_EQ(unpackRunLength(c.file), c.expected);
    // Never more than the data can unpack to: 64 bytes for every two bytes.
    EXPECT_LE(kelvane::testing::largestAllocation(), 64 * c.file.size());
}

const Bytes k128Sevens(128, 7);

INSTANTIATE_TEST_SUITE_P(
    RunLength, Unpack,
    ::testing::Values(
        UnpackCase{"LongestRun", packedFile(128, {129, 7}), k128Sevens},
        UnpackCase{"LiteralsThenRun", packedFile(5, {1, 'a', 'b', 254, 'c'}),
                   Bytes{'a', 'b', 'c', 'c', 'c'}},
        UnpackCase{"NoOpControlByte", packedFile(1, {128, 0, 'x'}), Bytes{'x'}},
        UnpackCase{"Empty", packedFile(0, {}), Bytes{}},
        UnpackCase{"SizeOneMoreThanTheDataCanHold", packedFile(129, {129, 7}), std::nullopt},
        UnpackCase{"SizeOfFourGiBWithAFewBytes", packedFile(0xFFFFFFFF, {129, 7}), std::nullopt},
        UnpackCase{"SizeOfFourGiBWithNoData", packedFile(0xFFFFFFFF, {}), std::nullopt},
        UnpackCase{"SizeLargerThanTheRuns", packedFile(200, {129, 7, 129, 7}), std::nullopt},
        UnpackCase{"SizeSmallerThanTheRuns", packedFile(127, {129, 7}), std::nullopt},
        UnpackCase{"LiteralCutShort", packedFile(3, {2, 'a', 'b'}), std::nullopt},
        UnpackCase{"RunWithoutItsByte", packedFile(3, {254}), std::nullopt},
        UnpackCase{"WrongMagic", Bytes{'K', 'R', 'L', 'X', 0, 0, 0, 0}, std::nullopt},
        UnpackCase{"HeaderCutShort", Bytes{'K', 'R', 'L', 'E', 0, 0, 0}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
