#include "skin/font/font_pair_check.h"

#include <algorithm>
#include <set>
#include <tuple>

#include "skin/font/font_bitmap.h"
#include "skin/font/font_widths.h"
#include "skin/picture_facts.h"

namespace kelvane {

const char* const kFontPairRequirement =
    "an uncompressed 24-bit BMP of 256x256 pixels in two colours (background 1,1,1 and "
    "foreground 128,128,128) with a widths file of 256 bytes, each from 1 to 16, of the same "
    "name beside it";

namespace {

// What can be known of the sheet and the widths, with their faults.
struct Reading {
    FontPairReport report;
    std::optional<RgbPicture> sheet;
    std::optional<FontWidths> widths;
};

void fault(Reading& r, std::string text, bool mendable) {
    r.report.faults.push_back({std::move(text), mendable});
}

// The sheet's header and pixels. Pixels are decoded only when the header
// allows a conversion.
void readSheet(const FontPairFiles& files, Reading& r) {
    const std::vector<unsigned char>& bytes = files.sheet;
    const PictureFacts facts = describePicture(
        bytes.data(), std::min(bytes.size(), kPictureHeadSize), files.sheetFileSize, "font.bmp");
    if (facts.format != PictureFormat::Bmp) {
        fault(r,
              "the file is " + describeFacts(facts) +
                  (facts.format == PictureFormat::Unknown ? "" : ", not a BMP"),
              false);
        return;
    }
    // What the header of a cut file says cannot be trusted.
    if (facts.truncated) {
        fault(r, "the picture is cut short: the file is smaller than its header says", false);
        return;
    }
    bool decodable = true;
    if (facts.width != kFontSheetSize || facts.height != kFontSheetSize) {
        fault(r,
              "the picture is " + std::to_string(facts.width) + "x" + std::to_string(facts.height) +
                  " pixels; a font sheet is 256x256",
              false);
        decodable = false;
    }
    if (facts.compressed) {
        fault(r, "the picture is compressed; the loader reads uncompressed pixels", false);
        decodable = false;
    }
    if (decodable) {
        r.sheet = decodeBmp(bytes.data(), bytes.size());
        // An old OS/2 header, bit fields on 24 bits and the like.
        if (!r.sheet)
            fault(r, "the picture is stored in a form of BMP that the loader does not read", false);
    }
    if (facts.bitsPerPixel != 24)
        fault(r,
              "the picture has " + std::to_string(facts.bitsPerPixel) +
                  " bits per pixel; the loader reads 24",
              r.sheet.has_value());
    if (facts.topDown)
        fault(r,
              "the picture's rows are stored from the top; the loader reads them from the bottom",
              r.sheet.has_value());
    if (!r.sheet) return;

    std::set<std::tuple<int, int, int>> colours;
    for (const Rgb& c : r.sheet->pixels)
        if (colours.size() <= 256) colours.insert({c.r, c.g, c.b});
    const bool onlyTheTwo =
        std::all_of(r.sheet->pixels.begin(), r.sheet->pixels.end(),
                    [](const Rgb& c) { return c == kFontBackground || c == kFontForeground; });
    if (colours.size() > 2)
        fault(r,
              "the picture has " +
                  (colours.size() > 256 ? std::string("more than 256")
                                        : std::to_string(colours.size())) +
                  " colours where a font has two: it was drawn with font smoothing or in "
                  "other colours",
              true);
    else if (!onlyTheTwo)
        fault(r,
              "the picture's colours are not the background 1,1,1 and the foreground "
              "128,128,128",
              true);
}

void readWidths(const FontPairFiles& files, Reading& r) {
    if (!files.widthsPresent) {
        fault(r, "its widths file " + files.widthsName + " is not beside it", false);
        return;
    }
    if (!files.widthsProblem.empty()) {
        fault(r, "its widths file " + files.widthsName + " cannot be read: " + files.widthsProblem,
              false);
        return;
    }
    const WidthsReading reading = readWidthsFile(files.widths);
    const std::string size = std::to_string(files.widths.size());
    switch (reading.layout) {
        case WidthsLayout::Bytes:
            break;
        case WidthsLayout::SixteenBit:
            fault(r, "the widths file has 512 bytes: it was saved with 16-bit widths", true);
            break;
        case WidthsLayout::SixteenBitLarge:
            fault(r,
                  "the widths file has 512 bytes: it was saved with 16-bit widths, and some of "
                  "them are larger than 255",
                  false);
            return;
        case WidthsLayout::WrongLength:
            fault(r, "the widths file has " + size + " bytes; it must have 256, one per character",
                  false);
            return;
    }
    r.widths = reading.widths;
    int outside = 0, first = -1;
    for (int c = 0; c < kFontCodes; ++c) {
        if (reading.widths[c] >= 1 && reading.widths[c] <= kFontCellSize) continue;
        ++outside;
        if (first < 0) first = c;
    }
    if (outside > 0)
        fault(r,
              std::to_string(outside) + (outside == 1 ? " width is" : " widths are") +
                  " outside 1 to 16 (" + describeFontCode(first) + " has width " +
                  std::to_string(reading.widths[first]) + ")",
              false);
}

// Ink at or right of a character's width would show in the next character's
// place, or be cut off.
void checkInk(Reading& r) {
    if (!r.sheet || !r.widths) return;
    int count = 0, first = -1;
    for (int code = 0; code < kFontCodes; ++code) {
        const CellOrigin cell = fontCellOrigin(code);
        const int width = std::min<int>((*r.widths)[code], kFontCellSize);
        bool inkOutside = false;
        for (int y = 0; y < kFontCellSize && !inkOutside; ++y)
            for (int x = width; x < kFontCellSize && !inkOutside; ++x)
                inkOutside = isInk(r.sheet->at(cell.x + x, cell.y + y));
        if (!inkOutside) continue;
        ++count;
        if (first < 0) first = code;
    }
    if (count > 0)
        fault(r,
              std::to_string(count) + (count == 1 ? " character has" : " characters have") +
                  " ink at or right of its width (" + describeFontCode(first) + ", width " +
                  std::to_string((*r.widths)[first]) + ")",
              false);
}

Reading read(const FontPairFiles& files) {
    Reading r;
    readSheet(files, r);
    readWidths(files, r);
    checkInk(r);
    return r;
}

}  // namespace

bool FontPairReport::mendable() const {
    return !faults.empty() &&
           std::all_of(faults.begin(), faults.end(), [](const auto& f) { return f.mendable; });
}

FontPairReport checkFontPair(const FontPairFiles& files) {
    return read(files).report;
}

std::optional<FontPair> mendFontPair(const FontPairFiles& files) {
    Reading r = read(files);
    if (!r.report.ok() && !r.report.mendable()) return std::nullopt;
    if (!r.sheet || !r.widths) return std::nullopt;
    FontPair pair{std::move(*r.sheet), *r.widths};
    for (Rgb& c : pair.sheet.pixels) c = isInk(c) ? kFontForeground : kFontBackground;
    return pair;
}

std::string fontPairMismatchMessage(const std::string& path, const FontPairReport& report) {
    std::string text = "The font " + path + " is not what the loader reads:\n";
    for (const FontPairFault& f : report.faults) text += "\n- " + f.text + ".";
    text += "\n\nA font must be " + std::string(kFontPairRequirement) + ".";
    if (report.mendable())
        return text +
               "\n\nConvert writes a mended pair into the \"converted\" folder; Use Anyway hands "
               "the file to HDLPatch as it is; Cancel leaves the slot as it was.";
    return text +
           "\n\nThis cannot be mended without guessing. Use Anyway hands the file to HDLPatch as "
           "it is; Cancel leaves the slot as it was.";
}

}  // namespace kelvane
