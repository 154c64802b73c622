#include "skin/picture_fit.h"

#include <algorithm>
#include <cmath>

namespace kelvane {

FitPlacement placePicture(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight,
                          FitMode mode) {
    const double sw = std::max(sourceWidth, 1), sh = std::max(sourceHeight, 1);
    const double tw = targetWidth, th = targetHeight;
    const AreaF wholeSource{0, 0, sw, sh};
    const AreaF wholeTarget{0, 0, tw, th};
    switch (mode) {
        case FitMode::Stretch:
            return {wholeSource, wholeTarget};
        case FitMode::FillAndCrop: {
            const double scale = std::max(tw / sw, th / sh);
            const double w = tw / scale, h = th / scale;
            return {{(sw - w) / 2, (sh - h) / 2, w, h}, wholeTarget};
        }
        case FitMode::FitInside: {
            const double scale = std::min(tw / sw, th / sh);
            // Whole pixels, so that the black bars have sharp edges.
            const double w = std::max(1.0, std::round(sw * scale));
            const double h = std::max(1.0, std::round(sh * scale));
            return {wholeSource, {std::floor((tw - w) / 2), std::floor((th - h) / 2), w, h}};
        }
    }
    return {wholeSource, wholeTarget};
}

std::string convertedDirectory(const ProgramDirectory& dir) {
    return dir.join("\\converted");
}

std::string convertedFileName(std::string_view sourceFileName, ImageSlot slot, int attempt) {
    const auto dot = sourceFileName.find_last_of('.');
    std::string base(dot == std::string_view::npos || dot == 0 ? sourceFileName
                                                               : sourceFileName.substr(0, dot));
    for (char& c : base) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f || std::string_view("\"\\/:*?<>|").find(c) != std::string::npos)
            c = '_';
    }
    if (base.empty()) base = "picture";
    const char* suffix = "";
    switch (slot) {
        case ImageSlot::SplashScreen:
            suffix = "-splash";
            break;
        case ImageSlot::MainMenuScreen:
            suffix = "-main";
            break;
        case ImageSlot::ButtonImage:
            suffix = "-button";
            break;
        case ImageSlot::Font:
            suffix = "-font";
            break;
    }
    std::string name = base + suffix;
    if (attempt > 1) name += "-" + std::to_string(attempt);
    return name + ".bmp";
}

}  // namespace kelvane
