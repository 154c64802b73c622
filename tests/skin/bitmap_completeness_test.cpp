#include "skin/bitmap_completeness.h"

#include <gtest/gtest.h>

#include <vector>

namespace kelvane {
namespace {

// The file header and a 40-byte info header.
std::vector<unsigned char> headers(std::int32_t width, std::int32_t height, int bits,
                                   std::uint32_t compression = 0, std::uint32_t imageSize = 0) {
    std::vector<unsigned char> b(54, 0);
    const auto put = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    b[0] = 'B', b[1] = 'M', b[26] = 1, b[28] = static_cast<unsigned char>(bits);
    put(10, 54), put(14, 40), put(18, width), put(22, height), put(30, compression);
    put(34, imageSize);
    return b;
}

BitmapCompleteness check(const std::vector<unsigned char>& head, std::uint64_t fileSize) {
    return checkBitmapCompleteness(head.data(), head.size(), fileSize);
}

TEST(BitmapCompleteness, PixelDataMustBeThereInFull) {
    using enum BitmapCompleteness;
    EXPECT_EQ(check(headers(512, 448, 24), 54 + 1536 * 448), Complete);
    EXPECT_EQ(check(headers(512, 448, 24), 54 + 1536 * 448 - 1), Truncated);
    // Rows of 9 bytes are padded to 12; a top-down (negative) height counts too.
    EXPECT_EQ(check(headers(3, -2, 24), 54 + 24), Complete);
    EXPECT_EQ(check(headers(3, -2, 24), 54 + 18), Truncated);
    // Compressed data: only the stated size can be checked.
    EXPECT_EQ(check(headers(512, 448, 8, 1, 5000), 54 + 4999), Truncated);
}

TEST(BitmapCompleteness, CutHeadersAbsurdSizesAndOtherFiles) {
    using enum BitmapCompleteness;
    const auto screen = headers(512, 448, 24);
    EXPECT_EQ(checkBitmapCompleteness(screen.data(), 30, 30), Truncated);
    EXPECT_EQ(check(headers(0x7fffffff, 0x7fffffff, 32), 1 << 20), Truncated);
    EXPECT_EQ(check({0, 0, 2, 0, 0, 0, 0, 0, 0, 0}, 100), NotABitmap);
}

}  // namespace
}  // namespace kelvane
