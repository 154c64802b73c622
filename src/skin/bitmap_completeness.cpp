#include "skin/bitmap_completeness.h"

#include <limits>

#include "skin/header_fields.h"

namespace kelvane {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;  // the old OS/2 header
constexpr std::uint32_t kInfoHeaderSize = 40;

}  // namespace

BitmapCompleteness checkBitmapCompleteness(const unsigned char* head, std::size_t headSize,
                                           std::uint64_t fileSize) {
    if (headSize < 2 || head[0] != 'B' || head[1] != 'M') return BitmapCompleteness::NotABitmap;
    if (headSize < kFileHeaderSize + 4 || fileSize < kFileHeaderSize + 4)
        return BitmapCompleteness::Truncated;

    const std::uint64_t pixelOffset = readLe32(head + 10);
    const unsigned char* info = head + kFileHeaderSize;
    const std::uint32_t infoSize = readLe32(info);

    std::uint64_t width = 0, height = 0, bitsPerPixel = 0, compression = 0, imageSize = 0;
    if (infoSize == kCoreHeaderSize) {
        if (headSize < kFileHeaderSize + kCoreHeaderSize) return BitmapCompleteness::Truncated;
        width = readLe16(info + 4);
        height = readLe16(info + 6);
        bitsPerPixel = readLe16(info + 10);
    } else if (infoSize >= kInfoHeaderSize) {
        if (headSize < kFileHeaderSize + kInfoHeaderSize) return BitmapCompleteness::Truncated;
        width = magnitude32(readLe32(info + 4));
        height = magnitude32(readLe32(info + 8));
        bitsPerPixel = readLe16(info + 14);
        compression = readLe32(info + 16);
        imageSize = readLe32(info + 20);
    } else {
        // An unknown header: leave the verdict to the decoder.
        return BitmapCompleteness::NotABitmap;
    }
    if (fileSize < kFileHeaderSize + infoSize) return BitmapCompleteness::Truncated;

    // Uncompressed rows (and bit-field rows) are padded to four bytes; for
    // compressed data only the stated size is known.
    std::uint64_t pixelBytes = imageSize;
    if (compression == 0 || compression == 3) {
        const std::uint64_t stride = (width * bitsPerPixel + 31) / 32 * 4;
        if (stride != 0 && height > std::numeric_limits<std::uint64_t>::max() / stride)
            return BitmapCompleteness::Truncated;
        pixelBytes = stride * height;
    }
    if (pixelOffset > fileSize || fileSize - pixelOffset < pixelBytes)
        return BitmapCompleteness::Truncated;
    return BitmapCompleteness::Complete;
}

}  // namespace kelvane
