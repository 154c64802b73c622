// The Qt-free skin logic: picture checks, converted names, the colour table,
// the extraction command line, the image slot fragments and the font pair.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "skin/colour_table.h"
#include "skin/colour_table_file.h"
#include "skin/font/font_bitmap.h"
#include "skin/font/font_pair_check.h"
#include "skin/graphics_extraction.h"
#include "skin/image_slots.h"
#include "skin/picture_check.h"
#include "skin/picture_facts.h"
#include "skin/picture_fit.h"

namespace kelvane {
namespace {

using Bytes = std::vector<unsigned char>;

// Writes `v` little-endian into `size` bytes at `at`.
void put(Bytes& b, std::size_t at, std::uint32_t v, int size = 4) {
    for (int i = 0; i < size; ++i) b[at + i] = (v >> (8 * i)) & 0xff;
}

// The 54 header bytes of a BMP and the size of the file they promise.
struct Head {
    Bytes bytes;
    std::uint64_t fullSize;
};

Head bmp(std::int32_t width, std::int32_t height, unsigned bits, std::uint32_t compression = 0) {
    Bytes b(54, 0);
    put(b, 0, 'B' | 'M' << 8, 2);
    const std::uint64_t stride = (std::uint64_t(width < 0 ? -width : width) * bits + 31) / 32 * 4;
    const std::uint64_t size = 54 + stride * std::uint64_t(height < 0 ? -height : height);
    put(b, 2, std::uint32_t(size));
    put(b, 10, 54);
    put(b, 14, 40);
    put(b, 18, std::uint32_t(width));
    put(b, 22, std::uint32_t(height));
    put(b, 26, 1, 2);
    put(b, 28, bits, 2);
    put(b, 30, compression);
    return {b, size};
}

Head tga(unsigned width, unsigned height, unsigned bits, unsigned type = 2) {
    Bytes b(18, 0);
    b[2] = static_cast<unsigned char>(type);
    put(b, 12, width, 2);
    put(b, 14, height, 2);
    b[16] = static_cast<unsigned char>(bits);
    return {b, 18 + std::uint64_t(width) * height * (bits / 8)};
}

// The signature and the start of the header of a 512x448 RGBA PNG.
const Bytes kPng512x448 = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0,    13, 'I',
                           'H',  'D', 'R', 0,   0,    2,    0,    0,    0, 1, 0xc0, 8,  6};

const ImageSlot kSplash = ImageSlot::SplashScreen, kMenu = ImageSlot::MainMenuScreen,
                kButton = ImageSlot::ButtonImage;

TEST(PictureHeaderCheck, TellsWhetherTheFileFitsAndWhatItIs) {
    const struct {
        const char* name;
        ImageSlot slot;
        Head head;
        std::string fileName;
        bool fits;
        const char* described;  // a part of what the message says the file is
        std::int64_t sizeChange = 0;
        std::size_t headKept = 64;
    } rows[] = {
        {"ScreenRight", kSplash, bmp(512, 448, 24), "s.bmp", true, "512x448"},
        {"MenuRightEvenNamedPng", kMenu, bmp(512, 448, 24), "m.png", true, "BMP"},
        {"Screen32Bit", kSplash, bmp(512, 448, 32), "s.bmp", false, "32 bits"},
        {"ScreenWrongSize", kMenu, bmp(640, 480, 24), "m.bmp", false, "640x480"},
        {"ScreenCompressed", kSplash, bmp(512, 448, 8, 1), "s.bmp", false, "compressed"},
        {"ScreenTopDown", kSplash, bmp(512, -448, 24), "s.bmp", false, "rows stored from the top"},
        {"ScreenCutShort", kSplash, bmp(512, 448, 24), "s.bmp", false, "cut short", -1},
        {"ScreenHeaderCutShort", kSplash, bmp(512, 448, 24), "s.bmp", false, "cut short", 0, 20},
        {"ScreenHugeHeader", kSplash, bmp(0x7fffffff, -0x7fffffff, 24), "s.bmp", false,
         "2147483647x2147483647"},
        {"ScreenPng", kSplash, Head{kPng512x448, 4096}, "s.png", false, "a PNG picture of 512x448"},
        {"ScreenUnknown", kMenu, Head{Bytes(64, 'x'), 64}, "m.bmp", false,
         "not a picture this program recognises (64 bytes)"},
        {"ButtonBmp", kButton, bmp(128, 64, 24), "b.bmp", true, "BMP"},
        {"ButtonBmp32", kButton, bmp(128, 64, 32), "b.bmp", false, "32 bits"},
        {"ButtonTarga", kButton, tga(128, 64, 32), "b.TGA", true, "Targa"},
        {"ButtonTargaRle", kButton, tga(128, 64, 32, 10), "b.tga", true, "compressed", -20000},
        {"ButtonTarga24", kButton, tga(128, 64, 24), "b.tga", false, "24 bits"},
        {"ButtonTargaCutShort", kButton, tga(128, 64, 32), "b.tga", false, "cut short", -1},
        {"ButtonTargaHeaderCutShort", kButton, tga(128, 64, 32), "b.tga", false, "cut short", 0,
         10},
        {"ButtonRaw", kButton, Head{Bytes(64, 0), 32768}, "b.RAW", true, "32768 bytes"},
        {"ButtonRawShort", kButton, Head{Bytes(64, 0), 32767}, "b.raw", false,
         "a RAW file of 32767 bytes"},
    };
    for (const auto& c : rows) {
        SCOPED_TRACE(c.name);
        const std::size_t kept = std::min(c.headKept, c.head.bytes.size());
        const std::uint64_t size = std::uint64_t(std::int64_t(c.head.fullSize) + c.sizeChange);
        const PictureFacts facts = describePicture(c.head.bytes.data(), kept, size, c.fileName);
        EXPECT_EQ(pictureFitsSlot(c.slot, facts), c.fits);
        const std::string message = pictureMismatchMessage(c.slot, "/p/" + c.fileName, facts, true);
        EXPECT_NE(message.find(c.described), std::string::npos) << message;
        EXPECT_NE(message.find(slotRequirement(c.slot)), std::string::npos);
        EXPECT_NE(message.find("Convert"), std::string::npos);
        // A picture that cannot be decoded (a format without its reader) offers
        // no Convert and says why.
        const std::string unreadable =
            pictureMismatchMessage(c.slot, "/p/" + c.fileName, facts, false);
        EXPECT_EQ(unreadable.find("Convert"), std::string::npos) << unreadable;
        EXPECT_NE(unreadable.find("cannot convert"), std::string::npos);
    }
}

TEST(ConvertedFileName, KeepsTheSourceNameMadeSafeAndNumbersLaterAttempts) {
    EXPECT_EQ(convertedFileName("holiday.photo.JPG", ImageSlot::SplashScreen, 1),
              "holiday.photo-splash.bmp");
    EXPECT_EQ(convertedFileName("menu.png", ImageSlot::MainMenuScreen, 3), "menu-main-3.bmp");
    EXPECT_EQ(convertedFileName("a\"b\tc:d.png", ImageSlot::ButtonImage, 1), "a_b_c_d-button.bmp");
    EXPECT_EQ(convertedFileName(".png", ImageSlot::ButtonImage, 1), ".png-button.bmp");
    EXPECT_EQ(convertedFileName("", ImageSlot::ButtonImage, 1), "picture-button.bmp");
}

TEST(ColourTableFile, UntouchedAndReEditedTablesStayByteIdentical) {
    const std::string tables[] = {
        "10104080 // 1_Menu background\r\n80808040 // 2_Box border\r\n",
        "10104080 // 1_Menu background\n# a note\n\n80808040 // 2_Box border",
        "\xEF\xBB\xBF"
        "10104080 // 1_After a byte order mark\r\nff00ff80 // 1_x\n\r\n",
        "1010408 // 1_too few digits\r\n10104080 // 3_bad scale\r\n10104080 //1_no blank\r\n",
    };
    for (const std::string& bytes : tables) {
        ColourTableFile table = parseColourTable(bytes);
        EXPECT_EQ(table.bytes, bytes);
        // Writing every entry's own colour back changes nothing either.
        for (std::size_t i = 0; i < table.lines.size(); ++i)
            if (table.lines[i].editable) setLineColour(table, i, toScreenColour(table.lines[i]));
        EXPECT_EQ(table.bytes, bytes);
    }
    EXPECT_EQ(parseColourTable(tables[1]).lines.size(), 4u);
    const ColourTableFile odd = parseColourTable(tables[3]);
    for (const ColourLine& line : odd.lines) EXPECT_FALSE(line.editable) << line.text;
    EXPECT_FALSE(parseColourTable(tables[2]).lines[0].editable);
}

TEST(ColourTableFile, AnEditChangesOnlyTheDigitsOfItsLineInTheFilesCase) {
    const std::string bytes =
        "10104080 // 1_Menu background\r\nab00cd40 // 1_lower case\nFFFFFF80 // 2_Scaled";
    ColourTableFile table = parseColourTable(bytes);
    ASSERT_EQ(table.lines.size(), 3u);
    setLineColour(table, 1, {0x12, 0xef, 0x00, 255});
    std::string expected = bytes;
    expected.replace(bytes.find("ab00cd40"), 8, "12ef0080");
    EXPECT_EQ(table.bytes, expected);

    setLineColour(table, 2, {255, 128, 0, 0});  // scale 2: written in 00-80
    expected.replace(bytes.find("FFFFFF80"), 8, "80400000");
    EXPECT_EQ(table.bytes, expected);
}

TEST(ColourTableFile, ScaleTwoAndAlphaMapTheEndsOfTheirRangeAndRoundTrip) {
    // File 00 and 80 are the ends of the screen range; beyond 80 shows as full.
    EXPECT_EQ((std::vector{screenLevel(0x00, 2), screenLevel(0x80, 2), screenLevel(0xFF, 2)}),
              (std::vector{0, 255, 255}));
    EXPECT_EQ((std::vector{fileLevel(255, 2), fileLevel(0, 2), fileLevel(0xC3, 1)}),
              (std::vector{0x80, 0x00, 0xC3}));
    for (int level = 0; level <= 0x80; ++level)
        EXPECT_EQ(fileLevel(screenLevel(level, 2), 2), level) << level;
    const ColourTableFile table = parseColourTable("40804080 // 2_Half\n");
    const ScreenColour shown = toScreenColour(table.lines[0]);
    EXPECT_EQ((std::vector{shown.red, shown.green, shown.alpha}), (std::vector{128, 255, 255}));
}

TEST(ColourTable, StatesOnlyGoForwardAndSetTheButtons) {
    using S = ColourTableState;
    using E = ColourTableEvent;
    // Event, new state, Open and Save enabled; Open and Save do nothing before their step.
    const std::tuple<E, S, bool, bool> walk[] = {
        {E::Opened, S::Initial, false, false},    {E::Saved, S::Initial, false, false},
        {E::Preloaded, S::Editable, true, false}, {E::Saved, S::Editable, true, false},
        {E::Opened, S::ReadyToArm, true, true},   {E::Preloaded, S::ReadyToArm, true, true},
        {E::Saved, S::Armed, true, true},         {E::Preloaded, S::Armed, true, true},
        {E::Opened, S::Armed, true, true},
    };
    S state = S::Initial;
    for (const auto& [event, expected, open, save] : walk) {
        state = nextColourTableState(state, event);
        EXPECT_EQ(state, expected);
        EXPECT_EQ(colourOpenEnabled(state), open);
        EXPECT_EQ(colourSaveEnabled(state), save);
        EXPECT_EQ(colourTableArmed(state), state == S::Armed);
    }
}

TEST(GraphicsExtraction, CommandLineAndMessageOnWindowsAndRefusedUnquotablePaths) {
    const ProgramDirectory kit("C:\\Kit", '\\');
    EXPECT_EQ(graphicsExtractionCommandLine(kit, "D:\\PS2\\HDLOADER.ELF"),
              "\"C:\\Kit\\tools\\hdlpatch.exe\" /X \"D:\\PS2\\HDLOADER.ELF\"");
    EXPECT_TRUE(extractionCommandLineIsFaithful(ProgramDirectory("C:\\My Kit", '\\'),
                                                "D:\\PS2 games\\HDLOADER.ELF"));
    EXPECT_TRUE(extractionCommandLineIsFaithful(ProgramDirectory("C:\\", '\\'), "C:\\a.ELF"));
    EXPECT_FALSE(extractionCommandLineIsFaithful(kit, "D:\\odd\"name.ELF"));
    EXPECT_FALSE(extractionCommandLineIsFaithful(ProgramDirectory("/a\"b", '/'), "/x.ELF"));
}

TEST(ImageSlots, FontFragmentBareNamesAndTheThreeLineHelp) {
    FormState state;
    EXPECT_EQ(chooseSlotFile(state, ImageSlot::Font, "E:\\f o\\font.bmp", '\\'), "font.bmp");
    EXPECT_EQ(state.Text1, "/IF \"E:\\f o\\font.bmp\"");
    EXPECT_EQ(bareFileName("C:/Art/menu.bmp", '\\'), "menu.bmp");
    EXPECT_EQ(bareFileName("C:menu.bmp", '\\'), "menu.bmp");
    // A backslash is an ordinary character in a file name on Linux.
    EXPECT_EQ(bareFileName("/home/me/a\\b.bmp", '/'), "a\\b.bmp");
    // Lines end as message boxes on this system expect: no stray CR on Linux.
#ifndef _WIN32
    EXPECT_EQ(kButtonImageHelpText.find('\r'), std::string::npos);
#endif
}

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
