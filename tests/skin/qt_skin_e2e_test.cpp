// The real runner and the stand-in HDLPatch in a kit whose path has blanks:
// extract, preview, the extracted files in every slot, an edited table, patch.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>

#include "platform/process/qt_tool_runner.h"
#include "skin/qt_colour_table_editor.h"
#include "support/console_closer.h"
#include "support/fake_platform.h"
#include "support/file_bytes.h"
#include "support/modal_answer.h"
#include "support/stand_in_kit.h"
#include "ui_qt_main_window.h"

namespace kelvane::testing {
namespace {

// The real runner, counting the extraction jobs that ended.
struct CountingRunner : QtToolRunner {
    void startJob(const ToolJob& job, std::function<void(const ToolJobResult&)> finished) override {
        QtToolRunner::startJob(job, [this, finished](const ToolJobResult& result) {
            ++ended;
            if (finished) finished(result);
        });
    }
    bool waitForEnded(int n) {
        return QTest::qWaitFor([&] { return ended >= n; }, 30000);
    }
    int ended = 0;
};

TEST(SkinEndToEnd, ExtractPreviewChooseAndEditReachHdlpatch) {
    QTemporaryDir kit(QDir::tempPath() + "/skin e2e kit XXXXXX");
    const auto path = [&](const QString& relative) {
        return QDir::toNativeSeparators(kit.filePath(relative));
    };
    const StandIns standIns(kit.path(), {"tools/hdlpatch.exe", "samples/DEMO.ELF"});
    FakePlatform fakes;
    CountingRunner runner;
    const PlatformServices services{fakes.messages, fakes.dialogs, runner, fakes.desktop};
    const ProgramDirectory programDir = nativeProgramDirectory(kit.path());
    MainWindow window(programDir, services);
    const ConsoleCloser consoles;
    Ui::MainWindow& ui = window.ui();
    window.state().openelf = path("samples/DEMO.ELF").toStdString();
    const QString cwdBefore = QDir::currentPath();

    ui.Command13->click();
    ASSERT_TRUE(runner.waitForEnded(1));
    ui.Command8->click();
    ASSERT_TRUE(runner.waitForEnded(2));
    ASSERT_EQ(fakes.messages.shown.size(), 1u);  // a preload reports only failures
    EXPECT_EQ(fakes.messages.shown[0].text, "Graphics extracted into " + path("hdl_gfx"));
    fakes.messages.shown.clear();
    EXPECT_EQ(QDir::currentPath(), cwdBefore);
    ui.Command6->click();
    for (QLabel* box : {ui.Image3, ui.Image2}) EXPECT_FALSE(box->pixmap().isNull());

    // Every slot takes the extracted file of its kind, the font pair too.
    const QString font = path("hdl_gfx/hdl_font.bmp"), splash = path("hdl_gfx/hdl_splash.bmp");
    const QString main = path("hdl_gfx/hdl_main.bmp"), button = path("hdl_gfx/hdl_button.tga");
    fakes.dialogs.answers = {font, splash, main, button};
    for (QPushButton* slot : {ui.Command4, ui.Command7, ui.Command5, ui.Command9}) slot->click();
    whenModal<ColourTableEditor>([](ColourTableEditor* editor) {
        editor->pickColour = [](const QColor&) { return QColor(0, 255, 0, 255); };
        editor->editRow(0);
        editor->save();
        editor->accept();
    });
    window.findChild<QAction*>("mnuEditColours")->trigger();
    ui.ntsc->click();
    ui.Command2->click();

    const QString table = path("hdl_gfx/hdl_colors.txt");
    const auto s = [](const QString& text) { return text.toStdString(); };
    const auto log = standIns.runs();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].args, (std::vector<std::string>{"/X", window.state().openelf}));
    EXPECT_EQ(QDir(QString::fromStdString(log[1].cwd)), QDir(path("hdl_gfx_tmp")));
    EXPECT_EQ(log[2].args,
              (std::vector<std::string>{"/P", "82,2D", "/IF", s(font), "/IS", s(splash), "/IM",
                                        s(main), "/IB", s(button), "/IC", s(table),
                                        window.state().openelf, s(path("OUTFILE.ELF"))}));
    EXPECT_TRUE(QFile::exists(path("OUTFILE.ELF"))) << "the stand-in refused what it was given";
    EXPECT_TRUE(readBytes(table).startsWith("00FF0080 // 1_Menu background\r\n"));
    // Only the note that the table was saved: the files fitted, the patch ran.
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_TRUE(fakes.messages.shown.back().text.contains("saved"));

    // A tool that ends after its window went away finds nothing to report to.
    auto gone = std::make_unique<MainWindow>(programDir, services);
    gone->state().openelf = window.state().openelf;
    gone->ui().Command13->click();
    gone.reset();
    ASSERT_TRUE(runner.waitForEnded(3));
    EXPECT_EQ(fakes.messages.shown.size(), 1u);
}

}  // namespace
}  // namespace kelvane::testing
