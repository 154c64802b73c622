#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <set>

#include "core/work_folders.h"
#include "support/fake_platform.h"
#include "ui_qt_main_window.h"

namespace kelvane {
namespace {

using testing::FakePlatform;

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

}  // namespace
}  // namespace kelvane
