#include "platform/qt_tool_outcome_text.h"

#include "platform/qt_text.h"

namespace kelvane {

ToolEnd toolEnd(const ToolOutcome& outcome) {
    return {outcome.started, stdText(outcome.error), outcome.crashed, outcome.stopped,
            outcome.exitCode};
}

QString describeOutcome(const ToolOutcome& outcome) {
    return qtText(outcomeLine(toolEnd(outcome)));
}

}  // namespace kelvane
