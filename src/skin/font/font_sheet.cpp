#include "skin/font/font_sheet.h"

#include <algorithm>

namespace kelvane {
namespace {

// Windows-1252 from 0x80 to 0x9F; 0 where the page assigns nothing.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

}  // namespace

bool isInk(Rgb colour) {
    // Rec. 601 brightness, in thousandths.
    const int brightness = colour.r * 299 + colour.g * 587 + colour.b * 114;
    return brightness > kFontForeground.g * 1000 / 2;
}

CellOrigin fontCellOrigin(int code) {
    return {(code % kFontGridSize) * kFontCellSize, (code / kFontGridSize) * kFontCellSize};
}

char32_t fontCodeCharacter(int code) {
    if (code >= 0x80 && code < 0xA0) return kHighControls[code - 0x80];
    return char32_t(code);
}

int fontCodeFor(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character < 0x100)) return int(character);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == character) return 0x80 + i;
    return -1;
}

RgbPicture drawFontSample(const FontPair& pair, std::string_view codes) {
    int width = 0;
    for (const char c : codes) width += std::min<int>(pair.widths[std::uint8_t(c)], kFontCellSize);
    RgbPicture line(std::max(width, 1), kFontCellSize, kFontBackground);
    if (pair.sheet.width < kFontSheetSize || pair.sheet.height < kFontSheetSize) return line;
    int x = 0;
    for (const char c : codes) {
        const int code = std::uint8_t(c);
        const int w = std::min<int>(pair.widths[code], kFontCellSize);
        const CellOrigin cell = fontCellOrigin(code);
        for (int y = 0; y < kFontCellSize; ++y)
            for (int dx = 0; dx < w; ++dx)
                line.set(x + dx, y, pair.sheet.at(cell.x + dx, cell.y + y));
        x += w;
    }
    return line;
}

}  // namespace kelvane
