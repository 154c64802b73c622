// The main window's own wiring: spinners, Open, Quit, an installed layout,
// and the program style's icons.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>
#include <set>

#include "app/qt_program_style.h"
#include "core/work_folders.h"
#include "main_window_fixture.h"

namespace kelvane {
namespace {

using testing::FakePlatform;
using testing::MainWindowTest;

// Like any vertical scroll bar, the spinners raise their value with the
// lower arrow, clicked where the style draws it, stopping at 0 and 255.
TEST_F(MainWindowTest, LowerSpinnerArrowRaisesTheValue) {
    for (QScrollBar* spinner : {window->ui().VScroll1, window->ui().VScroll2}) {
        QStyleOptionSlider option;
        option.initFrom(spinner);
        option.orientation = Qt::Vertical;
        option.maximum = 255;
        option.upsideDown = spinner->invertedAppearance();
        option.subControls = QStyle::SC_All;
        const auto arrow = [&](QStyle::SubControl part) {
            return spinner->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, spinner);
        };
        const QRect add = arrow(QStyle::SC_ScrollBarAddLine),
                    sub = arrow(QStyle::SC_ScrollBarSubLine);
        EXPECT_GT(add.center().y(), sub.center().y());
        QTest::mouseClick(spinner, Qt::LeftButton, {}, add.center());
        EXPECT_EQ(spinner->value(), 1);
        QTest::mouseClick(spinner, Qt::LeftButton, {}, sub.center());
        QTest::mouseClick(spinner, Qt::LeftButton, {}, sub.center());
        EXPECT_EQ(spinner->value(), 0);
        spinner->setValue(255);
        QTest::mouseClick(spinner, Qt::LeftButton, {}, add.center());
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

// A program installed apart from its data (the kit), working in a per-user folder.
class InstalledLayoutTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        const char sep = QDir::separator().toLatin1();
        const auto native = [&](const char* name) {
            const QString path = QDir(root.path()).filePath(QString::fromLatin1(name));
            QDir().mkpath(path);
            return QDir::toNativeSeparators(path).toStdString();
        };
        kit = native("usr/share/k");
        perUser = native("home/.local/share/k");
        folders = decideWorkFolders({native("usr/bin"), sep, true, kit, perUser, {}});
        const ProgramDirectory work = folders.work().withToolSearch(
            makeToolSearch(folders, [this](const std::string& p) { return present.count(p) > 0; }));
        window = std::make_unique<MainWindow>(work, folders.kit(), platform.services());
    }

    QTemporaryDir root;
    std::string kit, perUser;
    WorkFolders folders;
    std::set<std::string> present;
    FakePlatform platform;
    std::unique_ptr<MainWindow> window;
};

TEST_F(InstalledLayoutTest, OutputsGoToTheWorkFolderAndReadMesComeFromTheKit) {
    const std::string sep(1, QDir::separator().toLatin1());
    EXPECT_EQ(window->state().Text2, perUser + sep + "OUTFILE.ELF");
    EXPECT_EQ(window->state().textpacked, perUser + sep + "PACKED_OUTFILE.ELF");

    window->ui().mnuHDLReadme->trigger();
    EXPECT_EQ(
        platform.desktop.notepad,
        std::vector{QString::fromStdString(kit + sep + "README" + sep + "HDL PATCH README.txt")});
}

// The search order itself is tested without the window.
TEST_F(InstalledLayoutTest, AMissingToolIsNamedWithItsFolderAndAPresentOneIsRun) {
    const QString loader = QDir(root.path()).filePath(QStringLiteral("LOADER.ELF"));
    QFile file(loader);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(2977792));
    window->state().openelf = QDir::toNativeSeparators(loader).toStdString();
    window->state().textxhex = "82";
    window->state().textyhex = "2D";

    platform.runner.outcomes.push_back(ToolOutcome::notStarted("it does not exist"));
    window->ui().Command2->click();
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    const std::string text = platform.messages.shown[0].text.toStdString();
    const std::string perUserTools =
        QDir::toNativeSeparators(QString::fromStdString(perUser) + QStringLiteral("/tools"))
            .toStdString();
    EXPECT_NE(text.find("HDLPatch could not be started"), std::string::npos) << text;
    EXPECT_NE(text.find("Put the real hdlpatch.exe into this folder:\n" + perUserTools + "\n"),
              std::string::npos)
        << text;

    const std::string inKit = folders.toolCandidates(Tool::HdlPatch)[0];
    present = {inKit};
    window->ui().Command2->click();
    ASSERT_EQ(platform.runner.calls.size(), 2u);
    EXPECT_TRUE(platform.runner.calls[1].step.commandLine.starts_with("\"" + inKit + "\""))
        << platform.runner.calls[1].step.commandLine;
}

int paintedDots(const QIcon& icon) {
    const QImage image = icon.pixmap(QSize(16, 16)).toImage();
    int painted = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) painted += qAlpha(image.pixel(x, y)) > 0;
    return painted;
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
