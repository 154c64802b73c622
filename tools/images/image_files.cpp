#include "images/image_files.h"

namespace kelvane::tools {
namespace {

void put16(Bytes& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void put32(Bytes& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

}  // namespace

Bytes encodeBmp24(const Raster& picture) {
    const auto width = static_cast<std::uint32_t>(picture.width());
    const auto height = static_cast<std::uint32_t>(picture.height());
    const std::uint32_t rowSize = (width * 3 + 3) / 4 * 4;
    const std::uint32_t headerSize = 14 + 40;
    const std::uint32_t imageSize = rowSize * height;

    Bytes out;
    out.reserve(headerSize + imageSize);
    out.push_back('B');
    out.push_back('M');
    put32(out, headerSize + imageSize);
    put32(out, 0);  // reserved
    put32(out, headerSize);
    put32(out, 40);  // BITMAPINFOHEADER
    put32(out, width);
    put32(out, height);  // positive: bottom-up rows
    put16(out, 1);       // planes
    put16(out, 24);      // bits per pixel
    put32(out, 0);       // BI_RGB
    put32(out, imageSize);
    put32(out, 2835);  // 72 dpi
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = picture.height() - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width(); ++x) {
            Rgba p = picture.pixel(x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
        }
        for (std::uint32_t pad = width * 3; pad < rowSize; ++pad) out.push_back(0);
    }
    return out;
}

Bytes encodeTga32(const Raster& picture) {
    Bytes out;
    out.push_back(0);                              // no image id
    out.push_back(0);                              // no colour map
    out.push_back(2);                              // uncompressed true colour
    for (int i = 0; i < 5; ++i) out.push_back(0);  // colour map fields
    put16(out, 0);                                 // x origin
    put16(out, 0);                                 // y origin
    put16(out, static_cast<unsigned>(picture.width()));
    put16(out, static_cast<unsigned>(picture.height()));
    out.push_back(32);
    out.push_back(0x28);  // top-left origin, eight alpha bits
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            Rgba p = picture.pixel(x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
            out.push_back(p.a);
        }
    }
    return out;
}

}  // namespace kelvane::tools
