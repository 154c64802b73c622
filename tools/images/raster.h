#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace kelvane::tools {

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 255;
};

// A picture in memory, rows from the top, with the few drawing operations the
// stand-in graphics need.
class Raster {
  public:
    Raster(int width, int height, Rgba fill = {});

    int width() const { return width_; }
    int height() const { return height_; }
    Rgba pixel(int x, int y) const { return pixels_[index(x, y)]; }
    void setPixel(int x, int y, Rgba colour);

    // Rectangles and shapes are clipped to the picture.
    void fillRect(int x, int y, int w, int h, Rgba colour);
    void frameRect(int x, int y, int w, int h, int thickness, Rgba colour);
    void fillCircle(int cx, int cy, int radius, Rgba colour);
    // Top-to-bottom blend from `top` to `bottom` over the whole picture.
    void verticalGradient(Rgba top, Rgba bottom);

    // Upper-case letters, digits and a few signs in a 5x7 block font, each
    // dot drawn as a scale x scale square; unknown characters draw as a box.
    void drawText(int x, int y, std::string_view text, int scale, Rgba colour);
    static int textWidth(std::string_view text, int scale);

  private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }
    int width_;
    int height_;
    std::vector<Rgba> pixels_;
};

}  // namespace kelvane::tools
