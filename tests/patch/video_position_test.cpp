#include <gtest/gtest.h>

#include "patch/video_position.h"

namespace kelvane {
namespace {

TEST(VideoPosition, HexFormHasNoLeadingZerosAndUpperCaseDigits) {
    const std::pair<int, const char*> cases[] = {{0, "0"},   {1, "1"},    {10, "A"},
                                                 {15, "F"},  {16, "10"},  {45, "2D"},
                                                 {90, "5A"}, {130, "82"}, {255, "FF"}};
    for (const auto& [value, text] : cases) EXPECT_EQ(hexForm(value), text) << value;
    EXPECT_EQ(decimalForm(130), "130");
    EXPECT_EQ(decimalForm(0), "0");
}

TEST(VideoPosition, PositionTextMustBeOneOrTwoHexDigits) {
    for (const char* good : {"0", "00", "2D", "2d", "ff", "F"}) {
        EXPECT_TRUE(isPositionHexText(good)) << good;
    }
    for (const char* bad : {"", "100", "G", "2 ", " 2", "-1", "0x", "8,2"}) {
        EXPECT_FALSE(isPositionHexText(bad)) << bad;
    }
}

TEST(VideoPosition, DefaultsGoThroughTheSlidersAndPalAfterNtscChangesOnlyY) {
    FormState state;
    chooseDefaultPosition(state, VideoDefault::Ntsc);
    EXPECT_EQ(state.Slider1, 130);
    EXPECT_EQ(state.Slider2, 45);
    EXPECT_EQ(state.textx, "130");
    EXPECT_EQ(state.texty, "45");
    EXPECT_EQ(state.textxhex, "82");
    EXPECT_EQ(state.textyhex, "2D");

    chooseDefaultPosition(state, VideoDefault::Pal);
    EXPECT_EQ(state.textx, "130");
    EXPECT_EQ(state.textxhex, "82");
    EXPECT_EQ(state.texty, "90");
    EXPECT_EQ(state.textyhex, "5A");
}

TEST(VideoPosition, SpinnerValueOverwritesOnlyItsOwnCoordinate) {
    FormState state;
    setPositionX(state, 1);
    EXPECT_EQ(state.textx, "1");
    EXPECT_EQ(state.textxhex, "1");
    EXPECT_EQ(state.textyhex, "00");  // Y untouched, still the initial text

    setPositionX(state, 0);
    EXPECT_EQ(state.textxhex, "0");  // not "00"

    // After NTSC the Y spinner still stands at 0: one step gives 1, not 46.
    chooseDefaultPosition(state, VideoDefault::Ntsc);
    setPositionY(state, 1);
    EXPECT_EQ(state.texty, "1");
    EXPECT_EQ(state.textyhex, "1");
    EXPECT_EQ(state.textxhex, "82");
}

}  // namespace
}  // namespace kelvane
