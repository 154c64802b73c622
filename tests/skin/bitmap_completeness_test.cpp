#include "skin/bitmap_completeness.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace kelvane {
namespace {

void putU32(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

// The two headers of a bitmap with a 40-byte info header.
std::vector<unsigned char> bitmapHeaders(std::int32_t width, std::int32_t height, int bits,
                                         std::uint32_t compression = 0,
                                         std::uint32_t imageSize = 0) {
    std::vector<unsigned char> b(54, 0);
    b[0] = 'B';
    b[1] = 'M';
    putU32(b, 10, 54);
    putU32(b, 14, 40);
    putU32(b, 18, static_cast<std::uint32_t>(width));
    putU32(b, 22, static_cast<std::uint32_t>(height));
    b[26] = 1;
    b[28] = static_cast<unsigned char>(bits);
    putU32(b, 30, compression);
    putU32(b, 34, imageSize);
    return b;
}

BitmapCompleteness check(const std::vector<unsigned char>& head, std::uint64_t fileSize) {
    return checkBitmapCompleteness(head.data(), head.size(), fileSize);
}

TEST(BitmapCompleteness, UncompressedRowsArePaddedToFourBytes) {
    // 512 x 448 at 24 bits: 1536 bytes a row, no padding.
    const auto screen = bitmapHeaders(512, 448, 24);
    EXPECT_EQ(check(screen, 54 + 1536 * 448), BitmapCompleteness::Complete);
    EXPECT_EQ(check(screen, 54 + 1536 * 448 - 1), BitmapCompleteness::Truncated);
    EXPECT_EQ(check(screen, 54 + 1536 * 224), BitmapCompleteness::Truncated);

    // 3 x 2 at 24 bits: 9 bytes padded to 12; a top-down (negative) height counts too.
    const auto small = bitmapHeaders(3, -2, 24);
    EXPECT_EQ(check(small, 54 + 24), BitmapCompleteness::Complete);
    EXPECT_EQ(check(small, 54 + 18), BitmapCompleteness::Truncated);
}

TEST(BitmapCompleteness, CutHeadersAbsurdSizesAndOtherFiles) {
    const auto screen = bitmapHeaders(512, 448, 24);
    EXPECT_EQ(checkBitmapCompleteness(screen.data(), 10, 10), BitmapCompleteness::Truncated);
    EXPECT_EQ(checkBitmapCompleteness(screen.data(), 30, 30), BitmapCompleteness::Truncated);
    EXPECT_EQ(check(bitmapHeaders(0x7fffffff, 0x7fffffff, 32), 1 << 20),
              BitmapCompleteness::Truncated);

    // Compressed data: only the stated size can be checked.
    const auto rle = bitmapHeaders(512, 448, 8, 1, 5000);
    EXPECT_EQ(check(rle, 54 + 5000), BitmapCompleteness::Complete);
    EXPECT_EQ(check(rle, 54 + 4999), BitmapCompleteness::Truncated);

    const std::vector<unsigned char> targa = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(check(targa, 100), BitmapCompleteness::NotABitmap);
}

}  // namespace
}  // namespace kelvane
