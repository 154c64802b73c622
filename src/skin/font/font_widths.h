#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "skin/font/font_sheet.h"

namespace kelvane {

// How a widths file is laid out.
enum class WidthsLayout {
    Bytes,            // 256 bytes, one width each: what the loader reads
    SixteenBit,       // 512 bytes of 16-bit widths whose high bytes are all zero
    SixteenBitLarge,  // 512 bytes of 16-bit widths, some above 255
    WrongLength,      // anything else
};

struct WidthsReading {
    WidthsLayout layout = WidthsLayout::WrongLength;
    FontWidths widths{};  // valid for Bytes and SixteenBit
};

WidthsReading readWidthsFile(const std::vector<unsigned char>& bytes);

// A widths file the loader reads: 256 bytes.
std::vector<unsigned char> widthsFileBytes(const FontWidths& widths);

// "character 65 'A'" or "character 7"; the character is shown when it is
// printable.
std::string describeFontCode(int code);

}  // namespace kelvane
