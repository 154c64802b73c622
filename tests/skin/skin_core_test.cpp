#include <gtest/gtest.h>

#include <tuple>

#include "core/messages.h"
#include "skin/colour_table.h"
#include "skin/graphics_extraction.h"
#include "skin/image_slots.h"

namespace kelvane {
namespace {

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
    EXPECT_NE(kButtonImageHelpText.find(std::string("of") + kLineBreak + "128x64"),
              std::string::npos);
#ifndef _WIN32
    EXPECT_EQ(kButtonImageHelpText.find('\r'), std::string::npos);
#endif
}

}  // namespace
}  // namespace kelvane
