#include "platform/output_log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using kelvane::cutMark;
using kelvane::OutputLog;

namespace {

// Output fed in the given chunks to a log of 3 lines of at most 8 bytes, and
// the log's text afterwards.
struct Case {
    const char* name;
    std::vector<std::string> chunks;
    std::string text;
};

class OutputLogChunks : public ::testing::TestWithParam<Case> {};

TEST_P(OutputLogChunks, KeepsTheLastLinesAsATerminalShowsThem) {
    OutputLog log(3, 8);
    for (const std::string& chunk : GetParam().chunks) log.appendOutput(chunk);
    log.endOutput();
    EXPECT_EQ(log.text(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Output, OutputLogChunks,
    ::testing::Values(
        Case{"LinesSplitAnywhere", {"a", "b\nc", "d\n", "e"}, "ab\ncd\ne"},
        Case{"CrLfAcrossChunks", {"one\r", "\ntwo\r\n"}, "one\ntwo"},
        Case{"LoneReturnStartsTheLineOver", {"10%\r20%", "\r", "30%\n"}, "30%"},
        Case{"EmptyLinesKept", {"\n\nx\n"}, "\n\nx"},
        Case{"OldestLinesGo", {"1\n2\n3\n4\n5\n"}, "3\n4\n5"},
        Case{
            "LongLineCutWithCount", {"0123456789", "ab\nnext"}, "01234567" + cutMark(4) + "\nnext"},
        // "é" is two bytes; the cut never splits it.
        Case{"CutBetweenCharacters", {"1234567\xC3\xA9xyz\n"}, "1234567" + cutMark(5)}),
    [](const auto& info) { return std::string(info.param.name); });

// The program's own lines end an unfinished tool line and count towards the
// limit; what was dropped is counted for the view.
TEST(OutputLog, OwnLinesEndTheToolLineAndShareTheLimit) {
    OutputLog log(3, 8);
    log.appendLine("cmd with a long command line", OutputLog::Kind::Command);
    log.appendOutput("partial");
    log.appendLine("Completed successfully", OutputLog::Kind::Success);
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log.line(0).text, "cmd with a long command line");
    EXPECT_EQ(log.line(1).text, "partial");
    EXPECT_EQ(log.line(2).kind, OutputLog::Kind::Success);

    const auto before = log.changes();
    log.appendOutput("more\n");
    EXPECT_GT(log.changes(), before);
    EXPECT_EQ(log.droppedLines(), 1u);
    EXPECT_EQ(log.line(2).text, "more");
}

}  // namespace
