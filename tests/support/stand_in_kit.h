#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <initializer_list>
#include <vector>

#include "tool_log.h"

namespace kelvane::testing {

// Copies the named files of the built kit (the stand-in tools, the demo
// loader; paths relative to the kit) into the same places below `kit`, and
// has the stand-ins log each run to "tool log.txt" there while it lives.
// The test target defines KELVANE_TEST_KIT_DIR and has tools/ on its
// include path.
class StandIns {
  public:
    StandIns(const QString& kit, std::initializer_list<const char*> files)
        : logPath_(QDir(kit).filePath(QStringLiteral("tool log.txt"))) {
        const QDir built(QStringLiteral(KELVANE_TEST_KIT_DIR));
        for (const char* file : files) {
            const QString copy = QDir(kit).filePath(QString::fromUtf8(file));
            EXPECT_TRUE(QDir().mkpath(QFileInfo(copy).path()) &&
                        QFile::copy(built.filePath(QString::fromUtf8(file)), copy))
                << file;
        }
        qputenv(tools::kToolLogVariable, QFile::encodeName(logPath_));
    }
    ~StandIns() { qunsetenv(tools::kToolLogVariable); }
    StandIns(const StandIns&) = delete;
    StandIns& operator=(const StandIns&) = delete;

    // Each run so far: the tool, where it ran and the arguments it received.
    std::vector<tools::ToolLogRecord> runs() const {
        return tools::readToolLog(std::filesystem::path(logPath_.toStdU16String()));
    }

  private:
    QString logPath_;
};

}  // namespace kelvane::testing
