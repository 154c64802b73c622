#include <gtest/gtest.h>

#include <QDir>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>

#include "main_window_fixture.h"

namespace kelvane {
namespace {

using testing::MainWindowTest;

// Follow-up controls are off until their first step is done (the skin window
// tests arm Command6 and Command11); only the hexadecimal position fields
// take typing; the default language is chosen.
TEST_F(MainWindowTest, StartsWithOnlyTheUsableControlsEnabled) {
    EXPECT_FALSE(ui().Option1->isEnabled() || ui().Text7->isEnabled() || ui().Text8->isEnabled());
    EXPECT_TRUE(ui().textx->isReadOnly() && ui().textfont->isReadOnly());
    EXPECT_FALSE(ui().textxhex->isReadOnly());
    EXPECT_TRUE(ui().Option11->isChecked());
}

// Like any vertical scroll bar, the spinners raise their value with the
// lower arrow, clicked where the style draws it, stopping at 0 and 255.
TEST_F(MainWindowTest, LowerSpinnerArrowRaisesTheValue) {
    for (QScrollBar* spinner : {window->ui().VScroll1, window->ui().VScroll2}) {
        QStyleOptionSlider option;
        option.initFrom(spinner);
        option.orientation = Qt::Vertical;
        option.maximum = 255;
        option.upsideDown = spinner->invertedAppearance();
        option.subControls = QStyle::SC_All;
        const auto arrow = [&](QStyle::SubControl part) {
            return spinner->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, spinner);
        };
        const QRect add = arrow(QStyle::SC_ScrollBarAddLine),
                    sub = arrow(QStyle::SC_ScrollBarSubLine);
        EXPECT_GT(add.center().y(), sub.center().y());
        QTest::mouseClick(spinner, Qt::LeftButton, {}, add.center());
        EXPECT_EQ(spinner->value(), 1);
        QTest::mouseClick(spinner, Qt::LeftButton, {}, sub.center());
        QTest::mouseClick(spinner, Qt::LeftButton, {}, sub.center());
        EXPECT_EQ(spinner->value(), 0);
        spinner->setValue(255);
        QTest::mouseClick(spinner, Qt::LeftButton, {}, add.center());
        EXPECT_EQ(spinner->value(), 255);
    }
}

// The wiring of "Open" to the box and the status panel; the decision itself
// is tested without the window.
TEST_F(MainWindowTest, OpenLoaderShowsItsVerdictInTheBoxAndTheStatusPanel) {
    platform.dialogs.answers = {writeFile("HDL 1.ELF", 2977792), writeFile("other.ELF", 2977791)};
    window->ui().mnuOpen->trigger();
    EXPECT_EQ(label("statusPanel1"), "Loaded: HDL 1.ELF");
    window->ui().mnuOpen->trigger();
    EXPECT_EQ(label("statusPanel1"), "Please load HDL/HDA (unpacked)");
    ASSERT_EQ(platform.messages.shown.size(), 2u);
    EXPECT_EQ(platform.messages.shown[1].icon, MessageIcon::Error);
}

TEST_F(MainWindowTest, QuitClosesTheWindowAndClearsThePreviewDirectory) {
    QDir kitDirectory(kitDir.path());
    ASSERT_TRUE(kitDirectory.mkdir("hdl_gfx_tmp"));
    writeFile("hdl_gfx_tmp/hdl_main.bmp", 10);
    writeFile("OUTFILE.ELF", 10);
    window->ui().mnuClose->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(kitDirectory.exists("hdl_gfx_tmp"));
    EXPECT_TRUE(kitDirectory.exists("OUTFILE.ELF"));
    EXPECT_TRUE(platform.messages.shown.empty());
}

}  // namespace
}  // namespace kelvane
