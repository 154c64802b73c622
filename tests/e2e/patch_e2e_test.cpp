// A patch run from the "Patch" button to the files on disk: the real process
// runner starts the stand-in tools in a temporary kit whose path has blanks,
// and the stand-ins log the arguments they received.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include "app/qt_main_window.h"
#include "platform/qt_process_runner_impl.h"
#include "support/fake_platform.h"
#include "tool_log.h"
#include "ui_qt_main_window.h"

namespace kelvane::testing {
namespace {

using tools::readToolLog;
using tools::ToolLogRecord;

class PatchEndToEnd : public ::testing::Test {
  protected:
    PatchEndToEnd()
        : kit(QDir::tempPath() + QStringLiteral("/e2e kit XXXXXX")),
          window(ProgramDirectory(QDir::toNativeSeparators(kit.path()).toStdString(),
                                  QDir::separator().toLatin1()),
                 PlatformServices{fakes.messages, fakes.dialogs, runner, fakes.desktop}),
          ui(window.ui()),
          state(window.state()) {
        runner.setWindow(&window);
        runner.setConsoleClosesWhenDone(true);

        const QDir built(QStringLiteral(KELVANE_TEST_KIT_DIR));
        QDir(kit.path()).mkpath(QStringLiteral("tools"));
        QDir(kit.path()).mkpath(QStringLiteral("samples"));
        for (const QString& tool :
             {QStringLiteral("hdlpatch.exe"), QStringLiteral("ps2-packer.exe")}) {
            EXPECT_TRUE(QFile::copy(built.filePath("tools/" + tool), path("tools/" + tool)));
        }
        EXPECT_TRUE(QFile::copy(built.filePath("samples/DEMO.ELF"), path("samples/DEMO.ELF")));

        logFile = path("tool log.txt");
        qputenv(tools::kToolLogVariable, QFile::encodeName(logFile));
        state.openelf = path("samples/DEMO.ELF").toStdString();
    }
    ~PatchEndToEnd() override { qunsetenv(tools::kToolLogVariable); }

    QString path(const QString& relative) const {
        return QDir::toNativeSeparators(kit.path() + QLatin1Char('/') + relative);
    }
    std::string str(const QString& relative) const { return path(relative).toStdString(); }

    std::vector<ToolLogRecord> log() const { return readToolLog(logFile.toStdString()); }

    QStringList messages() const {
        QStringList texts;
        for (const auto& shown : fakes.messages.shown) texts << shown.text;
        return texts;
    }

    QTemporaryDir kit;
    FakePlatform fakes;
    QtProcessRunner runner;
    MainWindow window;
    Ui::MainWindow& ui;
    FormState& state;
    QString logFile;
};

TEST_F(PatchEndToEnd, DirectRunPassesEverySwitchAndWritesTheOutput) {
    ui.Check1->click();
    ui.Check4->click();
    ui.Check7->click();
    ui.Option3->click();
    ui.Option5->click();
    ui.ntsc->click();
    ui.Command2->click();

    const auto records = log();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].tool, "hdlpatch");
    const std::vector<std::string> expected{
        "/n", "/b", "/D2", "/T1", "/P", "82,2D", str("samples/DEMO.ELF"), str("OUTFILE.ELF")};
    EXPECT_EQ(records[0].args, expected);
    EXPECT_TRUE(QFile::exists(path("OUTFILE.ELF")));
    EXPECT_TRUE(messages().isEmpty()) << messages().join("\n").toStdString();
    EXPECT_FALSE(QFile::exists(path("a.bat")));
}

TEST_F(PatchEndToEnd, PackingRunPatchesThenPacksInTheProgramDirectory) {
    ui.text13->setText(QStringLiteral("MY GAME.ELF"));
    ui.pal->click();
    ui.Check8->click();
    ui.Command2->click();

    const auto records = log();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].tool, "hdlpatch");
    const std::vector<std::string> patchArgs{"/P", "82,5A", str("samples/DEMO.ELF"),
                                             str("MY GAME.ELF")};
    EXPECT_EQ(records[0].args, patchArgs);
    EXPECT_EQ(records[1].tool, "ps2-packer");
    const std::vector<std::string> packArgs{str("MY GAME.ELF"), str("PACKED_OUTFILE.ELF")};
    EXPECT_EQ(records[1].args, packArgs);
    for (const auto& record : records) {
        EXPECT_TRUE(QFileInfo(QString::fromStdString(record.cwd)) == QFileInfo(kit.path()))
            << record.cwd;
    }
    EXPECT_TRUE(QFile::exists(path("MY GAME.ELF")));
    EXPECT_TRUE(QFile::exists(path("PACKED_OUTFILE.ELF")));
    EXPECT_TRUE(messages().isEmpty()) << messages().join("\n").toStdString();
}

TEST_F(PatchEndToEnd, AFailingPatchIsReportedAndNothingIsPacked) {
    // The stand-in refuses a file that is not an unpacked loader.
    QFile wrong(path("samples/WRONG.ELF"));
    ASSERT_TRUE(wrong.open(QIODevice::WriteOnly));
    wrong.write("not a loader");
    wrong.close();
    state.openelf = path("samples/WRONG.ELF").toStdString();
    ui.ntsc->click();
    ui.Check8->click();
    ui.Command2->click();

    ASSERT_EQ(log().size(), 1u);
    EXPECT_FALSE(QFile::exists(path("PACKED_OUTFILE.ELF")));
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith("HDLPatch did not write the patched loader:\n" +
                                         path("OUTFILE.ELF")));
    EXPECT_TRUE(messages()[0].contains("ps2-packer was not started"));
}

TEST_F(PatchEndToEnd, AMissingToolIsReportedByName) {
    ASSERT_TRUE(QFile::remove(path("tools/hdlpatch.exe")));
    ui.ntsc->click();
    ui.Command2->click();

    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(
        messages()[0].startsWith("HDLPatch could not be started:\n" + path("tools/hdlpatch.exe")))
        << messages()[0].toStdString();
    EXPECT_TRUE(log().empty());
}

}  // namespace
}  // namespace kelvane::testing
