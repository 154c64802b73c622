// A patch run from the "Patch" button to the files on disk: the real process
// runner starts the stand-in tools in a temporary kit whose path has blanks,
// and the stand-ins log the arguments they received.

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/qt_process_runner_impl.h"
#include "tool_log.h"
#include "ui_qt_main_window.h"
// after the generated Ui class
#include "patch/patch_window_fixture.h"

namespace kelvane::testing {
namespace {

using Args = std::vector<std::string>;

// Constructed before the window that uses it.
struct RealRunner {
    QtProcessRunner runner;
};

class PatchEndToEnd : private RealRunner, public PatchWindowTest {
  protected:
    PatchEndToEnd() : PatchWindowTest(&runner) {
        runner.setWindow(&window);
        runner.setConsoleClosesWhenDone(true);
        const QDir built(QStringLiteral(KELVANE_TEST_KIT_DIR));
        QDir(kit.path()).mkpath("tools");
        QDir(kit.path()).mkpath("samples");
        for (const char* file : {"tools/hdlpatch.exe", "tools/ps2-packer.exe", "samples/DEMO.ELF"})
            EXPECT_TRUE(QFile::copy(built.filePath(file), kitPath(file)));
        qputenv(tools::kToolLogVariable, QFile::encodeName(kitPath("tool log.txt")));
        state.openelf = str("samples/DEMO.ELF");
    }
    ~PatchEndToEnd() override { qunsetenv(tools::kToolLogVariable); }

    std::string str(const QString& relative) const { return kitPath(relative).toStdString(); }
    std::vector<tools::ToolLogRecord> log() const {
        return tools::readToolLog(str("tool log.txt"));
    }
};

TEST_F(PatchEndToEnd, DirectRunPassesEverySwitchAndWritesTheOutput) {
    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{
             ui.Check1, ui.Check4, ui.Check7, ui.Option3, ui.Option5, ui.ntsc})
        button->click();
    ui.Command2->click();

    const auto records = log();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].tool, "hdlpatch");
    EXPECT_EQ(records[0].args, (Args{"/n", "/b", "/D2", "/T1", "/P", "82,2D",
                                     str("samples/DEMO.ELF"), str("OUTFILE.ELF")}));
    EXPECT_TRUE(QFile::exists(kitPath("OUTFILE.ELF")));
    EXPECT_FALSE(QFile::exists(kitPath("a.bat")));
    EXPECT_GE(focusMoves, 1);
    EXPECT_TRUE(platform.messages.shown.empty()) << lastMessage().toStdString();
}

TEST_F(PatchEndToEnd, PackingRunPatchesThenPacksInTheProgramDirectory) {
    ui.text13->setText(QStringLiteral("MY GAME.ELF"));
    ui.pal->click();
    ui.Check8->click();
    ui.Command2->click();

    const auto records = log();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].tool, "hdlpatch");
    EXPECT_EQ(records[0].args, (Args{"/P", "82,5A", str("samples/DEMO.ELF"), str("MY GAME.ELF")}));
    EXPECT_EQ(records[1].tool, "ps2-packer");
    EXPECT_EQ(records[1].args, (Args{str("MY GAME.ELF"), str("PACKED_OUTFILE.ELF")}));
    for (const auto& record : records)
        EXPECT_TRUE(QFileInfo(QString::fromStdString(record.cwd)) == QFileInfo(kit.path()))
            << record.cwd;
    EXPECT_TRUE(QFile::exists(kitPath("PACKED_OUTFILE.ELF")));
    EXPECT_TRUE(platform.messages.shown.empty()) << lastMessage().toStdString();
}

TEST_F(PatchEndToEnd, FailuresAreJudgedByEffectAndNothingStaleIsPacked) {
    // The stand-in refuses a file that is not an unpacked loader; the output
    // of an earlier run must neither pass for its work nor be packed.
    for (const char* file : {"samples/WRONG.ELF", "OUTFILE.ELF"}) {
        QFile old(kitPath(file));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("not a loader");
    }
    state.openelf = str("samples/WRONG.ELF");
    ui.ntsc->click();
    ui.Check8->click();
    ui.Command2->click();
    ASSERT_EQ(log().size(), 1u);
    EXPECT_FALSE(QFile::exists(kitPath("PACKED_OUTFILE.ELF")));
    EXPECT_TRUE(lastMessage().startsWith("HDLPatch did not write the patched loader:\n" +
                                         kitPath("OUTFILE.ELF")));
    EXPECT_TRUE(lastMessage().contains("ps2-packer was not started"));

    ASSERT_TRUE(QFile::remove(kitPath("tools/hdlpatch.exe")));
    ui.Command2->click();
    EXPECT_EQ(platform.messages.shown.size(), 2u);
    EXPECT_TRUE(lastMessage().startsWith("HDLPatch could not be started:\n" +
                                         kitPath("tools/hdlpatch.exe")))
        << lastMessage().toStdString();
    EXPECT_EQ(log().size(), 1u);
}

}  // namespace
}  // namespace kelvane::testing
