// The font pair check never crashes on any sheet or widths bytes, and a pair
// it accepts holds every rule, worked out here straight from the bytes: a
// 256x256 24-bit uncompressed BMP stored from the bottom, only the two
// colours, 256 widths of 1 to 16 and no foreground at or right of a width.
// What Convert makes of an input passes the check.
//
// Input: the widths file's length in two bytes, least significant first
// (0xFFFF: there is no widths file), the widths file's bytes, then the
// sheet's bytes.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "fuzz_check.h"
#include "skin/font/font_bitmap.h"
#include "skin/font/font_pair_check.h"

namespace {

using kelvane::FontPairFiles;
using Bytes = std::vector<unsigned char>;

std::uint32_t le(const Bytes& b, std::size_t at, int n) {
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | b[at + i];
    return v;
}

bool holdsEveryRule(const FontPairFiles& f) {
    const Bytes& s = f.sheet;
    if (!f.widthsPresent || f.widths.size() != 256 || s.size() < 54 || s[0] != 'B' || s[1] != 'M')
        return false;
    if (le(s, 18, 4) != 256 || le(s, 22, 4) != 256 || le(s, 28, 2) != 24 || le(s, 30, 4) != 0)
        return false;
    const std::size_t offset = le(s, 10, 4);
    if (offset > s.size() || s.size() - offset < 256 * 768) return false;
    for (unsigned char w : f.widths)
        if (w < 1 || w > 16) return false;
    for (std::size_t y = 0; y < 256; ++y)
        for (std::size_t x = 0; x < 256; ++x) {
            const unsigned char* p = s.data() + offset + (255 - y) * 768 + 3 * x;
            const bool bg = p[0] == 1 && p[1] == 1 && p[2] == 1;
            const bool fg = p[0] == 128 && p[1] == 128 && p[2] == 128;
            if (!bg && !fg) return false;
            if (fg && x % 16 >= f.widths[(y / 16) * 16 + x / 16]) return false;
        }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::size_t length = data[0] | data[1] << 8;
    const std::size_t widthsBytes = length == 0xFFFF ? 0 : std::min(length, size - 2);
    FontPairFiles files;
    files.widthsName = "font.dat";
    files.widthsPresent = length != 0xFFFF;
    files.widths.assign(data + 2, data + 2 + widthsBytes);
    files.sheet.assign(data + 2 + widthsBytes, data + size);
    files.sheetFileSize = files.sheet.size();

    const kelvane::FontPairReport report = kelvane::checkFontPair(files);
    if (report.ok()) FUZZ_CHECK(holdsEveryRule(files));
    const auto mended = kelvane::mendFontPair(files);
    FUZZ_CHECK(mended.has_value() == (report.ok() || report.mendable()));
    if (mended) {
        FontPairFiles again;
        again.sheet = kelvane::encodeBmp24(mended->sheet);
        again.sheetFileSize = again.sheet.size();
        again.widthsPresent = true;
        again.widths.assign(mended->widths.begin(), mended->widths.end());
        FUZZ_CHECK(kelvane::checkFontPair(again).ok());
        FUZZ_CHECK(holdsEveryRule(again));
    }
    return 0;
}
