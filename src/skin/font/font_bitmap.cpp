#include "skin/font/font_bitmap.h"

#include <bit>
#include <cstdint>

#include "skin/header_fields.h"

namespace kelvane {
namespace {

constexpr std::size_t kFileHeader = 14;

// One channel of a bit-field pixel, scaled to 0-255.
std::uint8_t channel(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const std::uint32_t top = mask >> shift;
    return std::uint8_t(((pixel & mask) >> shift) * 255u / top);
}

void putLe(std::vector<unsigned char>& out, std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out[at + i] = (value >> (8 * i)) & 0xff;
}

}  // namespace

std::optional<RgbPicture> decodeBmp(const unsigned char* data, std::size_t size,
                                    std::size_t maxPixels) {
    if (size < kFileHeader + 40 || data[0] != 'B' || data[1] != 'M') return std::nullopt;
    const std::uint32_t offset = readLe32(data + 10);
    const std::uint32_t infoSize = readLe32(data + 14);
    if (infoSize < 40 || infoSize > size - kFileHeader) return std::nullopt;
    const auto rawHeight = static_cast<std::int32_t>(readLe32(data + 22));
    const std::uint64_t width = magnitude32(readLe32(data + 18));
    const std::uint64_t height = magnitude32(readLe32(data + 22));
    const unsigned bits = readLe16(data + 28);
    const std::uint32_t compression = readLe32(data + 30);
    if (width == 0 || height == 0 || width * height > maxPixels) return std::nullopt;

    std::uint32_t masks[3] = {0x7c00, 0x03e0, 0x001f};
    if (bits == 32) masks[0] = 0xff0000, masks[1] = 0xff00, masks[2] = 0xff;
    if (compression == 3) {
        if (bits != 16 && bits != 32) return std::nullopt;
        // The masks follow a 40-byte header, or lie inside a longer one.
        if (kFileHeader + 40 + 12 > size) return std::nullopt;
        for (int i = 0; i < 3; ++i) masks[i] = readLe32(data + kFileHeader + 40 + 4 * i);
    } else if (compression != 0) {
        return std::nullopt;
    }

    std::vector<Rgb> palette;
    if (bits <= 8) {
        if (bits != 1 && bits != 4 && bits != 8) return std::nullopt;
        std::uint32_t count = readLe32(data + 46);
        if (count == 0 || count > (1u << bits)) count = 1u << bits;
        const std::size_t start = kFileHeader + infoSize;
        if (start + std::size_t(count) * 4 > size) return std::nullopt;
        for (std::uint32_t i = 0; i < count; ++i) {
            const unsigned char* entry = data + start + 4 * i;
            palette.push_back({entry[2], entry[1], entry[0]});
        }
    } else if (bits != 16 && bits != 24 && bits != 32) {
        return std::nullopt;
    }

    const std::uint64_t stride = (width * bits + 31) / 32 * 4;
    if (offset > size || (size - offset) / stride < height) return std::nullopt;

    RgbPicture picture(int(width), int(height), {});
    for (std::uint64_t row = 0; row < height; ++row) {
        const unsigned char* line = data + offset + row * stride;
        const int y = rawHeight < 0 ? int(row) : int(height - 1 - row);
        for (std::uint64_t x = 0; x < width; ++x) {
            Rgb colour;
            if (bits <= 8) {
                const std::uint64_t bit = x * bits;
                const unsigned index = (line[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
                colour = index < palette.size() ? palette[index] : Rgb{};
            } else if (bits == 24) {
                const unsigned char* p = line + x * 3;
                colour = {p[2], p[1], p[0]};
            } else {
                const std::uint32_t pixel =
                    bits == 16 ? readLe16(line + x * 2) : readLe32(line + x * 4);
                colour = {channel(pixel, masks[0]), channel(pixel, masks[1]),
                          channel(pixel, masks[2])};
            }
            picture.set(int(x), y, colour);
        }
    }
    return picture;
}

std::vector<unsigned char> encodeBmp24(const RgbPicture& picture) {
    const std::size_t stride = (std::size_t(picture.width) * 3 + 3) / 4 * 4;
    const std::size_t pixelBytes = stride * picture.height;
    std::vector<unsigned char> out(54 + pixelBytes, 0);
    out[0] = 'B';
    out[1] = 'M';
    putLe(out, 2, std::uint32_t(out.size()), 4);
    putLe(out, 10, 54, 4);
    putLe(out, 14, 40, 4);
    putLe(out, 18, std::uint32_t(picture.width), 4);
    putLe(out, 22, std::uint32_t(picture.height), 4);
    putLe(out, 26, 1, 2);
    putLe(out, 28, 24, 2);
    putLe(out, 34, std::uint32_t(pixelBytes), 4);
    putLe(out, 38, 2835, 4);  // 72 dots per inch
    putLe(out, 42, 2835, 4);
    for (int y = 0; y < picture.height; ++y) {
        unsigned char* line = out.data() + 54 + stride * (picture.height - 1 - y);
        for (int x = 0; x < picture.width; ++x) {
            const Rgb c = picture.at(x, y);
            line[3 * x] = c.b;
            line[3 * x + 1] = c.g;
            line[3 * x + 2] = c.r;
        }
    }
    return out;
}

}  // namespace kelvane
