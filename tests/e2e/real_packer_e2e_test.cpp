// Patch + Pack from the "Patch" button with the real ps2-packer, in the forms
// a user has it: the single file copied in as tools/ps2-packer.exe, and the
// modular build (bin/ps2-packer beside share/ps2-packer) found on the PATH or
// linked, by a link on the PATH or in the tools folder. The unpacked packer's
// folder comes from the build (KELVANE_TEST_PS2_PACKER_DIR) or from the
// environment variable KELVANE_PS2_PACKER_DIR; without it the tests are
// skipped, unless KELVANE_REQUIRE_REAL_PACKER is set.

#include <QFile>
#include <filesystem>

#include "patch/ps2_program_check.h"
#include "platform/process/qt_tool_runner.h"
#include "support/console_closer.h"
#include "support/stand_in_kit.h"
#include "ui_qt_main_window.h"  // and the widget classes it uses
// after the generated Ui class
#include "patch/patch_window_fixture.h"

namespace fs = std::filesystem;

namespace kelvane::testing {
namespace {

fs::path packerDir() {
    const QByteArray fromEnvironment = qgetenv("KELVANE_PS2_PACKER_DIR");
    return fromEnvironment.isEmpty() ? fs::path(KELVANE_TEST_PS2_PACKER_DIR)
                                     : fs::path(fromEnvironment.toStdString());
}

enum class Form {
    SingleFileInTools,
    ModularOnPath,
    ModularLinkedOnPath,
    ModularLinkedInTools,
    ModularWithoutItsStub,
};

// Constructed before the window that uses them.
struct RunnerAndElsewhere {
    QtToolRunner runner;
    QTemporaryDir elsewhere;  // the PATH folders
};

class RealPackerRun : private RunnerAndElsewhere, public PatchWindowTest {
  protected:
    explicit RealPackerRun(Form form)
        : PatchWindowTest(&runner, searchPathFor(form, elsewhere.path())), form_(form) {}

    void SetUp() override {
#ifdef Q_OS_WIN
        GTEST_SKIP() << "the real ps2-packer of these tests is a Linux program";
#endif
        if (!fs::is_regular_file(packerDir() / "bin" / "ps2-packer")) {
            if (!qEnvironmentVariableIsEmpty("KELVANE_REQUIRE_REAL_PACKER"))
                FAIL() << "no real ps2-packer in " << packerDir();
            GTEST_SKIP() << "no real ps2-packer in " << packerDir()
                         << " (scripts/build.sh unpacks ../shared/ps2-packer into build/)";
        }
        const fs::path bin = packerDir() / "bin";
        const fs::path tools = fs::path(kit.path().toStdString()) / "tools";
        const fs::path other = fs::path(elsewhere.path().toStdString());
        switch (form_) {
            case Form::SingleFileInTools:
                fs::copy_file(bin / "ps2-packer-lite", tools / "ps2-packer.exe");
                break;
            case Form::ModularOnPath:
                break;
            case Form::ModularLinkedOnPath:
                fs::create_directory(other / "links");
                fs::create_symlink(bin / "ps2-packer", other / "links" / "ps2-packer");
                break;
            case Form::ModularLinkedInTools:
                fs::create_symlink(bin / "ps2-packer", tools / "ps2-packer.exe");
                break;
            case Form::ModularWithoutItsStub:
                fs::create_directories(other / "lonely" / "bin");
                fs::copy_file(bin / "ps2-packer", other / "lonely" / "bin" / "ps2-packer");
                break;
        }
        state.openelf = kitPath("samples/DEMO.ELF").toStdString();
        ui.ntsc->click();
        ui.Check8->click();
    }

    static std::vector<std::string> searchPathFor(Form form, const QString& elsewhere) {
        const std::string other = elsewhere.toStdString();
        switch (form) {
            case Form::ModularOnPath:
                return {(packerDir() / "bin").string()};
            case Form::ModularLinkedOnPath:
                return {other + "/links"};
            case Form::ModularWithoutItsStub:
                return {other + "/lonely/bin"};
            default:
                return {};
        }
    }

    std::uintmax_t size(const char* name) const {
        std::error_code error;
        return fs::file_size(kitPath(name).toStdString(), error);
    }

    StandIns standIns{kit.path(), {"tools/hdlpatch.exe", "samples/DEMO.ELF"}};
    ConsoleCloser consoles;

  private:
    Form form_;
};

class PackingWithTheRealPacker : public RealPackerRun, public ::testing::WithParamInterface<Form> {
  protected:
    PackingWithTheRealPacker() : RealPackerRun(GetParam()) {}
};

TEST_P(PackingWithTheRealPacker, WritesAPackedPs2ProgramSmallerThanThePatchedOne) {
    ui.Command2->click();
    EXPECT_TRUE(platform.messages.shown.empty()) << lastMessage().toStdString();
    EXPECT_EQ(notAPs2Program(kitPath("PACKED_OUTFILE.ELF").toStdString()), std::nullopt);
    EXPECT_GT(size("PACKED_OUTFILE.ELF"), 0u);
    EXPECT_LT(size("PACKED_OUTFILE.ELF"), size("OUTFILE.ELF"));
    // The packer's own line, and the end naming the file written.
    EXPECT_TRUE(consoles.log.contains("File compressed, from 2977792 to "))
        << consoles.log.toStdString();
    EXPECT_TRUE(
        consoles.log.endsWith("Completed successfully, wrote " + kitPath("PACKED_OUTFILE.ELF")))
        << consoles.log.toStdString();
}

const char* const kFormNames[] = {"SingleFileInTools", "ModularOnPath", "ModularLinkedOnPath",
                                  "ModularLinkedInTools", "ModularWithoutItsStub"};

void PrintTo(Form form, std::ostream* out) {
    *out << kFormNames[int(form)];
}

std::string formName(const ::testing::TestParamInfo<Form>& info) {
    return kFormNames[int(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Forms, PackingWithTheRealPacker,
                         ::testing::Values(Form::SingleFileInTools, Form::ModularOnPath,
                                           Form::ModularLinkedOnPath, Form::ModularLinkedInTools),
                         formName);

// A loaded file of the right size that is text: HDLPatch's output is no PS2
// program, so the packer is not started on it.
class TextFileAsLoader : public RealPackerRun {
  protected:
    TextFileAsLoader() : RealPackerRun(Form::SingleFileInTools) {}
};

TEST_F(TextFileAsLoader, EndsInABoxNamingThePatchedFileAndPacksNothing) {
    QFile text(kitPath("notes.ELF"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    for (int i = 0; i < 2977792 / 16; ++i) text.write("not a loader...\n");
    text.close();
    state.openelf = kitPath("notes.ELF").toStdString();
    ui.Command2->click();
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(lastMessage(),
              "The patched loader that HDLPatch wrote is not a PS2 program (it is a "
              "text file):\n" +
                  kitPath("OUTFILE.ELF") +
                  "\n\nps2-packer was not started, so that nothing but a PS2 "
                  "program is packed.");
    EXPECT_FALSE(QFile::exists(kitPath("PACKED_OUTFILE.ELF")));
    // The console says the same, not that the patch succeeded.
    EXPECT_TRUE(consoles.log.endsWith("Wrote " + kitPath("OUTFILE.ELF") +
                                      ", but it is not a PS2 program (it is a text file)"))
        << consoles.log.toStdString();
}

// The modular packer without its share/ps2-packer folder fails with exit 255
// and leaves an empty file: that is no packed loader, in the console and in
// the box alike.
class MissingStub : public RealPackerRun {
  protected:
    MissingStub() : RealPackerRun(Form::ModularWithoutItsStub) {}
};

TEST_F(MissingStub, EndsInABoxSayingThePackedLoaderWasNotWritten) {
    ui.Command2->click();
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(lastMessage(),
              "ps2-packer ended with exit code 255 and did not write the packed loader:\n" +
                  kitPath("PACKED_OUTFILE.ELF"));
    EXPECT_EQ(size("PACKED_OUTFILE.ELF"), 0u);
    EXPECT_TRUE(consoles.log.contains("stub")) << consoles.log.toStdString();
    EXPECT_TRUE(consoles.log.endsWith("Failed with exit code 255")) << consoles.log.toStdString();
}

}  // namespace
}  // namespace kelvane::testing
