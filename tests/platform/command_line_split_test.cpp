#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/process/command_line_split.h"

using kelvane::splitWindowsCommandLine;

// The rules of the Microsoft C runtime that the fuzzer's round trip of quoted
// arguments does not reach: quotes inside unquoted text, "" inside quotes,
// blanks, empty arguments and how the program name is read.
TEST(CommandLineSplit, FollowsTheMicrosoftRuntimeRules) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> examples = {
        {R"(p a\\\b d"e f"g h)", {"p", R"(a\\\b)", "de fg", "h"}},
        {R"(p a"b"" c d)", {"p", R"(ab" c d)"}},
        // Runs of blanks and tabs separate once; trailing ones add nothing.
        {"p\ta \t b  ", {"p", "a", "b"}},
        // Empty arguments survive; an unclosed quote runs to the end of the line.
        {R"(p "" b "a b)", {"p", "", "b", "a b"}},
        {R"(C:\dir\\"with blank\"\p.exe a)", {R"(C:\dir\\with blank\\p.exe)", "a"}},
        {R"(pro"gram na"me.exe x)", {"program name.exe", "x"}},
        // A leading blank leaves the program name empty.
        {" p.exe x", {"", "p.exe", "x"}},
    };
    for (const auto& [line, argv] : examples)
        EXPECT_EQ(splitWindowsCommandLine(line), argv) << line;
}
