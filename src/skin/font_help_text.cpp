#include "skin/font_help_text.h"

#include <array>

#include "core/messages.h"

namespace kelvane {

const std::string kFontWindowCaption = "Change HDL/HDA Fonts";
const std::string kFontWindowLabel =
    "BMP + DAT font files must be in the same directoy of this program";

std::string fontInstructions() {
    // The dots line the values up in the window's proportional font.
    static constexpr std::array<const char*, 12> kLines = {
        "Use Bitmap Font Builder to create the needed BMP and DAT files",
        "for font patching with the following settings:",
        "",
        "Texture Size......: 256x256",
        "Background.......: 1 1 1",
        "Foreground........: 128 128 128",
        "Font Alignment...: Left",
        "Font Smoothing..: Disable",
        "Character Set.....: Full ASCII",
        "",
        "Save the font image as BMP & Font Widths (Byte Format) DAT using",
        "the same filename (fontfile.bmp + fontfile.dat).",
    };
    std::string text;
    for (std::size_t i = 0; i < kLines.size(); ++i) {
        if (i > 0) text += kLineBreak;
        text += kLines[i];
    }
    return text;
}

}  // namespace kelvane
