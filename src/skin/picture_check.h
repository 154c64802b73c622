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

// Whether a picture with these facts is what the slot needs. For the font,
// `fontDataPresent` tells whether the companion ".dat" lies beside it.
bool pictureFitsSlot(ImageSlot slot, const PictureFacts& facts, bool fontDataPresent);

// Whether this program can make what the slot needs from another picture: the
// two screens and the button image (as a 24-bit BMP), not the font.
bool slotCanConvert(ImageSlot slot);

// Whether a mismatching file is offered for conversion: the slot can take a
// converted picture and the file can be decoded (`readable`).
bool offersConversion(ImageSlot slot, bool readable);

// The box shown when a chosen file does not fit: what the file is, what the
// slot needs and, for the font, the missing data file. `fontDataName` is the
// bare name of the companion looked for. `readable` tells whether the picture
// can be decoded, which a conversion needs.
std::string pictureMismatchMessage(ImageSlot slot, const std::string& path,
                                   const PictureFacts& facts, bool fontDataPresent,
                                   const std::string& fontDataName, bool readable);

// The font's companion: the same name with the extension ".dat".
std::string fontDataFileName(const std::string& fontFileName);

}  // namespace kelvane
