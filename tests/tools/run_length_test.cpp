#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <optional>

#include "ps2-packer/run_length.h"

namespace kelvane::testing {
extern std::atomic<std::size_t> largestAllocation;  // largest_allocation.cpp
}  // namespace kelvane::testing

namespace {

using kelvane::tools::Bytes;
using kelvane::tools::unpackRunLength;

// "KRLE", the declared size (little endian), then the data.
Bytes packedFile(std::uint32_t declared, const Bytes& data) {
    Bytes file{'K', 'R', 'L', 'E'};
    for (int shift = 0; shift < 32; shift += 8)
        file.push_back(static_cast<std::uint8_t>(declared >> shift));
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

// Gives the bytes or refuses, and never reserves more than the data can
// unpack to: 64 bytes for every two bytes.
TEST(Unpack, GivesTheBytesOrRefusesWithoutReservingMoreThanTheDataHolds) {
    const Bytes k128Sevens(128, 7);
    const struct {
        const char* name;
        Bytes file;
        std::optional<Bytes> expected;
    } rows[] = {
        {"LongestRun", packedFile(128, {129, 7}), k128Sevens},
        {"LiteralsThenRun", packedFile(5, {1, 'a', 'b', 254, 'c'}), Bytes{'a', 'b', 'c', 'c', 'c'}},
        {"Empty", packedFile(0, {}), Bytes{}},
        {"SizeOneMoreThanTheDataCanHold", packedFile(129, {129, 7}), std::nullopt},
        {"SizeOfFourGiBWithAFewBytes", packedFile(0xFFFFFFFF, {129, 7}), std::nullopt},
        {"SizeLargerThanTheRuns", packedFile(130, {129, 7, 0, 'x'}), std::nullopt},
        {"LiteralCutShort", packedFile(3, {2, 'a', 'b'}), std::nullopt},
        {"RunWithoutItsByte", packedFile(3, {254}), std::nullopt},
        {"WrongMagic", Bytes{'K', 'R', 'L', 'X', 0, 0, 0, 0}, std::nullopt},
        {"HeaderCutShort", Bytes{'K', 'R', 'L', 'E', 0, 0, 0}, std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        kelvane::testing::largestAllocation = 0;
        EXPECT_EQ(unpackRunLength(row.file), row.expected);
        EXPECT_LE(kelvane::testing::largestAllocation.load(), 64 * row.file.size());
    }
}

}  // namespace
