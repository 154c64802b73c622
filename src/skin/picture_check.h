#pragma once

#include <string>

#include "skin/image_slots.h"
#include "skin/picture_facts.h"

namespace kelvane {

// The size a slot's picture must have; 0 x 0 for none.
struct PictureSize {
    int width = 0;
    int height = 0;
};
PictureSize slotPictureSize(ImageSlot slot);

// "the splash screen", "the button image", ...
std::string slotTitle(ImageSlot slot);

// What the loader needs in a slot, as a phrase: "an uncompressed 24-bit BMP of
// 512x448 pixels".
std::string slotRequirement(ImageSlot slot);

// Whether a picture with these facts is what the slot needs. A font is never
// judged by its header alone: checkFontPair reads the sheet with its widths.
bool pictureFitsSlot(ImageSlot slot, const PictureFacts& facts);

// Whether this program can make what the slot needs from another picture: the
// two screens and the button image (as a 24-bit BMP), not the font.
bool slotCanConvert(ImageSlot slot);

// Whether a mismatching file is offered for conversion: the slot can take a
// converted picture and the file can be decoded (`readable`).
bool offersConversion(ImageSlot slot, bool readable);

// The box shown when a chosen picture does not fit: what the file is and
// what the slot needs. `readable` tells whether the picture can be decoded,
// which a conversion needs.
std::string pictureMismatchMessage(ImageSlot slot, const std::string& path,
                                   const PictureFacts& facts, bool readable);

}  // namespace kelvane
