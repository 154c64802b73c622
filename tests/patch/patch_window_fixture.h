#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <string>
#include <vector>

#include "app/qt_main_window.h"
#include "core/work_folders.h"
#include "support/fake_platform.h"
// Needs ui_qt_main_window.h, which each test source includes.

namespace kelvane::testing {

// A real main window over recording fakes (or over `runner`), its program
// directory a fresh temporary folder whose name has a blank; tools are also
// looked for in `searchPath`, as the program does. Counts the focus moves.
class PatchWindowTest : public ::testing::Test {
  protected:
    explicit PatchWindowTest(ToolRunner* runner = nullptr, std::vector<std::string> searchPath = {})
        : kit(QDir::tempPath() + QStringLiteral("/patch kit XXXXXX")),
          window(programDirectory(kit.path(), std::move(searchPath)),
                 {platform.messages, platform.dialogs, runner ? *runner : platform.runner,
                  platform.desktop}),
          ui(window.ui()),
          state(window.state()) {
        window.context().focusSink = [this] { ++focusMoves; };
    }

    static ProgramDirectory programDirectory(const QString& path,
                                             std::vector<std::string> searchPath) {
        const ProgramDirectory dir = nativeProgramDirectory(path);
        if (searchPath.empty()) return dir;
        const FolderFacts facts{dir.directory(),      dir.separator(), true, {}, {},
                                std::move(searchPath)};
        return dir.withToolSearch(makeToolSearch(decideWorkFolders(facts), &isExistingRegularFile));
    }

    QString kitPath(const QString& name) const {
        return QDir::toNativeSeparators(kit.path() + QLatin1Char('/') + name);
    }
    QString lastMessage() const {
        return platform.messages.shown.empty() ? QString() : platform.messages.shown.back().text;
    }

    QTemporaryDir kit;
    FakePlatform platform;
    MainWindow window;
    Ui::MainWindow& ui;
    FormState& state;
    int focusMoves = 0;
};

}  // namespace kelvane::testing
