#include "skin/image_slots.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(ImageSlots, WindowsPathsWithBlanksStayWholeBetweenTheQuotes) {
    FormState state;
    EXPECT_EQ(chooseSlotFile(state, ImageSlot::MainMenuScreen, "C:\\Art\\menu 1.bmp", '\\'),
              "menu 1.bmp");
    chooseSlotFile(state, ImageSlot::SplashScreen, "C:\\My Art\\s p.bmp", '\\');
    chooseSlotFile(state, ImageSlot::ButtonImage, "D:\\b t\\button.RAW", '\\');
    chooseSlotFile(state, ImageSlot::Font, "E:\\f o\\font.bmp", '\\');
    EXPECT_EQ(state.Text10, " /IM \"C:\\Art\\menu 1.bmp\"");
    EXPECT_EQ(state.Text9, " /IS \"C:\\My Art\\s p.bmp\"");
    EXPECT_EQ(state.pulsanti, "/IB \"D:\\b t\\button.RAW\"");
    EXPECT_EQ(state.Text1, "/IF \"E:\\f o\\font.bmp\"");
    EXPECT_EQ(state.CommonDialog2.fileName, "font.bmp");
}

TEST(ImageSlots, BareNameDependsOnThePlatformSeparator) {
    EXPECT_EQ(bareFileName("C:/Art/menu.bmp", '\\'), "menu.bmp");
    EXPECT_EQ(bareFileName("C:menu.bmp", '\\'), "menu.bmp");
    // A backslash is an ordinary character in a file name on Linux.
    EXPECT_EQ(bareFileName("/home/me/a\\b.bmp", '/'), "a\\b.bmp");
}

TEST(ImageSlots, ButtonHelpIsThreeLinesWithoutTrailingBlanks) {
    const std::string& text = kButtonImageHelpText;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2);
    EXPECT_EQ(text.find(" \r\n"), std::string::npos);
    EXPECT_TRUE(text.ends_with("format file the current alpha data in HDL/HDA will be used."));
}

}  // namespace
}  // namespace kelvane
