// The font pair the loader reads: code page, checks and mending.

#include <gtest/gtest.h>

#include <functional>

#include "skin/font/font_bitmap.h"
#include "skin/font/font_pair_check.h"

namespace kelvane {
namespace {

using Bytes = std::vector<unsigned char>;

// A good pair: 'A' and 'i' have ink inside their widths, every width is 8.
FontPair goodPair() {
    FontPair pair{RgbPicture(kFontSheetSize, kFontSheetSize, kFontBackground), {}};
    pair.widths.fill(8);
    for (const int code : {'A', 'i'}) {
        const CellOrigin cell = fontCellOrigin(code);
        for (int y = 3; y < 12; ++y) pair.sheet.set(cell.x + 1, cell.y + y, kFontForeground);
    }
    pair.sheet.set(fontCellOrigin('A').x + 7, fontCellOrigin('A').y + 5, kFontForeground);
    return pair;
}

// The pair's files, with the sheet stored in `bits` per pixel (24 or 32) and
// optionally from the top.
FontPairFiles filesOf(const FontPair& pair, unsigned bits = 24, bool topDown = false) {
    FontPairFiles files;
    const Bytes plain = encodeBmp24(pair.sheet);  // rows of 768 bytes, bottom row first
    Bytes& b = files.sheet;
    b.assign(plain.begin(), plain.begin() + 54);
    for (int row = 0, n = kFontSheetSize; row < n; ++row)
        for (int x = 0; x < n; ++x) {
            const auto pixel = plain.begin() + 54 + 3 * (n * (topDown ? n - 1 - row : row) + x);
            b.insert(b.end(), pixel, pixel + 3);
            if (bits == 32) b.push_back(0);
        }
    b[28] = std::uint8_t(bits);
    if (topDown) b[22] = 0, b[23] = 0xff, b[24] = 0xff, b[25] = 0xff;  // -256
    b[2] = b.size() & 0xff, b[3] = (b.size() >> 8) & 0xff, b[4] = (b.size() >> 16) & 0xff;
    files.sheetFileSize = files.sheet.size();
    files.widthsName = "font.dat";
    files.widthsPresent = true;
    files.widths.assign(pair.widths.begin(), pair.widths.end());
    return files;
}

TEST(FontPair, CodePage) {
    EXPECT_EQ(fontCodeCharacter(0x80), U'\u20AC');
    EXPECT_EQ(fontCodeCharacter(0x81), 0u);
    EXPECT_EQ(fontCodeCharacter(0xE9), U'\u00E9');
    EXPECT_EQ(fontCodeFor(U'\u20AC'), 0x80);
    EXPECT_EQ(fontCodeFor(U'\u0100'), -1);
}

TEST(FontPair, EachFaultAloneIsFoundAndMendedOnlyWhenNoGuessIsNeeded) {
    using Change = std::function<void(FontPairFiles&)>;
    // The sheet of `p` in place of the good one.
    const auto sheetOf = [](const FontPair& p) {
        return [=](FontPairFiles& f) {
            f.sheet = encodeBmp24(p.sheet);
            f.sheetFileSize = f.sheet.size();
        };
    };
    FontPair smoothed = goodPair(), white = goodPair();
    smoothed.sheet.set(17, 69, {60, 60, 60});
    for (Rgb& c : white.sheet.pixels)
        if (c == kFontForeground) c = {255, 255, 255};
    // The widths stored in two bytes each, the high byte `high`.
    const auto sixteenBit = [](unsigned char high) {
        return [=](FontPairFiles& f) {
            Bytes wide;
            for (unsigned char w : f.widths) wide.insert(wide.end(), {w, high});
            f.widths = wide;
        };
    };
    const struct {
        const char* name;
        Change change;
        const char* says;  // empty for a good pair
        bool mendable;
    } rows[] = {
        {"Good", [](FontPairFiles&) {}, "", false},
        {"NotABmp", [](FontPairFiles& f) { f.sheet.assign(2000, 'x'), f.sheetFileSize = 2000; },
         "not a picture this program recognises (2000 bytes)", false},
        {"WrongSize", sheetOf({RgbPicture(128, 256, kFontBackground), {}}), "128x256 pixels",
         false},
        {"SheetCutShort", [](FontPairFiles& f) { f.sheet.resize(30000), f.sheetFileSize = 30000; },
         "cut short", false},
        {"HeaderCutShort", [](FontPairFiles& f) { f.sheet.resize(20), f.sheetFileSize = 20; },
         "cut short", false},
        {"Compressed", [](FontPairFiles& f) { f.sheet[30] = 1; }, "compressed", false},
        {"BitFieldsOn24Bits", [](FontPairFiles& f) { f.sheet[30] = 3; }, "form of BMP", false},
        {"ThirtyTwoBits", [](FontPairFiles& f) { f = filesOf(goodPair(), 32); }, "32 bits", true},
        {"TopDown", [](FontPairFiles& f) { f = filesOf(goodPair(), 24, true); }, "from the top",
         true},
        {"Smoothed", sheetOf(smoothed), "3 colours", true},
        {"WrongColours", sheetOf(white), "are not the background", true},
        {"NoWidths", [](FontPairFiles& f) { f.widthsPresent = false; },
         "widths file font.dat is not beside it", false},
        {"WidthsUnreadable", [](FontPairFiles& f) { f.widthsProblem = "a named pipe"; },
         "cannot be read: a named pipe", false},
        {"WidthsCutShort", [](FontPairFiles& f) { f.widths.resize(255); }, "has 255 bytes", false},
        {"SixteenBitWidths", sixteenBit(0),
         "the widths file has 512 bytes: it was saved with 16-bit widths", true},
        {"SixteenBitWidthsWithHighBytes", sixteenBit(1), "larger than 255", false},
        {"WidthZero", [](FontPairFiles& f) { f.widths[7] = 0; },
         "1 width is outside 1 to 16 (character 7 has width 0)", false},
        {"WidthSeventeen", [](FontPairFiles& f) { f.widths['A'] = 17; },
         "(character 65 'A' has width 17)", false},
        {"InkOutsideWidth", [](FontPairFiles& f) { f.widths['A'] = 7; },
         "1 character has ink at or right of its width (character 65 'A', width 7)", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FontPairFiles files = filesOf(goodPair());
        row.change(files);
        const FontPairReport report = checkFontPair(files);
        const std::string message = fontPairMismatchMessage("/f/font.bmp", report);
        if (*row.says == 0) {
            EXPECT_TRUE(report.ok()) << message;
            continue;
        }
        ASSERT_EQ(report.faults.size(), 1u) << message;
        EXPECT_NE(message.find(row.says), std::string::npos) << message;
        EXPECT_EQ(report.mendable(), row.mendable);
        EXPECT_EQ(message.find("Convert") != std::string::npos, row.mendable) << message;
        // What Convert writes passes the check and keeps the glyphs.
        const std::optional<FontPair> mended = mendFontPair(files);
        ASSERT_EQ(mended.has_value(), row.mendable);
        if (!mended) continue;
        EXPECT_TRUE(checkFontPair(filesOf(*mended)).ok());
        EXPECT_EQ(mended->widths, goodPair().widths);
        EXPECT_EQ(mended->sheet.at(17, 67), kFontForeground);
        EXPECT_EQ(mended->sheet.at(18, 67), kFontBackground);
    }
}

}  // namespace
}  // namespace kelvane
