#include "skin/colour_table.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(ColourTable, StatesOnlyGoForwardAndSetTheButtons) {
    using S = ColourTableState;
    using E = ColourTableEvent;
    struct Step {
        E event;
        S expected;
        bool open, save;
    };
    // Open and Save cannot move the frame before the step that enables them.
    const Step walk[] = {
        {E::Opened, S::Initial, false, false},    {E::Saved, S::Initial, false, false},
        {E::Preloaded, S::Editable, true, false}, {E::Saved, S::Editable, true, false},
        {E::Opened, S::ReadyToArm, true, true},   {E::Preloaded, S::ReadyToArm, true, true},
        {E::Saved, S::Armed, true, true},         {E::Preloaded, S::Armed, true, true},
        {E::Opened, S::Armed, true, true},
    };
    S state = S::Initial;
    for (const Step& step : walk) {
        state = nextColourTableState(state, step.event);
        EXPECT_EQ(state, step.expected);
        EXPECT_EQ(colourOpenEnabled(state), step.open);
        EXPECT_EQ(colourSaveEnabled(state), step.save);
        EXPECT_EQ(colourTableArmed(state), state == S::Armed);
    }
}

TEST(ColourTable, HelpTextIsOneParagraphOf470Characters) {
    EXPECT_EQ(kColourTableHelpText.size(), 470u);
    EXPECT_EQ(kColourTableHelpText.find_first_of("\r\n"), std::string::npos);
}

}  // namespace
}  // namespace kelvane
