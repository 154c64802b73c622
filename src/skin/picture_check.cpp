#include "skin/picture_check.h"

#include "skin/font/font_pair_check.h"

namespace kelvane {
namespace {

constexpr std::uint64_t kRawButtonBytes = 128 * 64 * 4;

bool hasSize(const PictureFacts& facts, PictureSize size) {
    return facts.width == std::uint64_t(size.width) && facts.height == std::uint64_t(size.height);
}

// An uncompressed, bottom-up, complete bitmap of the given size and depth.
bool isPlainBmp(const PictureFacts& facts, PictureSize size, unsigned bits) {
    return facts.format == PictureFormat::Bmp && !facts.truncated && !facts.compressed &&
           !facts.topDown && facts.bitsPerPixel == bits && hasSize(facts, size);
}

}  // namespace

PictureSize slotPictureSize(ImageSlot slot) {
    switch (slot) {
        case ImageSlot::MainMenuScreen:
        case ImageSlot::SplashScreen:
            return {512, 448};
        case ImageSlot::ButtonImage:
            return {128, 64};
        case ImageSlot::Font:
            return {256, 256};
    }
    return {};
}

std::string slotTitle(ImageSlot slot) {
    switch (slot) {
        case ImageSlot::MainMenuScreen:
            return "the main menu screen";
        case ImageSlot::SplashScreen:
            return "the splash screen";
        case ImageSlot::ButtonImage:
            return "the button image";
        case ImageSlot::Font:
            return "the font";
    }
    return {};
}

std::string slotRequirement(ImageSlot slot) {
    switch (slot) {
        case ImageSlot::MainMenuScreen:
        case ImageSlot::SplashScreen:
            return "an uncompressed 24-bit BMP of 512x448 pixels";
        case ImageSlot::ButtonImage:
            return "a 128x64 picture: an uncompressed 24-bit BMP, a 32-bit Targa or a 32-bit "
                   "interleaved RAW file of 32768 bytes";
        case ImageSlot::Font:
            return kFontPairRequirement;
    }
    return {};
}

bool pictureFitsSlot(ImageSlot slot, const PictureFacts& facts) {
    const PictureSize size = slotPictureSize(slot);
    switch (slot) {
        case ImageSlot::MainMenuScreen:
        case ImageSlot::SplashScreen:
            return isPlainBmp(facts, size, 24);
        case ImageSlot::ButtonImage:
            if (facts.format == PictureFormat::Raw) return facts.fileSize == kRawButtonBytes;
            if (facts.format == PictureFormat::Targa)
                return !facts.truncated && facts.bitsPerPixel == 32 && hasSize(facts, size);
            return isPlainBmp(facts, size, 24);
        case ImageSlot::Font:
            return false;
    }
    return false;
}

bool slotCanConvert(ImageSlot slot) {
    return slot != ImageSlot::Font;
}

bool offersConversion(ImageSlot slot, bool readable) {
    return slotCanConvert(slot) && readable;
}

std::string pictureMismatchMessage(ImageSlot slot, const std::string& path,
                                   const PictureFacts& facts, bool readable) {
    std::string text = "The file " + path + " is " + describeFacts(facts) + ".";
    std::string title = slotTitle(slot);
    title[0] = 'T';
    text += "\n\n" + title + " must be " + slotRequirement(slot) + ".";
    if (offersConversion(slot, readable))
        return text +
               "\n\nConvert makes a fitting copy of the picture; Use Anyway hands the file to "
               "HDLPatch as it is; Cancel leaves the slot as it was.";
    // A format this installation cannot decode (JPEG where Qt has no JPEG
    // plugin) is not offered for conversion; the user is told why.
    if (slotCanConvert(slot))
        text +=
            "\n\nThis program cannot read this file as a picture, so it cannot convert it; a "
            "picture editor can save it as PNG or BMP first.";
    return text +
           "\n\nUse Anyway hands the file to HDLPatch as it is; Cancel leaves the slot as it "
           "was.";
}

}  // namespace kelvane
