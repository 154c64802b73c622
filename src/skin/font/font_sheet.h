#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kelvane {

// The font pair the loader reads: a 256x256 sheet of 16x16 cells, one per
// character code, and 256 widths.
inline constexpr int kFontCellSize = 16;
inline constexpr int kFontGridSize = 16;
inline constexpr int kFontSheetSize = kFontCellSize * kFontGridSize;
inline constexpr int kFontCodes = 256;

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kFontBackground{1, 1, 1};
inline constexpr Rgb kFontForeground{128, 128, 128};

// A pixel counts as ink when it is brighter than half the foreground; this
// also maps a smoothed or differently coloured sheet onto the two colours.
bool isInk(Rgb colour);

// A picture in memory, rows from the top.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;

    RgbPicture() = default;
    RgbPicture(int w, int h, Rgb fill) : width(w), height(h), pixels(std::size_t(w) * h, fill) {}
    Rgb at(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
    void set(int x, int y, Rgb colour) { pixels[std::size_t(y) * width + x] = colour; }
};

using FontWidths = std::array<std::uint8_t, kFontCodes>;

struct FontPair {
    RgbPicture sheet;
    FontWidths widths{};
};

// The top-left pixel of the cell of character `code`: column code % 16, row
// code / 16, counted from the top left of the sheet.
struct CellOrigin {
    int x = 0;
    int y = 0;
};
CellOrigin fontCellOrigin(int code);

// The character a code of the sheet stands for: 0-127 as ASCII, 128-255 as
// Windows-1252. The five codes that page leaves unassigned give 0.
char32_t fontCodeCharacter(int code);

// The Windows-1252 code of a character, or -1 when the page has none.
int fontCodeFor(char32_t character);

// A line of text (Windows-1252 codes) drawn the way the loader draws it: each
// character's cell, its first `width` columns, one after the other. The
// result is 16 pixels high and as wide as the widths add up to.
RgbPicture drawFontSample(const FontPair& pair, std::string_view codes);

}  // namespace kelvane
