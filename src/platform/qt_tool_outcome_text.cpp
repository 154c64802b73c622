#include "platform/qt_tool_outcome_text.h"

namespace kelvane {

QString describeOutcome(const ToolOutcome& outcome) {
    if (!outcome.started) return QStringLiteral("Could not start: ") + outcome.error;
    if (outcome.stopped) return QStringLiteral("Stopped by user");
    if (outcome.crashed) return QStringLiteral("Crashed");
    if (outcome.exitCode == 0) return QStringLiteral("Completed successfully");
    return QStringLiteral("Failed with exit code %1").arg(outcome.exitCode);
}

}  // namespace kelvane
