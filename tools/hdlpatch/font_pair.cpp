#include "hdlpatch/font_pair.h"

#include <cstdint>

namespace kelvane::tools {
namespace {

std::uint32_t le(const Bytes& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + i];
    return v;
}

}  // namespace

std::string fontPairProblem(const Bytes& sheet, const Bytes& widths) {
    constexpr std::size_t kSide = 256, kCell = 16, kStride = kSide * 3;
    if (sheet.size() < 54 || sheet[0] != 'B' || sheet[1] != 'M') return "the image is not a BMP";
    if (le(sheet, 14, 4) < 40) return "the BMP header is of an old kind";
    if (le(sheet, 18, 4) != kSide || le(sheet, 22, 4) != kSide)
        return "the image is not 256x256 pixels (bottom-up)";
    if (le(sheet, 28, 2) != 24) return "the image is not 24 bits per pixel";
    if (le(sheet, 30, 4) != 0) return "the image is compressed";
    const std::size_t offset = le(sheet, 10, 4);
    if (offset > sheet.size() || sheet.size() - offset < kStride * kSide)
        return "the image is cut short";
    if (widths.size() != 256)
        return "the widths file has " + std::to_string(widths.size()) + " bytes, not 256";
    for (std::size_t code = 0; code < 256; ++code)
        if (widths[code] < 1 || widths[code] > kCell)
            return "the width of character " + std::to_string(code) + " is " +
                   std::to_string(widths[code]) + ", not 1 to 16";

    for (std::size_t y = 0; y < kSide; ++y) {
        const std::uint8_t* row = sheet.data() + offset + (kSide - 1 - y) * kStride;
        for (std::size_t x = 0; x < kSide; ++x) {
            const std::uint8_t* p = row + 3 * x;
            const bool background = p[0] == 1 && p[1] == 1 && p[2] == 1;
            const bool foreground = p[0] == 128 && p[1] == 128 && p[2] == 128;
            if (!background && !foreground)
                return "pixel " + std::to_string(x) + "," + std::to_string(y) +
                       " is neither background 1,1,1 nor foreground 128,128,128";
            const std::size_t code = (y / kCell) * 16 + x / kCell;
            if (foreground && x % kCell >= widths[code])
                return "character " + std::to_string(code) + " has ink at or right of its width " +
                       std::to_string(widths[code]);
        }
    }
    return {};
}

}  // namespace kelvane::tools
