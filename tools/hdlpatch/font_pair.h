#pragma once

#include <string>

#include "common/file_io.h"

namespace kelvane::tools {

// Checks a font pair as the loader reads it: a 256x256 uncompressed 24-bit
// BMP stored from the bottom, every pixel background (1,1,1) or foreground
// (128,128,128), and 256 widths from 1 to 16 with no foreground pixel at or
// right of a character's width in its 16x16 cell. Returns what is wrong, or
// an empty string for a good pair.
std::string fontPairProblem(const Bytes& sheet, const Bytes& widths);

}  // namespace kelvane::tools
