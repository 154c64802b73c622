#include <QFile>
#include <QTest>

#include "common/ps2_elf.h"
#include "patch/patch_composition.h"
#include "patch/qt_patch_run_controller.h"
#include "skin/qt_extraction_controller.h"
#include "ui_qt_main_window.h"  // and the widget classes it uses
// after the generated Ui class
#include "patch_window_fixture.h"
#include "support/file_bytes.h"

namespace kelvane::testing {
namespace {

// Whether `group` can be used, its ticked entries and the fragment they give.
std::string choices(QButtonGroup* group, const std::string& fragment) {
    QStringList shown{group->buttons().front()->isEnabled() ? "on" : "off"};
    for (QAbstractButton* button : group->buttons())
        if (button->isChecked()) shown << button->objectName();
    return (shown.join(QLatin1Char(' ')) + QLatin1Char(' ')).toStdString() + fragment;
}

TEST_F(PatchWindowTest, ADateFixIsChosenOnlyWhileItsBoxIsTicked) {
    ui.Option2->setChecked(true);  // undone while unticked
    EXPECT_EQ(choices(ui.dateFixGroup, state.Dx), "off ");
    ui.Check7->click();
    ui.Option2->click();
    EXPECT_EQ(choices(ui.dateFixGroup, state.Dx), "on Option2 /D1");
    ui.Check7->click();  // the mark stays, shown disabled
    EXPECT_EQ(choices(ui.dateFixGroup, state.Dx), "off Option2 ");
    ui.Check7->setChecked(true);  // ticking, by the program too, starts at /D3
    EXPECT_EQ(choices(ui.dateFixGroup, state.Dx), "on Option4 /D3");
}

// The four position fields as shown: decimal X and Y, hexadecimal X and Y.
std::string position(const Ui::MainWindow& ui) {
    const QStringList fields{ui.textx->text(), ui.texty->text(), ui.textxhex->text(),
                             ui.textyhex->text()};
    return fields.join(QLatin1Char(' ')).toStdString();
}

TEST_F(PatchWindowTest, PositionSourcesAreIndependent) {
    ui.ntsc->click();
    EXPECT_EQ(position(ui), "130 45 82 2D");
    // The spinners still stand at 0: a step gives 1, not 46, a page 10, not 140.
    ui.VScroll1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    ui.VScroll2->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(position(ui), "10 1 A 1");
    // Typed hex digits are sent as typed; the decimal display does not follow them.
    ui.textxhex->clear();
    QTest::keyClicks(ui.textxhex, "g5Xb7");
    EXPECT_EQ(position(ui), "10 1 5b 1");
    EXPECT_EQ(state.textxhex, "5b");
}

// A small PS2 program, like the ones the tools write.
QByteArray ps2Program() {
    tools::Bytes bytes(0x80 + 16, 0);
    tools::writePs2ElfHeaders(bytes, {0x80, 0x100000, 16, 16, 0x100000});
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

void touch(const QString& path, const QByteArray& content = ps2Program()) {
    ASSERT_TRUE(writeBytes(path, content));
}

class BatchPackingRun : public PatchWindowTest {
  protected:
    BatchPackingRun() {
        controller->setPackingMethod(PackingMethod::BatchFile);
        controller->setSystemDirectory("C:\\Windows\\System32");
        state.openelf = kitPath("samples/HDL LOADER.ELF").toStdString();
        ui.ntsc->click();
        ui.Check8->click();
    }
    PatchRunController* controller = window.findChild<PatchRunController*>();
};

TEST_F(BatchPackingRun, RefusalsShowTheirMessageAndStartNothing) {
    QDir(kit.path()).mkdir("a.bat");  // the batch file cannot be written
    ui.Command2->click();
    EXPECT_TRUE(lastMessage().startsWith("The packing batch file could not be written:\n" +
                                         kitPath("a.bat")));
    ui.text13->setText("../OUT.ELF");
    ui.Command2->click();
    EXPECT_TRUE(lastMessage().contains("output name"));
    EXPECT_EQ(platform.messages.shown.back().icon, MessageIcon::Error);
    EXPECT_TRUE(platform.runner.calls.empty());
    EXPECT_EQ(focusMoves, 3);  // NTSC and each "Patch"
}

// Run tool by tool, the packer runs only on a loader that HDLPatch wrote
// whole as a PS2 program (the verdict test has every case): an older one left
// in place does not count as written.
TEST_F(BatchPackingRun, AnOlderPatchedLoaderIsNotPacked) {
    controller->setPackingMethod(PackingMethod::ToolSteps);
    touch(kitPath("OUTFILE.ELF"), "an older patched loader");
    ui.Command2->click();
    EXPECT_EQ(platform.runner.calls.size(), 1u);
    EXPECT_EQ(platform.messages.shown.back().icon, MessageIcon::Error);
    EXPECT_TRUE(lastMessage().contains("ps2-packer was not started, so that no older file"))
        << lastMessage().toStdString();
}

// a.bat is written, run and deleted. However "Patch" or an extraction is
// pressed while the run is going (a click, an accessibility action, a call
// from the program), nothing else starts, and the buttons show the run.
TEST_F(BatchPackingRun, WritesRunsAndDeletesABatAndStartsNothingElseMeanwhile) {
    auto* extraction = window.findChild<ExtractionController*>();
    QByteArray batchDuringRun;
    platform.runner.onRun = [&](const ToolStep&) {
        batchDuringRun = readBytes(kitPath("a.bat"));
        EXPECT_FALSE(ui.Command2->isEnabled() || ui.Command13->isEnabled() ||
                     ui.Command8->isEnabled());
        controller->patch();
        ui.Command2->animateClick();
        extraction->extractGraphics();
        extraction->preloadGraphics();
        touch(kitPath("OUTFILE.ELF"));
        touch(kitPath("PACKED_OUTFILE.ELF"));
    };
    ui.Command2->click();
    QTest::qWait(200);  // let a queued click land if it were accepted

    ASSERT_EQ(platform.runner.calls.size(), 1u);
    EXPECT_EQ(QString::fromStdString(platform.runner.calls[0].step.commandLine),
              "\"C:\\Windows\\System32\\cmd.exe\" /d /c \"\"" + kitPath("a.bat") + "\"\"");
    EXPECT_EQ(batchDuringRun.toStdString(),
              batchFileText(batchFileLines(state, window.context().programDir)));
    EXPECT_FALSE(QFile::exists(kitPath("a.bat")));
    EXPECT_TRUE(platform.messages.shown.empty()) << lastMessage().toStdString();
    EXPECT_TRUE(ui.Command2->isEnabled() && ui.Command13->isEnabled() && ui.Command8->isEnabled());
    ui.Command2->click();  // after the run, the next one starts
    EXPECT_EQ(platform.runner.calls.size(), 2u);
}

}  // namespace
}  // namespace kelvane::testing
