// The main window's own wiring: spinners, Open, Quit, an installed layout,
// and the program style's icons.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <set>

#include "app/qt_program_style.h"
#include "core/work_folders.h"
#include "main_window_fixture.h"

namespace kelvane {
namespace {

using testing::FakePlatform;
using testing::MainWindowTest;

// Like any vertical scroll bar, the spinners raise their value with the
// lower arrow and lower it with the upper one, stopping at 0 and 255.
TEST_F(MainWindowTest, LowerSpinnerArrowRaisesTheValue) {
    for (QScrollBar* spinner : {ui().VScroll1, ui().VScroll2}) {
        const QPoint lower(spinner->width() / 2, spinner->height() - 3),
            upper(spinner->width() / 2, 2);
        QTest::mouseClick(spinner, Qt::LeftButton, {}, lower);
        EXPECT_EQ(spinner->value(), 1);
        QTest::mouseClick(spinner, Qt::LeftButton, {}, upper);
        QTest::mouseClick(spinner, Qt::LeftButton, {}, upper);
        EXPECT_EQ(spinner->value(), 0);
        spinner->setValue(255);
        QTest::mouseClick(spinner, Qt::LeftButton, {}, lower);
        EXPECT_EQ(spinner->value(), 255);
    }
}

// The wiring of "Open" to the box and the status panel; the decision itself
// is tested without the window.
TEST_F(MainWindowTest, OpenLoaderShowsItsVerdictInTheBoxAndTheStatusPanel) {
    platform.dialogs.answers = {writeFile("HDL 1.ELF", 2977792), writeFile("other.ELF", 2977791)};
    window->ui().mnuOpen->trigger();
    EXPECT_EQ(label("statusPanel1"), "Loaded: HDL 1.ELF");
    window->ui().mnuOpen->trigger();
    EXPECT_EQ(label("statusPanel1"), "Please load HDL/HDA (unpacked)");
    ASSERT_EQ(platform.messages.shown.size(), 2u);
    EXPECT_EQ(platform.messages.shown[1].icon, MessageIcon::Error);
}

TEST_F(MainWindowTest, QuitClosesTheWindowAndClearsThePreviewDirectory) {
    QDir kitDirectory(kitDir.path());
    ASSERT_TRUE(kitDirectory.mkdir("hdl_gfx_tmp"));
    writeFile("hdl_gfx_tmp/hdl_main.bmp", 10);
    writeFile("OUTFILE.ELF", 10);
    window->ui().mnuClose->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(kitDirectory.exists("hdl_gfx_tmp"));
    EXPECT_TRUE(kitDirectory.exists("OUTFILE.ELF"));
    EXPECT_TRUE(platform.messages.shown.empty());
}

// Installed apart from its data (the kit), working in a per-user folder:
// outputs and the missing-tool advice name the per-user folder, read-mes come
// from the kit, and a tool found by the search is the one run (its order is
// tested without the window).
TEST(InstalledLayoutTest, OutputsAndAdviceNameTheWorkFolderReadMesAndToolsTheKit) {
    QTemporaryDir root;
    const std::string sep(1, QDir::separator().toLatin1());
    const auto native = [&](const char* name) {
        const QString path = QDir(root.path()).filePath(QString::fromLatin1(name));
        QDir().mkpath(path);
        return QDir::toNativeSeparators(path).toStdString();
    };
    const std::string kit = native("usr/share/k"), perUser = native("home/.local/share/k");
    const WorkFolders folders =
        decideWorkFolders({native("usr/bin"), sep[0], true, kit, perUser, {}});
    std::set<std::string> present;
    FakePlatform platform;
    MainWindow window(folders.work().withToolSearch(makeToolSearch(
                          folders, [&](const std::string& p) { return present.count(p) > 0; })),
                      folders.kit(), platform.services());
    EXPECT_EQ(window.state().Text2, perUser + sep + "OUTFILE.ELF");
    EXPECT_EQ(window.state().textpacked, perUser + sep + "PACKED_OUTFILE.ELF");
    window.ui().mnuHDLReadme->trigger();
    EXPECT_EQ(
        platform.desktop.notepad,
        std::vector{QString::fromStdString(kit + sep + "README" + sep + "HDL PATCH README.txt")});

    QFile loader(QDir(root.path()).filePath(QStringLiteral("LOADER.ELF")));
    ASSERT_TRUE(loader.open(QIODevice::WriteOnly) && loader.resize(2977792));
    window.state().openelf = QDir::toNativeSeparators(loader.fileName()).toStdString();
    window.state().textxhex = "82";
    window.state().textyhex = "2D";
    platform.runner.outcomes.push_back(ToolOutcome::notStarted("it does not exist"));
    window.ui().Command2->click();
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    const std::string text = platform.messages.shown[0].text.toStdString();
    EXPECT_NE(
        text.find("Put the real hdlpatch.exe into this folder:\n" + perUser + sep + "tools\n"),
        std::string::npos)
        << text;
    const std::string inKit = folders.toolCandidates(Tool::HdlPatch)[0];
    present = {inKit};
    window.ui().Command2->click();
    ASSERT_EQ(platform.runner.calls.size(), 2u);
    EXPECT_TRUE(platform.runner.calls[1].step.commandLine.starts_with("\"" + inKit + "\""))
        << platform.runner.calls[1].step.commandLine;
}

int paintedDots(const QIcon& icon) {
    const QImage image =
        icon.pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_Alpha8);
    return int(std::count_if(image.constBits(), image.constBits() + image.sizeInBytes(),
                             [](uchar alpha) { return alpha > 0; }));
}

// The overflow arrows are drawn, point their own ways, and every other icon
// still comes from the style underneath.
TEST(ProgramStyle, DrawsTheOverflowArrowsAndLeavesOtherIconsToTheStyle) {
    ProgramStyle style(QStringLiteral("Fusion"));
    const QIcon across = style.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    const QIcon down = style.standardIcon(QStyle::SP_ToolBarVerticalExtensionButton);
    for (const QIcon& icon : {across, down, style.standardIcon(QStyle::SP_MessageBoxWarning)})
        EXPECT_GT(paintedDots(icon), 4);
    EXPECT_NE(across.pixmap(QSize(16, 16)).toImage(), down.pixmap(QSize(16, 16)).toImage());
}

}  // namespace
}  // namespace kelvane
