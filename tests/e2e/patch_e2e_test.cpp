// A patch run from the "Patch" button to the files on disk: the real process
// runner starts the stand-in tools in a temporary kit whose path has blanks,
// and the stand-ins log the arguments they received.

#include <QFile>

#include "platform/process/qt_tool_runner.h"
#include "support/console_closer.h"
#include "support/stand_in_kit.h"
#include "ui_qt_main_window.h"  // and the widget classes it uses
// after the generated Ui class
#include "patch/patch_window_fixture.h"

namespace kelvane::testing {
namespace {

using Args = std::vector<std::string>;

// Constructed before the window that uses it.
struct RealRunner {
    QtToolRunner runner;
    ConsoleCloser consoles;
};

class PatchEndToEnd : private RealRunner, public PatchWindowTest {
  protected:
    PatchEndToEnd() : PatchWindowTest(&runner) { state.openelf = str("samples/DEMO.ELF"); }

    std::string str(const QString& relative) const { return kitPath(relative).toStdString(); }
    // Each tool run: the tool's name, where it ran and the arguments it received.
    std::vector<Args> runs() const {
        std::vector<Args> runs;
        for (const auto& [tool, cwd, args] : standIns.runs()) {
            const bool inKit = QFileInfo(cwd.c_str()) == QFileInfo(kit.path());
            runs.push_back(Args{tool, inKit ? "in the kit" : "elsewhere"});
            runs.back().insert(runs.back().end(), args.begin(), args.end());
        }
        return runs;
    }

    StandIns standIns{kit.path(),
                      {"tools/hdlpatch.exe", "tools/ps2-packer.exe", "samples/DEMO.ELF"}};
};

TEST_F(PatchEndToEnd, DirectThenPackingRunPassExactlyTheirArgumentsAndWriteTheOutputs) {
    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{
             ui.Check1, ui.Check4, ui.Check7, ui.Option3, ui.Option5, ui.ntsc})
        button->click();
    ui.Command2->click();
    EXPECT_TRUE(QFile::exists(kitPath("OUTFILE.ELF")));

    // The packing run starts both tools in the program directory.
    ui.text13->setText(QStringLiteral("MY GAME.ELF"));
    ui.pal->click();
    ui.Check8->click();
    ui.Command2->click();
    EXPECT_EQ(runs(), (std::vector<Args>{{"hdlpatch", "elsewhere", "/n", "/b", "/D2", "/T1", "/P",
                                          "82,2D", str("samples/DEMO.ELF"), str("OUTFILE.ELF")},
                                         {"hdlpatch", "in the kit", "/n", "/b", "/D2", "/T1", "/P",
                                          "82,5A", str("samples/DEMO.ELF"), str("MY GAME.ELF")},
                                         {"ps2-packer", "in the kit", str("MY GAME.ELF"),
                                          str("PACKED_OUTFILE.ELF")}}));
    EXPECT_TRUE(QFile::exists(kitPath("PACKED_OUTFILE.ELF")));
    EXPECT_TRUE(platform.messages.shown.empty()) << lastMessage().toStdString();
}

}  // namespace
}  // namespace kelvane::testing
