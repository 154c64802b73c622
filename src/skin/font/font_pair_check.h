#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "skin/font/font_sheet.h"

namespace kelvane {

// A font pair as read from disk: the sheet's bytes and, when it lies beside
// it, the widths file's.
struct FontPairFiles {
    std::vector<unsigned char> sheet;
    std::uint64_t sheetFileSize = 0;  // the file's real size, as the sheet may be cut short
    std::string widthsName;           // bare name of the widths file looked for
    bool widthsPresent = false;
    std::string widthsProblem;  // why a present widths file could not be read
    std::vector<unsigned char> widths;
};

// One thing wrong with a pair, in plain words ("the widths file has 512
// bytes: it was saved with 16-bit widths"), and whether Convert can mend it
// without guessing.
struct FontPairFault {
    std::string text;
    bool mendable = false;
};

struct FontPairReport {
    std::vector<FontPairFault> faults;
    bool ok() const { return faults.empty(); }
    bool mendable() const;  // there are faults, and Convert mends them all
};

FontPairReport checkFontPair(const FontPairFiles& files);

// The pair made right: the sheet decoded, turned to 24 bits from the bottom,
// every pixel made background or foreground, and 16-bit widths turned to
// bytes. Nothing when a fault cannot be mended.
std::optional<FontPair> mendFontPair(const FontPairFiles& files);

// The question shown when a chosen pair does not fit: what is wrong, what the
// loader reads and what the buttons do.
std::string fontPairMismatchMessage(const std::string& path, const FontPairReport& report);

// What the loader reads, as a phrase.
extern const char* const kFontPairRequirement;

}  // namespace kelvane
