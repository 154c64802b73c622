#include "platform/console/output_log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using kelvane::cutMark;
using kelvane::OutputLog;

namespace {

// Output fed in the given chunks to a log of 3 lines of at most 8 bytes
// reads as a terminal shows it.
TEST(OutputLog, KeepsTheLastLinesAsATerminalShowsThem) {
    const struct {
        const char* name;
        std::vector<std::string> chunks;
        std::string text;
    } rows[] = {
        {"LinesSplitAnywhere", {"a", "b\nc", "d\n", "e"}, "ab\ncd\ne"},
        {"CrLfAcrossChunks", {"one\r", "\ntwo\r\n"}, "one\ntwo"},
        {"LoneReturnStartsTheLineOver", {"10%\r20%", "\r", "30%\n"}, "30%"},
        {"EmptyLinesKept", {"\n\nx\n"}, "\n\nx"},
        // "é" is two bytes; the cut never splits it.
        {"CutBetweenCharacters", {"1234567\xC3\xA9xyz\n"}, "1234567" + cutMark(5)},
    };
    for (const auto& row : rows) {
        OutputLog log(3, 8);
        for (const std::string& chunk : row.chunks) log.appendOutput(chunk);
        log.endOutput();
        EXPECT_EQ(log.text(), row.text) << row.name;
    }
}

// The program's own lines end an unfinished tool line and count towards the
// limit; what was dropped is counted for the view.
TEST(OutputLog, OwnLinesEndTheToolLineAndShareTheLimit) {
    OutputLog log(3, 8);
    log.appendLine("cmd with a long command line", OutputLog::Kind::Command);
    log.appendOutput("partial");
    log.appendLine("Completed successfully", OutputLog::Kind::Success);
    EXPECT_EQ(log.text(), "cmd with a long command line\npartial\nCompleted successfully");
    EXPECT_EQ(log.line(2).kind, OutputLog::Kind::Success);

    log.appendOutput("more\n");
    EXPECT_EQ(log.droppedLines(), 1u);
    EXPECT_EQ(log.line(2).text, "more");
}

}  // namespace
