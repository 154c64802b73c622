#include <gtest/gtest.h>

#include <QDir>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>

#include "main_window_fixture.h"

namespace kelvane {
namespace {

using testing::MainWindowTest;

// Before a loader is loaded and graphics are extracted their follow-up
// controls are off; of the position fields only the hexadecimal ones take
// typing; the default language is chosen.
TEST_F(MainWindowTest, StartsWithOnlyTheUsableControlsEnabled) {
    for (QWidget* off : std::initializer_list<QWidget*>{ui().Command6, ui().Command11, ui().Option1,
                                                        ui().Text7, ui().Text8})
        EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
    EXPECT_TRUE(ui().textx->isReadOnly() && ui().textfont->isReadOnly());
    EXPECT_FALSE(ui().textxhex->isReadOnly());
    EXPECT_TRUE(ui().Option11->isChecked());
}

// Like any vertical scroll bar, the spinners raise their value with the
// lower arrow and lower it with the upper one, stopping at 0 and 255. The
// arrows are found where the style draws them and clicked there.
TEST_F(MainWindowTest, LowerSpinnerArrowRaisesTheValue) {
    for (QScrollBar* spinner : {window->ui().VScroll1, window->ui().VScroll2}) {
        QStyleOptionSlider option;
        option.initFrom(spinner);
        option.orientation = Qt::Vertical;
        option.minimum = 0;
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

// The wiring of "Open": the dialog's filter, the box and the status panel;
// the decision itself is tested without the window.
TEST_F(MainWindowTest, OpenLoaderAcceptsExactSizeAndKeepsItAfterARejection) {
    const QString good = writeFile("HDL 1.ELF", 2977792);
    platform.dialogs.answers = {good, writeFile("other.ELF", 2977791)};

    window->ui().mnuOpen->trigger();
    EXPECT_EQ(platform.dialogs.filters,
              (std::vector<QString>{"*.ELF (PS2 Executable File)|*.ELF"}));
    EXPECT_EQ(label("statusPanel1"), "Loaded: HDL 1.ELF");
    window->ui().mnuOpen->trigger();
    EXPECT_EQ(label("statusPanel1"), "Please load HDL/HDA (unpacked)");
    ASSERT_EQ(platform.messages.shown.size(), 2u);
    EXPECT_EQ(platform.messages.shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(platform.messages.shown[1].icon, MessageIcon::Error);
    EXPECT_EQ(QString::fromStdString(window->state().openelf), good);
}

TEST_F(MainWindowTest, QuitClosesTheWindowAndClearsThePreviewDirectory) {
    QDir kitDirectory(kitDir.path());
    ASSERT_TRUE(kitDirectory.mkdir("hdl_gfx_tmp"));
    for (const char* name : {"hdl_main.bmp", "hdl_splash.bmp", "hdl_colors.txt"})
        writeFile(QString("hdl_gfx_tmp/") + name, 10);
    writeFile("OUTFILE.ELF", 10);

    window->ui().mnuClose->trigger();

    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(kitDirectory.exists("hdl_gfx_tmp"));
    EXPECT_TRUE(kitDirectory.exists("OUTFILE.ELF"));
    EXPECT_TRUE(platform.messages.shown.empty());
}

}  // namespace
}  // namespace kelvane
