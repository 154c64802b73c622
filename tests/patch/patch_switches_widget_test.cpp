#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include "ui_qt_main_window.h"
// after the generated Ui class
#include "patch_window_fixture.h"

namespace kelvane::testing {
namespace {

using SwitchesWindow = PatchWindowTest;

TEST_F(SwitchesWindow, DateFixBoxDrivesItsFourChoices) {
    ui.Check7->click();
    EXPECT_TRUE(ui.Option1->isEnabled());
    EXPECT_TRUE(ui.Option4->isChecked());
    EXPECT_EQ(state.Dx, "/D3");

    ui.Option2->click();
    EXPECT_EQ(state.Dx, "/D1");

    ui.Check7->click();
    EXPECT_FALSE(ui.Option2->isEnabled());
    EXPECT_TRUE(ui.Option2->isChecked());  // the mark stays, shown disabled
    EXPECT_EQ(state.Dx, "");

    ui.Check7->click();
    EXPECT_TRUE(ui.Option4->isChecked());
    EXPECT_FALSE(ui.Option2->isChecked());
    EXPECT_EQ(state.Dx, "/D3");
}

TEST_F(SwitchesWindow, AChoiceSelectedByTheProgramWhileUntickedIsUndone) {
    ui.Option2->setChecked(true);
    EXPECT_EQ(ui.dateFixGroup->checkedButton(), nullptr);
    EXPECT_EQ(state.Dx, "");

    // Programmatic ticking runs the same rule as a click.
    ui.Check7->setChecked(true);
    EXPECT_TRUE(ui.Option4->isChecked());
    EXPECT_EQ(state.Dx, "/D3");
    ui.Option1->setChecked(true);
    EXPECT_EQ(state.Dx, "/D0");
    EXPECT_FALSE(ui.Option4->isChecked());
}

TEST_F(SwitchesWindow, LanguageSelectorKeepsOneEntryAndItsFragment) {
    ui.Option9->click();
    EXPECT_EQ(state.Text4, "/T5");
    EXPECT_FALSE(ui.Option11->isChecked());
    ui.Option11->setChecked(true);
    EXPECT_EQ(state.Text4, "");
    EXPECT_FALSE(ui.Option9->isChecked());
    ui.Option10->click();
    EXPECT_EQ(state.Text4, "/T6");
    EXPECT_GE(focusMoves, 2);
}

using PositionWindow = PatchWindowTest;

TEST_F(PositionWindow, DefaultsAndSpinnersAreIndependentSources) {
    ui.ntsc->click();
    EXPECT_EQ(ui.textx->text(), "130");
    EXPECT_EQ(ui.texty->text(), "45");
    EXPECT_EQ(ui.textxhex->text(), "82");
    EXPECT_EQ(ui.textyhex->text(), "2D");
    EXPECT_EQ(focusMoves, 1);

    // The Y spinner still stands at 0: one step down gives 1, not 46.
    ui.VScroll1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(ui.texty->text(), "1");
    EXPECT_EQ(state.textyhex, "1");
    EXPECT_EQ(state.textxhex, "82");

    ui.pal->click();
    EXPECT_EQ(state.textxhex, "82");
    EXPECT_EQ(state.textyhex, "5A");
}

TEST_F(PositionWindow, SpinnerShowsHexAndStopsAtItsEnds) {
    ui.VScroll2->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(ui.VScroll2->value(), 0);
    EXPECT_EQ(state.textxhex, "00");  // no change at the lower end

    const std::pair<int, const char*> values[] = {{10, "A"}, {15, "F"}, {16, "10"}, {255, "FF"}};
    for (const auto& [value, hex] : values) {
        ui.VScroll2->setValue(value);
        EXPECT_EQ(ui.textxhex->text(), hex);
        EXPECT_EQ(ui.textx->text(), QString::number(value));
    }
    ui.VScroll2->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(ui.VScroll2->value(), 255);
    ui.VScroll2->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(state.textxhex, "F5");
    ui.VScroll2->setValue(0);
    EXPECT_EQ(state.textxhex, "0");
    EXPECT_EQ(state.textyhex, "00");
}

TEST_F(PositionWindow, TheLowerArrowRaisesTheValue) {
    window.show();
    QStyleOptionSlider option;
    option.initFrom(ui.VScroll1);
    option.orientation = Qt::Vertical;
    option.minimum = 0;
    option.maximum = 255;
    option.sliderValue = option.sliderPosition = 0;
    option.singleStep = 1;
    option.pageStep = 10;
    const QRect lower = ui.VScroll1->style()->subControlRect(
        QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarAddLine, ui.VScroll1);
    ASSERT_TRUE(lower.isValid());
    QTest::mouseClick(ui.VScroll1, Qt::LeftButton, {}, lower.center());
    EXPECT_EQ(ui.VScroll1->value(), 1);
    EXPECT_EQ(state.textyhex, "1");
}

TEST_F(PositionWindow, HexFieldsTakeOnlyOneOrTwoHexDigitsAsTyped) {
    ui.textxhex->clear();
    QTest::keyClicks(ui.textxhex, "g5Xb7");
    EXPECT_EQ(ui.textxhex->text(), "5b");
    EXPECT_EQ(state.textxhex, "5b");  // sent as typed
    EXPECT_EQ(state.textx, "00");     // the decimal display is not derived from it
}

TEST_F(PositionWindow, HelpShowsItsTextAndChangesNothing) {
    ui.Command1->click();
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].text,
              "Lower values move left/up. Higher values move right/down.");
    EXPECT_EQ(platform.messages.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(state.textxhex, "00");
    EXPECT_EQ(focusMoves, 1);
}

}  // namespace
}  // namespace kelvane::testing
