// Patch runs from the "Patch" button to the files on disk, by the real process
// runner in a kit whose path has blanks: with the stand-in tools, which log
// their arguments, and with the real ps2-packer (unpacked by the build, or in
// KELVANE_PS2_PACKER_DIR; skipped without, unless KELVANE_REQUIRE_REAL_PACKER).

#include <QFile>
#include <filesystem>

#include "patch/ps2_program_check.h"
#include "platform/process/qt_tool_runner.h"
#include "support/console_closer.h"
#include "support/file_bytes.h"
#include "support/stand_in_kit.h"
#include "ui_qt_main_window.h"  // and the widget classes it uses
// after the generated Ui class
#include "patch/patch_window_fixture.h"

namespace fs = std::filesystem;

namespace kelvane::testing {
namespace {

using Args = std::vector<std::string>;

fs::path packerBin() {
    const QByteArray dir = qgetenv("KELVANE_PS2_PACKER_DIR");
    return (dir.isEmpty() ? fs::path(KELVANE_TEST_PS2_PACKER_DIR) : fs::path(dir.toStdString())) /
           "bin";
}

// Constructed before the window that uses them.
struct RunnerAndElsewhere {
    QtToolRunner runner;
    QTemporaryDir elsewhere;  // holds the PATH folders
};

// Tools are also looked for in `pathFolder`: below `elsewhere`, or the
// unpacked packer's bin when it is "bin"; none when it is empty.
class PatchEndToEnd : protected RunnerAndElsewhere, public PatchWindowTest {
  protected:
    explicit PatchEndToEnd(const std::string& pathFolder = "")
        : PatchWindowTest(&runner, searchPath(pathFolder, elsewhere.path())) {
        state.openelf = str("samples/DEMO.ELF");
    }

    static std::vector<std::string> searchPath(const std::string& folder, const QString& other) {
        if (folder.empty()) return {};
        return {folder == "bin" ? packerBin().string() : other.toStdString() + "/" + folder};
    }
    std::string str(const QString& relative) const { return kitPath(relative).toStdString(); }

    StandIns standIns{kit.path(), {"tools/hdlpatch.exe", "samples/DEMO.ELF"}};
    ConsoleCloser consoles;
};

// Both tools start in the program directory and receive exactly their
// arguments, blanks included.
TEST_F(PatchEndToEnd, APackingRunPassesExactlyTheArgumentsAndWritesTheOutputs) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(KELVANE_TEST_KIT_DIR "/tools/ps2-packer.exe"),
                            kitPath("tools/ps2-packer.exe")));
    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{
             ui.Check1, ui.Check4, ui.Check7, ui.Option3, ui.Option5, ui.pal, ui.Check8})
        button->click();
    ui.text13->setText(QStringLiteral("MY GAME.ELF"));
    ui.Command2->click();
    std::vector<Args> runs;
    for (const auto& [tool, cwd, args] : standIns.runs()) {
        runs.push_back({tool, QFileInfo(cwd.c_str()) == QFileInfo(kit.path()) ? "kit" : cwd});
        runs.back().insert(runs.back().end(), args.begin(), args.end());
    }
    EXPECT_EQ(runs, (std::vector<Args>{
                        {"hdlpatch", "kit", "/n", "/b", "/D2", "/T1", "/P", "82,5A",
                         str("samples/DEMO.ELF"), str("MY GAME.ELF")},
                        {"ps2-packer", "kit", str("MY GAME.ELF"), str("PACKED_OUTFILE.ELF")}}));
    EXPECT_TRUE(platform.messages.shown.empty()) << lastMessage().toStdString();  // both written
}

using P = const fs::path&;

// Each form of the real packer once broke its lookup or its run: how it is put
// in place (from its bin into the kit's tools/ or below `other`) and looked
// for, the loader, and how the run ends. "<kit>/" stands for the kit.
struct Form {
    const char* name;
    void (*place)(P bin, P tools, P other);
    const char* pathFolder;
    bool textLoader;  // a text file of the demo loader's size
    const char* box;  // the error box; "": none
    const char* consoleEnd;
    const char* packedIs;  // what the packed output is instead of a PS2 program
};

void singleFile(P bin, P tools, P) {
    fs::copy_file(bin / "ps2-packer-lite", tools / "ps2-packer.exe");
}
const char* const kWrote = "Completed successfully, wrote <kit>/PACKED_OUTFILE.ELF";

const Form kForms[] = {
    {"SingleFileInTools", singleFile, "", false, "", kWrote, nullptr},
    {"ModularOnPath", [](P, P, P) {}, "bin", false, "", kWrote, nullptr},
    {"ModularLinkedOnPath",
     [](P bin, P, P other) {
         fs::create_directory(other / "links");
         fs::create_symlink(bin / "ps2-packer", other / "links" / "ps2-packer");
     },
     "links", false, "", kWrote, nullptr},
    {"ModularLinkedInTools",
     [](P bin, P tools, P) { fs::create_symlink(bin / "ps2-packer", tools / "ps2-packer.exe"); },
     "", false, "", kWrote, nullptr},
    // HDLPatch's output is no PS2 program, so the packer is not started on it.
    {"TextFileAsLoader", singleFile, "", true,
     "The patched loader that HDLPatch wrote is not a PS2 program (it is a text file):\n"
     "<kit>/OUTFILE.ELF\n\nps2-packer was not started, so that nothing but a PS2 program is "
     "packed.",
     "Wrote <kit>/OUTFILE.ELF, but it is not a PS2 program (it is a text file)", "missing"},
    // Without its share/ps2-packer folder the packer exits 255, leaving an
    // empty file: no packed loader, in the console and in the box alike.
    {"MissingStub",
     [](P bin, P, P other) {
         fs::create_directories(other / "lonely" / "bin");
         fs::copy_file(bin / "ps2-packer", other / "lonely" / "bin" / "ps2-packer");
     },
     "lonely/bin", false,
     "ps2-packer ended with exit code 255 and did not write the packed loader:\n"
     "<kit>/PACKED_OUTFILE.ELF",
     "Failed with exit code 255", "empty"},
};

void PrintTo(const Form& form, std::ostream* out) {
    *out << form.name;
}

class RealPacker : public PatchEndToEnd, public ::testing::WithParamInterface<Form> {
  protected:
    RealPacker() : PatchEndToEnd(GetParam().pathFolder) {}

    void SetUp() override {
#ifdef Q_OS_WIN
        GTEST_SKIP() << "the real ps2-packer of these tests is a Linux program";
#endif
        if (!fs::is_regular_file(packerBin() / "ps2-packer")) {
            if (!qEnvironmentVariableIsEmpty("KELVANE_REQUIRE_REAL_PACKER"))
                FAIL() << "no real ps2-packer in " << packerBin();
            GTEST_SKIP() << "no real ps2-packer in " << packerBin()
                         << " (scripts/build.sh unpacks ../shared/ps2-packer into build/)";
        }
        GetParam().place(packerBin(), str("tools"), elsewhere.path().toStdString());
        ui.ntsc->click();
        ui.Check8->click();
    }
};

TEST_P(RealPacker, PatchesAndPacksOrSaysWhyNot) {
    const Form& form = GetParam();
    const auto expand = [&](const char* text) {
        return QString(text).replace("<kit>/", kitPath(""));
    };
    if (form.textLoader) {
        state.openelf = str("notes.ELF");
        ASSERT_TRUE(writeBytes(kitPath("notes.ELF"),
                               QByteArray("not a loader...\n").repeated(2977792 / 16)));
    }
    ui.Command2->click();
    EXPECT_EQ(platform.messages.shown.size(), *form.box ? 1u : 0u);
    EXPECT_EQ(lastMessage(), expand(form.box));
    EXPECT_TRUE(consoles.log.endsWith(expand(form.consoleEnd))) << consoles.log.toStdString();
    EXPECT_EQ(notAPs2Program(str("PACKED_OUTFILE.ELF")),
              form.packedIs ? std::optional<std::string>(form.packedIs) : std::nullopt);
    if (form.packedIs) return;
    EXPECT_LT(fs::file_size(str("PACKED_OUTFILE.ELF")), fs::file_size(str("OUTFILE.ELF")));
    // The packer's own line reaches the console.
    EXPECT_TRUE(consoles.log.contains("File compressed, from 2977792 to "))
        << consoles.log.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Forms, RealPacker, ::testing::ValuesIn(kForms),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kelvane::testing
