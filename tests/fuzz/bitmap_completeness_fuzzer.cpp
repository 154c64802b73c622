// The bitmap check reads only the bytes it is given, and it never calls a
// bitmap complete when its pixel rows do not fit in the file: worked out here
// in 128-bit arithmetic, so that no header value can wrap it around.
//
// Input: the first bytes of a file (as the picture box peeks them, up to 64);
// its last eight bytes also choose a file size.

#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>

#include "fuzz_check.h"
#include "skin/bitmap_completeness.h"

namespace {

using kelvane::BitmapCompleteness;
using kelvane::checkBitmapCompleteness;
using Wide = unsigned __int128;

std::uint64_t readLe(const std::uint8_t* p, int bytes) {
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | p[i];
    return value;
}

Wide magnitude32(std::uint64_t raw) {
    const auto value = static_cast<std::int32_t>(static_cast<std::uint32_t>(raw));
    return value < 0 ? Wide(-static_cast<std::int64_t>(value)) : Wide(value);
}

// Whether the rows of an uncompressed bitmap with a whole header fit; nothing
// for other inputs.
std::optional<bool> rowsFit(const std::uint8_t* head, std::size_t headSize, Wide fileSize) {
    if (headSize < 54 || head[0] != 'B' || head[1] != 'M') return std::nullopt;
    const std::uint64_t infoSize = readLe(head + 14, 4);
    Wide width, height, bits, compression = 0;
    if (infoSize == 12) {
        width = readLe(head + 18, 2);
        height = readLe(head + 20, 2);
        bits = readLe(head + 24, 2);
    } else if (infoSize >= 40) {
        width = magnitude32(readLe(head + 18, 4));
        height = magnitude32(readLe(head + 22, 4));
        bits = readLe(head + 28, 2);
        compression = readLe(head + 30, 4);
    } else {
        return std::nullopt;
    }
    if (compression != 0) return std::nullopt;
    const Wide rowBytes = (width * bits + 31) / 32 * 4;
    return fileSize >= 14 + infoSize && readLe(head + 10, 4) + rowBytes * height <= fileSize;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy exactly as long as the head, so that reading past it is caught.
    const std::size_t headSize = size < 64 ? size : 64;
    auto head = std::make_unique<std::uint8_t[]>(headSize);
    if (headSize) std::memcpy(head.get(), data, headSize);

    std::uint64_t sizes[] = {size, ~std::uint64_t(0), size};
    if (size >= 8) std::memcpy(&sizes[2], data + size - 8, 8);
    for (std::uint64_t fileSize : sizes) {
        const auto verdict = checkBitmapCompleteness(head.get(), headSize, fileSize);
        const bool isBitmap = headSize >= 2 && head[0] == 'B' && head[1] == 'M';
        FUZZ_CHECK(isBitmap || verdict == BitmapCompleteness::NotABitmap);
        if (auto fits = rowsFit(head.get(), headSize, fileSize))
            FUZZ_CHECK(*fits == (verdict == BitmapCompleteness::Complete));
        // More data after a complete bitmap keeps it complete.
        if (verdict == BitmapCompleteness::Complete && fileSize < ~std::uint64_t(0))
            FUZZ_CHECK(checkBitmapCompleteness(head.get(), headSize, fileSize + 1) ==
                       BitmapCompleteness::Complete);
    }
    return 0;
}
