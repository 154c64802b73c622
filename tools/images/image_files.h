#pragma once

#include "common/file_io.h"
#include "images/raster.h"

namespace kelvane::tools {

// An uncompressed 24-bit Windows bitmap (BITMAPINFOHEADER, rows bottom-up,
// each row padded to four bytes).
Bytes encodeBmp24(const Raster& picture);

// An uncompressed 32-bit true-colour TGA with alpha, rows top-down.
Bytes encodeTga32(const Raster& picture);

}  // namespace kelvane::tools
