#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "skin/font/font_sheet.h"

namespace kelvane {

// Decodes an uncompressed Windows bitmap: 1, 4 and 8 bits with a palette, 16
// (5-5-5), 24 and 32 bits, and 16 or 32 bits with bit fields, rows stored from
// the bottom or the top. Nothing for anything else, a cut-off file or a size
// beyond `maxPixels`.
std::optional<RgbPicture> decodeBmp(const unsigned char* data, std::size_t size,
                                    std::size_t maxPixels = 4096 * 4096);

// An uncompressed 24-bit bitmap with a BITMAPINFOHEADER, rows from the
// bottom, each padded to four bytes.
std::vector<unsigned char> encodeBmp24(const RgbPicture& picture);

}  // namespace kelvane
