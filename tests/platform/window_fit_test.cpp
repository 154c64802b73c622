#include "platform/layout/window_fit.h"

#include <gtest/gtest.h>

using kelvane::Extent;
using kelvane::fitWindow;
using kelvane::FrameMargins;

namespace {

// A 692x700 form under a 22-dot menu bar and over a 40-dot status bar, in a
// frame of 4 dots with a 36-dot title bar; scroll bars 16 dots wide.
TEST(WindowFit, OpensWholeWhereItFitsAndScrollsWhereItDoesNot) {
    const FrameMargins frame{4, 36, 4, 4};
    const Extent form{692, 700};
    const int bars = 62, bar = 16;
    const int wholeWidth = 692 + 8, wholeHeight = 762 + 40;  // with the frame
    const struct {
        const char* name;
        Extent available;
        int width, height;
        bool across, down;
    } rows[] = {
        {"ExactlyFits", {wholeWidth, wholeHeight}, 692, 762, false, false},
        {"OneDotTooShort", {1366, wholeHeight - 1}, 708, 761, false, true},
        // The vertical scroll bar takes the room across that the form had.
        {"ScrollBarMakesItTooWide", {wholeWidth + 8, 736}, 700, 696, true, true},
        {"OnlyTooNarrow", {600, 1040}, 592, 778, true, false},
        // The horizontal scroll bar takes the room down that the form had.
        {"ScrollBarMakesItTooShort", {600, wholeHeight + 8}, 592, 770, true, true},
        {"AbsurdlySmall", {40, 50}, 32, 94, true, true},
    };
    for (const auto& row : rows) {
        const auto fit = fitWindow(row.available, frame, form, bars, bar);
        EXPECT_EQ(fit.window.width, row.width) << row.name;
        EXPECT_EQ(fit.window.height, row.height) << row.name;
        EXPECT_EQ(fit.scrollAcross, row.across) << row.name;
        EXPECT_EQ(fit.scrollDown, row.down) << row.name;
    }
}

}  // namespace
