#include "skin/font/font_widths.h"

namespace kelvane {
namespace {

// A character as UTF-8, for a message.
std::string utf8(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
    return out;
}

}  // namespace

WidthsReading readWidthsFile(const std::vector<unsigned char>& bytes) {
    WidthsReading reading;
    if (bytes.size() == kFontCodes) {
        reading.layout = WidthsLayout::Bytes;
        for (int c = 0; c < kFontCodes; ++c) reading.widths[c] = bytes[c];
    } else if (bytes.size() == 2 * kFontCodes) {
        reading.layout = WidthsLayout::SixteenBit;
        for (int c = 0; c < kFontCodes; ++c) {
            reading.widths[c] = bytes[2 * c];
            if (bytes[2 * c + 1] != 0) reading.layout = WidthsLayout::SixteenBitLarge;
        }
    }
    return reading;
}

std::vector<unsigned char> widthsFileBytes(const FontWidths& widths) {
    return {widths.begin(), widths.end()};
}

std::string describeFontCode(int code) {
    std::string text = "character " + std::to_string(code);
    const char32_t c = fontCodeCharacter(code);
    if (c > 0x20 && c != 0x7F && c != 0xA0 && c != 0xAD) text += " '" + utf8(c) + "'";
    return text;
}

}  // namespace kelvane
