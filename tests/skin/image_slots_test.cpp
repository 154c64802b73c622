#include "skin/image_slots.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(ImageSlots, FragmentsKeepPathsWithBlanksWholeOnBothSeparators) {
    FormState state;
    EXPECT_EQ(chooseSlotFile(state, ImageSlot::MainMenuScreen, "C:\\Art\\menu 1.bmp", '\\'),
              "menu 1.bmp");
    EXPECT_EQ(state.Text10, " /IM \"C:\\Art\\menu 1.bmp\"");

    chooseSlotFile(state, ImageSlot::SplashScreen, "/home/me/my art/splash 2.BMP", '/');
    EXPECT_EQ(state.Text9, " /IS \"/home/me/my art/splash 2.BMP\"");
    EXPECT_EQ(state.CommonDialog4.fileName, "splash 2.BMP");

    chooseSlotFile(state, ImageSlot::ButtonImage, "D:\\b t\\button.RAW", '\\');
    EXPECT_EQ(state.pulsanti, "/IB \"D:\\b t\\button.RAW\"");

    chooseSlotFile(state, ImageSlot::Font, "/f o/font file.bmp", '/');
    EXPECT_EQ(state.Text1, "/IF \"/f o/font file.bmp\"");
    EXPECT_EQ(state.CommonDialog2.fullPath, "/f o/font file.bmp");
}

TEST(ImageSlots, SecondChoiceReplacesTheFirstAndTouchesNoOtherSlot) {
    FormState state;
    chooseSlotFile(state, ImageSlot::MainMenuScreen, "/a/first.bmp", '/');
    chooseSlotFile(state, ImageSlot::MainMenuScreen, "/b/second.bmp", '/');
    EXPECT_EQ(state.Text10, " /IM \"/b/second.bmp\"");
    EXPECT_EQ(state.CommonDialog3.fileName, "second.bmp");
    EXPECT_EQ(state.CommonDialog3.fullPath, "/b/second.bmp");
    EXPECT_TRUE(state.Text9.empty());
    EXPECT_TRUE(state.CommonDialog4.empty());
    EXPECT_TRUE(state.pulsanti.empty());
    EXPECT_TRUE(state.Text1.empty());
}

TEST(ImageSlots, BareNameDependsOnThePlatformSeparator) {
    EXPECT_EQ(bareFileName("C:\\Art\\menu.bmp", '\\'), "menu.bmp");
    EXPECT_EQ(bareFileName("C:/Art/menu.bmp", '\\'), "menu.bmp");
    EXPECT_EQ(bareFileName("C:menu.bmp", '\\'), "menu.bmp");
    // A backslash is an ordinary character in a file name on Linux.
    EXPECT_EQ(bareFileName("/home/me/a\\b.bmp", '/'), "a\\b.bmp");
    EXPECT_EQ(bareFileName("plain.bmp", '/'), "plain.bmp");
}

TEST(ImageSlots, FiltersShowTheirDescriptionsExactly) {
    EXPECT_STREQ(imageSlotRule(ImageSlot::ButtonImage).filter,
                 "*.TGA (32bit Targa)|*.TGA|*.RAW (32bit interleaved RAW)|*.RAW|"
                 "*.BMP (BMP Image)|*.BMP");
    EXPECT_STREQ(imageSlotRule(ImageSlot::MainMenuScreen).filter, "*.BMP (Splash BMP)|*.BMP");
    EXPECT_STREQ(imageSlotRule(ImageSlot::SplashScreen).filter, "*.BMP (Splash BMP)|*.BMP");
    EXPECT_STREQ(imageSlotRule(ImageSlot::Font).filter, "*.BMP (Load Font BMP)|*.BMP");
}

TEST(ImageSlots, PathsThatWouldBreakTheQuotingAreRefused) {
    EXPECT_TRUE(pathFitsFragment("/a b/c.bmp"));
    EXPECT_FALSE(pathFitsFragment("/a\"b/c.bmp"));
    EXPECT_FALSE(pathFitsFragment(""));
}

TEST(ImageSlots, ButtonHelpIsThreeLinesWithoutTrailingBlanks) {
    const std::string& text = kButtonImageHelpText;
    EXPECT_EQ(text,
              "/IB - Changes button image in HDA/HDL. Use '/IB file' with imageformat of\r\n"
              "128x64 24bit BMP, 32bit Targa or 32bit interleaved RAW. When using BMP\r\n"
              "format file the current alpha data in HDL/HDA will be used.");
    EXPECT_EQ(text.find(" \r\n"), std::string::npos);
    EXPECT_NE(text.back(), '\n');
}

}  // namespace
}  // namespace kelvane
