#include <gtest/gtest.h>

#include <algorithm>

#include "skin/bitmap_completeness.h"
#include "skin/colour_table.h"
#include "skin/graphics_extraction.h"
#include "skin/image_slots.h"

namespace kelvane {
namespace {

// Checks a file of `fileSize` bytes that starts with a bitmap file header and
// a 40-byte info header.
BitmapCompleteness check(std::int32_t width, std::int32_t height, int bits, std::uint64_t fileSize,
                         std::uint32_t compression = 0, std::uint32_t imageSize = 0) {
    unsigned char b[54] = {'B', 'M'};
    const auto put = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    b[26] = 1, b[28] = static_cast<unsigned char>(bits);
    put(10, 54), put(14, 40), put(18, width), put(22, height), put(30, compression);
    put(34, imageSize);
    return checkBitmapCompleteness(b, sizeof b, fileSize);
}

TEST(BitmapCompleteness, OnlyAFileWithAllItsPixelDataIsComplete) {
    using enum BitmapCompleteness;
    // Rows of 9 bytes are padded to 12; a top-down (negative) height counts too.
    EXPECT_EQ(check(3, -2, 24, 54 + 24), Complete);
    EXPECT_EQ(check(3, -2, 24, 54 + 18), Truncated);
    // Compressed data: only the stated size can be checked.
    EXPECT_EQ(check(512, 448, 8, 54 + 4999, 1, 5000), Truncated);
    EXPECT_EQ(check(0x7fffffff, 0x7fffffff, 32, 1 << 20), Truncated);
    // A 40-byte info header cut off after 16 bytes, and a file of another kind.
    unsigned char cut[30] = {'B', 'M'}, other[10] = {0, 0, 2};
    cut[14] = 40;
    EXPECT_EQ(checkBitmapCompleteness(cut, sizeof cut, sizeof cut), Truncated);
    EXPECT_EQ(checkBitmapCompleteness(other, sizeof other, 100), NotABitmap);
}

TEST(ColourTable, StatesOnlyGoForwardAndSetTheButtons) {
    using S = ColourTableState;
    using E = ColourTableEvent;
    // Open and Save cannot move the frame before the step that enables them.
    const struct {
        E event;
        S expected;
        bool open, save;
    } walk[] = {
        {E::Opened, S::Initial, false, false},    {E::Saved, S::Initial, false, false},
        {E::Preloaded, S::Editable, true, false}, {E::Saved, S::Editable, true, false},
        {E::Opened, S::ReadyToArm, true, true},   {E::Preloaded, S::ReadyToArm, true, true},
        {E::Saved, S::Armed, true, true},         {E::Preloaded, S::Armed, true, true},
        {E::Opened, S::Armed, true, true},
    };
    S state = S::Initial;
    for (const auto& step : walk) {
        state = nextColourTableState(state, step.event);
        EXPECT_EQ(state, step.expected);
        EXPECT_EQ(colourOpenEnabled(state), step.open);
        EXPECT_EQ(colourSaveEnabled(state), step.save);
        EXPECT_EQ(colourTableArmed(state), state == S::Armed);
    }
}

TEST(GraphicsExtraction, CommandLineAndMessageOnWindowsAndRefusedUnquotablePaths) {
    const ProgramDirectory kit("C:\\Kit", '\\');
    EXPECT_EQ(graphicsExtractionCommandLine(kit, "D:\\PS2\\HDLOADER.ELF"),
              "\"C:\\Kit\\tools\\hdlpatch.exe\" /X \"D:\\PS2\\HDLOADER.ELF\"");
    EXPECT_EQ(previewDirectory(kit), "C:\\Kit\\hdl_gfx_tmp");
    EXPECT_EQ(graphicsExtractedMessage(kit), "Graphics extracted into C:\\Kit\\hdl_gfx");
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
    EXPECT_EQ(state.CommonDialog2.fileName, "font.bmp");
    EXPECT_EQ(bareFileName("C:/Art/menu.bmp", '\\'), "menu.bmp");
    EXPECT_EQ(bareFileName("C:menu.bmp", '\\'), "menu.bmp");
    // A backslash is an ordinary character in a file name on Linux.
    EXPECT_EQ(bareFileName("/home/me/a\\b.bmp", '/'), "a\\b.bmp");

    const std::string& help = kButtonImageHelpText;
    EXPECT_EQ(std::count(help.begin(), help.end(), '\n'), 2);
    EXPECT_EQ(std::count(help.begin(), help.end(), '\r'), 2);
    EXPECT_EQ(help.find(" \r\n"), std::string::npos);
    EXPECT_TRUE(help.ends_with("format file the current alpha data in HDL/HDA will be used."));
}

}  // namespace
}  // namespace kelvane
