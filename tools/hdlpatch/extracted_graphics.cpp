#include "hdlpatch/extracted_graphics.h"

#include <cmath>
#include <string_view>

#include "images/image_files.h"
#include "images/raster.h"

namespace kelvane::tools {
namespace {

constexpr int kScreenWidth = 512;
constexpr int kScreenHeight = 448;
constexpr int kFontCell = 16;
constexpr int kFontGlyphWidth = 6;
constexpr Rgba kFontBackground{1, 1, 1, 255};
constexpr Rgba kFontForeground{128, 128, 128, 255};

void drawCentred(Raster& picture, int y, std::string_view text, int scale, Rgba colour) {
    picture.drawText((picture.width() - Raster::textWidth(text, scale)) / 2, y, text, scale,
                     colour);
}

// A dark blue menu screen: title, a column of menu boxes, one highlighted.
Raster mainScreen() {
    Raster picture(kScreenWidth, kScreenHeight);
    picture.verticalGradient({8, 16, 64, 255}, {0, 96, 160, 255});
    drawCentred(picture, 28, "MAIN MENU", 6, {255, 255, 255, 255});
    const char* entries[] = {"START GAME", "INSTALL", "BROWSER", "OPTIONS"};
    for (int i = 0; i < 4; ++i) {
        const int top = 120 + i * 72;
        const bool selected = i == 0;
        picture.fillRect(96, top, 320, 52,
                         selected ? Rgba{255, 200, 0, 255} : Rgba{16, 32, 96, 255});
        picture.frameRect(96, top, 320, 52, 3, {255, 255, 255, 255});
        drawCentred(picture, top + 12, entries[i], 4,
                    selected ? Rgba{0, 0, 0, 255} : Rgba{255, 255, 255, 255});
    }
    return picture;
}

// A warm splash screen: a sun with rays of circles and big block letters.
Raster splashScreen() {
    Raster picture(kScreenWidth, kScreenHeight);
    picture.verticalGradient({120, 0, 40, 255}, {255, 140, 0, 255});
    picture.fillCircle(kScreenWidth / 2, 170, 110, {255, 230, 80, 255});
    for (int i = 0; i < 12; ++i) {
        const double angle = i * 3.14159265358979 / 6.0;
        picture.fillCircle(kScreenWidth / 2 + static_cast<int>(150 * std::cos(angle)),
                           170 + static_cast<int>(150 * std::sin(angle)), 14, {255, 255, 200, 255});
    }
    drawCentred(picture, 130, "HDL", 12, {140, 20, 20, 255});
    drawCentred(picture, 350, "SPLASH", 8, {255, 255, 255, 255});
    return picture;
}

// A rounded-looking blue button with a soft transparent edge.
Raster buttonImage() {
    Raster picture(128, 64, {0, 0, 0, 0});
    for (int y = 4; y < 60; ++y)
        picture.fillRect(4, y, 120, 1,
                         {static_cast<std::uint8_t>(40 + y * 2),
                          static_cast<std::uint8_t>(90 + y * 2), 255, 255});
    picture.frameRect(4, 4, 120, 56, 2, {255, 255, 255, 255});
    picture.frameRect(2, 2, 124, 60, 2, {255, 255, 255, 96});
    drawCentred(picture, 22, "OK", 3, {255, 255, 255, 255});
    return picture;
}

// The font pair the loader reads: 16x16 cells of 16x16 pixels, one per
// character code, in background 1,1,1 and foreground 128,128,128, each glyph
// at its cell's left edge; unknown characters show as the block font's box.
Raster fontSheet() {
    Raster picture(16 * kFontCell, 16 * kFontCell, kFontBackground);
    for (int code = 33; code < 127; ++code) {
        const char character = static_cast<char>(code);
        picture.drawText((code % 16) * kFontCell, (code / 16) * kFontCell + 4,
                         std::string_view(&character, 1), 1, kFontForeground);
    }
    return picture;
}

// Every glyph of the block font is five dots wide; one more keeps letters apart.
Bytes fontWidths() {
    Bytes widths(256, kFontGlyphWidth);
    widths[' '] = 4;
    return widths;
}

std::string colourTable() {
    const char* lines[] = {
        "10104080 // 1_Menu background", "4060A080 // 1_Selected box",
        "FFFFFF80 // 1_Menu text",       "80808040 // 2_Box border",
        "00000060 // 1_Shadow",          "FF402080 // 1_Highlighted text",
    };
    std::string text;
    for (const char* line : lines) text += std::string(line) + "\r\n";
    return text;
}

}  // namespace

std::vector<GraphicsFile> makeExtractedGraphics() {
    const std::string colours = colourTable();
    return {
        {"hdl_button.tga", encodeTga32(buttonImage())},
        {"hdl_colors.txt", Bytes(colours.begin(), colours.end())},
        {"hdl_font.bmp", encodeBmp24(fontSheet())},
        {"hdl_font.dat", fontWidths()},
        {"hdl_main.bmp", encodeBmp24(mainScreen())},
        {"hdl_splash.bmp", encodeBmp24(splashScreen())},
    };
}

}  // namespace kelvane::tools
