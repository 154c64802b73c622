#pragma once

#include <string>
#include <string_view>

#include "core/program_directory.h"
#include "skin/image_slots.h"

namespace kelvane {

// How a picture of another shape is brought to the size a slot needs.
enum class FitMode {
    FillAndCrop,  // scaled to cover the whole target, the overhang cut off evenly
    FitInside,    // scaled to fit whole, the rest black
    Stretch,      // scaled to the target on each axis alone
};

struct AreaF {
    double x = 0, y = 0, width = 0, height = 0;
};

// The part of the source that is drawn and where it lands in the target.
struct FitPlacement {
    AreaF source;
    AreaF target;
};

FitPlacement placePicture(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight,
                          FitMode mode);

// Where converted pictures are written: "converted" beside the other outputs.
std::string convertedDirectory(const ProgramDirectory& dir);

// The name of a converted picture: the source's base name, the slot and, from
// the second attempt on, a number ("photo-splash.bmp", "photo-splash-2.bmp").
// Characters that cannot stand in a file name or a quoted tool argument
// become "_".
std::string convertedFileName(std::string_view sourceFileName, ImageSlot slot, int attempt);

}  // namespace kelvane
