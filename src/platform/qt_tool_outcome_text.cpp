#include "platform/qt_tool_outcome_text.h"

#include <QDir>

namespace kelvane {

namespace {

QString howItEnded(const ToolOutcome& outcome) {
    if (!outcome.started) return QStringLiteral("Could not start: ") + outcome.error;
    if (outcome.stopped) return QStringLiteral("Stopped by user");
    if (outcome.crashed) return QStringLiteral("Crashed");
    if (outcome.exitCode == 0) return QStringLiteral("Completed successfully");
    return QStringLiteral("Failed with exit code %1").arg(outcome.exitCode);
}

}  // namespace

QString describeOutcome(const ToolOutcome& outcome, const QString& writtenFile) {
    const QString ended = howItEnded(outcome);
    if (writtenFile.isEmpty()) return ended;
    const QString shown = QDir::toNativeSeparators(writtenFile);
    if (outcome.finishedNormally() && outcome.exitCode == 0)
        return ended + QStringLiteral(", wrote ") + shown;
    return ended + QStringLiteral("; ") + shown +
           QStringLiteral(" was written but may be incomplete");
}

}  // namespace kelvane
