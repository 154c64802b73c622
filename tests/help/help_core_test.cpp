#include <gtest/gtest.h>

#include "help/credits_scroll.h"

namespace kelvane {
namespace {

TEST(CreditsScroll, RestartsOnTick1552ThenEvery1652TicksMovingOneDotPerFiveTicks) {
    EXPECT_EQ(twipsToPixels(-16), -2);
    CreditsScroll scroll;
    // No doubled pause around zero: each drawn position lasts five ticks.
    for (int i = 0; i < 1550; i += 5) {
        const int before = scroll.topPixels();
        for (int k = 0; k < 5; ++k) scroll.tick();
        ASSERT_EQ(scroll.topPixels(), before - 1) << "at top " << scroll.top();
    }
    scroll.tick();
    EXPECT_EQ(scroll.top(), -3253);
    scroll.tick();
    EXPECT_EQ(scroll.top(), 1700);
    for (int cycle = 0; cycle < 2; ++cycle) {
        int ticks = 1;
        for (scroll.tick(); ticks < 5000 && scroll.top() != 1700; ++ticks) scroll.tick();
        EXPECT_EQ(ticks, 1652);
    }
}

}  // namespace
}  // namespace kelvane
