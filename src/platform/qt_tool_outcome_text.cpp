#include "platform/qt_tool_outcome_text.h"

#include <QDir>

#include "platform/qt_text.h"

namespace kelvane {

ToolEnd toolEnd(const ToolOutcome& outcome) {
    return {outcome.started, stdText(outcome.error), outcome.crashed, outcome.stopped,
            outcome.exitCode};
}

QString describeOutcome(const ToolOutcome& outcome, const QString& writtenFile) {
    const ToolEnd end = toolEnd(outcome);
    const QString ended = qtText(outcomeLine(end));
    if (writtenFile.isEmpty()) return ended;
    const QString shown = QDir::toNativeSeparators(writtenFile);
    if (end.succeeded()) return ended + QStringLiteral(", wrote ") + shown;
    return ended + QStringLiteral("; ") + shown +
           QStringLiteral(" was written but may be incomplete");
}

}  // namespace kelvane
