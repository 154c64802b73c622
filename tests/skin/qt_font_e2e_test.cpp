// A font pair made from a font file in Make Font, put into the font slot and
// patched with the real runner and the stand-in HDLPatch, which checks the
// pair it is given.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/process/qt_tool_runner.h"
#include "skin/qt_font_maker_dialog.h"
#include "support/console_closer.h"
#include "support/fake_platform.h"
#include "support/modal_answer.h"
#include "support/stand_in_kit.h"
#include "ui_qt_main_window.h"

namespace kelvane::testing {
namespace {

TEST(FontEndToEnd, AMadePairReachesHdlpatchWhichAcceptsIt) {
    const QString fontFile = QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf");
    if (!QFileInfo(fontFile).isFile()) GTEST_SKIP() << "DejaVu Sans Mono is not installed";
    QTemporaryDir kit(QDir::tempPath() + "/font e2e kit XXXXXX");
    const auto path = [&](const QString& relative) {
        return QDir::toNativeSeparators(kit.filePath(relative));
    };
    const StandIns standIns(kit.path(), {"tools/hdlpatch.exe", "samples/DEMO.ELF"});
    FakePlatform fakes;
    QtToolRunner runner;
    const ConsoleCloser consoles;
    const PlatformServices services{fakes.messages, fakes.dialogs, runner, fakes.desktop};
    MainWindow window(nativeProgramDirectory(kit.path()), services);
    window.state().openelf = path("samples/DEMO.ELF").toStdString();

    const QString sheet = path("my fonts/mono 12.bmp");
    ASSERT_TRUE(QDir(kit.path()).mkpath("my fonts"));
    fakes.dialogs.answers = {fontFile, sheet};
    whenModal<FontMakerDialog>([](FontMakerDialog* dialog) {
        dialog->chooseFontFile();
        dialog->useInSlot();
    });
    window.findChild<QAction*>("mnuMakeFont")->trigger();
    window.ui().ntsc->click();
    window.ui().Command2->click();

    const auto log = standIns.runs();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].args, (std::vector<std::string>{"/P", "82,2D", "/IF", sheet.toStdString(),
                                                     window.state().openelf,
                                                     path("OUTFILE.ELF").toStdString()}));
    EXPECT_TRUE(QFile::exists(path("OUTFILE.ELF"))) << "the stand-in refused the pair";
    EXPECT_TRUE(fakes.messages.shown.empty()) << fakes.messages.shown[0].text.toStdString();
}

}  // namespace
}  // namespace kelvane::testing
