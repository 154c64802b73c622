#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include "patch/patch_composition.h"
#include "patch/qt_patch_run_controller.h"
#include "ui_qt_main_window.h"
// after the generated Ui class
#include "patch_window_fixture.h"
#include "platform/command_line_split.h"

namespace kelvane::testing {
namespace {

void touch(const QString& path, const QByteArray& content = "ELF") {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

class PatchRun : public PatchWindowTest {
  protected:
    PatchRun() : controller(window.findChild<PatchRunController*>()) {
        loaded = kitPath("samples/HDL LOADER.ELF");
        QDir(kit.path()).mkpath("samples");
        touch(loaded);
        state.openelf = loaded.toStdString();
        ui.ntsc->click();
    }

    // The fake tools write the file named by their last argument.
    void toolsWriteTheirOutput() {
        platform.runner.onRun = [](const ToolCommand& command) {
            const auto args = splitWindowsCommandLine(command.commandLine.toStdString());
            touch(QString::fromStdString(args.back()), "patched");
        };
    }

    QString lastMessage() const {
        return platform.messages.shown.empty() ? QString() : platform.messages.shown.back().text;
    }

    PatchRunController* controller;
    QString loaded;
};

TEST_F(PatchRun, DirectRunStartsTheComposedLineAndStaysSilent) {
    toolsWriteTheirOutput();
    ui.Check1->click();
    ui.Command2->click();

    ASSERT_EQ(platform.runner.calls.size(), 1u);
    const auto& call = platform.runner.calls[0];
    EXPECT_EQ(call.command.commandLine,
              QString::fromStdString(patchCommandLine(state, window.context().programDir)));
    EXPECT_TRUE(call.command.commandLine.contains(" /n" + QString(8, ' ') + "/P 82,2D "));
    EXPECT_EQ(call.command.workingDirectory, "");
    EXPECT_EQ(call.style, WindowStyle::Normal);
    EXPECT_TRUE(platform.messages.shown.empty());
    EXPECT_FALSE(QFile::exists(kitPath("a.bat")));
    EXPECT_GE(focusMoves, 1);
}
TEST_F(PatchRun, RefusalsShowTheirMessageAndStartNothing) {
    state.openelf.clear();
    ui.Command2->click();
    EXPECT_EQ(lastMessage(), "Please load HDL/HDA (unpacked)");
    EXPECT_EQ(platform.messages.shown.back().icon, MessageIcon::None);

    state.openelf = loaded.toStdString();
    ui.text13->setText("../OUT.ELF");
    ui.Command2->click();
    EXPECT_TRUE(lastMessage().contains("output name"));
    EXPECT_EQ(platform.messages.shown.back().icon, MessageIcon::Error);

    ui.text13->setText("HDL LOADER.ELF");
    state.openelf = kitPath("HDL LOADER.ELF").toStdString();
    ui.Command2->click();
    EXPECT_TRUE(lastMessage().contains("overwrite the original"));

    EXPECT_TRUE(platform.runner.calls.empty());
}

TEST_F(PatchRun, OutputNameDrivesOnlyTheOutputPath) {
    const std::string packed = state.textpacked;
    ui.text13->setText("my.elf");
    EXPECT_EQ(state.Text2, kitPath("my.elf").toStdString());
    EXPECT_EQ(state.textpacked, packed);
    EXPECT_EQ(state.textpacked, kitPath("PACKED_OUTFILE.ELF").toStdString());
}

TEST_F(PatchRun, AStaleOutputIsNotPacked) {
    controller->setPackingMethod(PackingMethod::ToolSteps);
    touch(kitPath("OUTFILE.ELF"), "from an earlier run");
    ui.Check8->click();
    ui.Command2->click();  // the patch writes nothing

    EXPECT_EQ(platform.runner.calls.size(), 1u);
    EXPECT_TRUE(lastMessage().startsWith("HDLPatch did not write the patched loader:"));
    EXPECT_TRUE(lastMessage().contains("ps2-packer was not started"));
}

TEST_F(PatchRun, BatchPackingWritesRunsAndDeletesABat) {
    controller->setPackingMethod(PackingMethod::BatchFile);
    controller->setSystemDirectory("C:\\Windows\\System32");
    QByteArray batchDuringRun;
    platform.runner.onRun = [&](const ToolCommand&) {
        QFile bat(kitPath("a.bat"));
        if (bat.open(QIODevice::ReadOnly)) batchDuringRun = bat.readAll();
        touch(kitPath("OUTFILE.ELF"));
        touch(kitPath("PACKED_OUTFILE.ELF"));
    };
    ui.Check8->click();
    ui.Command2->click();

    ASSERT_EQ(platform.runner.calls.size(), 1u);
    EXPECT_EQ(platform.runner.calls[0].command.commandLine,
              "\"C:\\Windows\\System32\\cmd.exe\" /d /c \"\"" + kitPath("a.bat") + "\"\"");
    const ProgramDirectory& dir = window.context().programDir;
    EXPECT_EQ(batchDuringRun.toStdString(), batchFileText(batchFileLines(state, dir)));
    EXPECT_FALSE(QFile::exists(kitPath("a.bat")));
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(PatchRun, BatchPackingReportsWhatWasNotWritten) {
    controller->setPackingMethod(PackingMethod::BatchFile);
    touch(kitPath("PACKED_OUTFILE.ELF"), "an older packed loader");
    platform.runner.onRun = [&](const ToolCommand&) { touch(kitPath("PACKED_OUTFILE.ELF")); };
    ui.Check8->click();
    ui.Command2->click();
    EXPECT_TRUE(lastMessage().startsWith("HDLPatch did not write the patched loader:"));
    EXPECT_TRUE(lastMessage().contains("packed loader was made from an older file"));
    EXPECT_FALSE(QFile::exists(kitPath("a.bat")));
}

TEST(PatchRunBatch, AnUnwritableBatchFileIsReportedAndNothingRuns) {
    FakePlatform platform;
    MainWindow window(ProgramDirectory("/nonexistent/kelvane kit", '/'), platform.services());
    window.findChild<PatchRunController*>()->setPackingMethod(PackingMethod::BatchFile);
    window.state().openelf = "/tmp/HDL.ELF";
    window.ui().ntsc->click();
    window.ui().Check8->click();
    window.ui().Command2->click();

    EXPECT_TRUE(platform.runner.calls.empty());
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_TRUE(platform.messages.shown[0].text.startsWith(
        "The packing batch file could not be written:\n/nonexistent/kelvane kit/a.bat"));
}

}  // namespace
}  // namespace kelvane::testing
