#include <QButtonGroup>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "patch/patch_composition.h"
#include "patch/qt_patch_run_controller.h"
#include "ui_qt_main_window.h"
// after the generated Ui class
#include "patch_window_fixture.h"

namespace kelvane::testing {
namespace {

using PatchWindow = PatchWindowTest;

TEST_F(PatchWindow, DateFixBoxDrivesItsFourChoices) {
    ui.Option2->setChecked(true);  // a choice set while unticked is undone
    EXPECT_EQ(ui.dateFixGroup->checkedButton(), nullptr);
    EXPECT_EQ(state.Dx, "");

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

    ui.Check7->setChecked(true);  // ticking by the program runs the same rule
    EXPECT_TRUE(ui.Option4->isChecked());
    EXPECT_FALSE(ui.Option2->isChecked());
    EXPECT_EQ(state.Dx, "/D3");
    ui.Option1->setChecked(true);
    EXPECT_EQ(state.Dx, "/D0");
}

TEST_F(PatchWindow, LanguageSelectorKeepsOneEntryAndItsFragment) {
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

TEST_F(PatchWindow, PositionDefaultsAndSpinnersAreIndependentSources) {
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

    // The X spinner too still stands at 0, its lower end: no change there.
    ui.VScroll2->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(state.textxhex, "82");
    ui.VScroll2->setValue(255);
    EXPECT_EQ(ui.textx->text(), "255");
    EXPECT_EQ(ui.textxhex->text(), "FF");
    ui.VScroll2->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    ui.VScroll2->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(state.textxhex, "F5");
    ui.VScroll2->setValue(0);
    EXPECT_EQ(state.textxhex, "0");
}

TEST_F(PatchWindow, HexFieldsTakeOnlyOneOrTwoHexDigitsAsTyped) {
    ui.textxhex->clear();
    QTest::keyClicks(ui.textxhex, "g5Xb7");
    EXPECT_EQ(ui.textxhex->text(), "5b");
    EXPECT_EQ(state.textxhex, "5b");  // sent as typed
    EXPECT_EQ(state.textx, "00");     // the decimal display is not derived from it
}

TEST_F(PatchWindow, PositionHelpShowsItsText) {
    ui.Command1->click();
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(lastMessage(), "Lower values move left/up. Higher values move right/down.");
    EXPECT_EQ(platform.messages.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(focusMoves, 1);
}

void touch(const QString& path, const QByteArray& content = "ELF") {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// A packing run through a batch file, with a loaded file and NTSC chosen.
class BatchPackingRun : public PatchWindowTest {
  protected:
    BatchPackingRun() {
        auto* controller = window.findChild<PatchRunController*>();
        controller->setPackingMethod(PackingMethod::BatchFile);
        controller->setSystemDirectory("C:\\Windows\\System32");
        state.openelf = kitPath("samples/HDL LOADER.ELF").toStdString();
        ui.ntsc->click();
        ui.Check8->click();
    }
};

TEST_F(BatchPackingRun, RefusalsShowTheirMessageAndStartNothing) {
    const std::string loaded = state.openelf;
    state.openelf.clear();
    ui.Command2->click();
    EXPECT_EQ(lastMessage(), "Please load HDL/HDA (unpacked)");
    EXPECT_EQ(platform.messages.shown.back().icon, MessageIcon::None);

    state.openelf = loaded;
    ui.text13->setText("../OUT.ELF");
    ui.Command2->click();
    EXPECT_TRUE(lastMessage().contains("output name"));
    EXPECT_EQ(platform.messages.shown.back().icon, MessageIcon::Error);

    ui.text13->setText("OUTFILE.ELF");
    QDir(kit.path()).mkdir("a.bat");  // the batch file cannot be written
    ui.Command2->click();
    EXPECT_TRUE(lastMessage().startsWith("The packing batch file could not be written:\n" +
                                         kitPath("a.bat")));
    EXPECT_TRUE(platform.runner.calls.empty());
}

TEST_F(BatchPackingRun, WritesRunsAndDeletesABat) {
    QByteArray batchDuringRun;
    platform.runner.onRun = [&](const ToolCommand&) {
        QFile bat(kitPath("a.bat"));
        if (bat.open(QIODevice::ReadOnly)) batchDuringRun = bat.readAll();
        touch(kitPath("OUTFILE.ELF"));
        touch(kitPath("PACKED_OUTFILE.ELF"));
    };
    ui.Command2->click();

    ASSERT_EQ(platform.runner.calls.size(), 1u);
    EXPECT_EQ(platform.runner.calls[0].style, WindowStyle::Normal);
    EXPECT_EQ(platform.runner.calls[0].command.commandLine,
              "\"C:\\Windows\\System32\\cmd.exe\" /d /c \"\"" + kitPath("a.bat") + "\"\"");
    EXPECT_EQ(batchDuringRun.toStdString(),
              batchFileText(batchFileLines(state, window.context().programDir)));
    EXPECT_FALSE(QFile::exists(kitPath("a.bat")));
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(BatchPackingRun, ReportsWhatWasNotWritten) {
    touch(kitPath("PACKED_OUTFILE.ELF"), "an older packed loader");
    platform.runner.onRun = [&](const ToolCommand&) { touch(kitPath("PACKED_OUTFILE.ELF")); };
    ui.Command2->click();
    EXPECT_TRUE(lastMessage().startsWith("HDLPatch did not write the patched loader:"));
    EXPECT_TRUE(lastMessage().contains("packed loader was made from an older file"));
    EXPECT_FALSE(QFile::exists(kitPath("a.bat")));
}

}  // namespace
}  // namespace kelvane::testing
