#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/process/command_line_split.h"

using kelvane::splitWindowsCommandLine;

// The examples documented for the Microsoft C runtime, with a program name in
// front, and the cases our own command lines depend on.
TEST(CommandLineSplit, FollowsTheMicrosoftRuntimeRules) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> examples = {
        {R"(p "a b c" d e)", {"p", "a b c", "d", "e"}},
        {R"(p "ab\"c" "\\" d)", {"p", R"(ab"c)", R"(\)", "d"}},
        {R"(p a\\\b d"e f"g h)", {"p", R"(a\\\b)", "de fg", "h"}},
        {R"(p a\\\\"b c" d e)", {"p", R"(a\\b c)", "d", "e"}},
        {R"(p a"b"" c d)", {"p", R"(ab" c d)"}},
        // Blanks and tabs (after the program name too) separate, runs of them
        // count once, trailing ones add nothing.
        {"p\ta \t b  ", {"p", "a", "b"}},
        // Empty arguments survive; an unclosed quote runs to the end of the line.
        {R"(p "" b "a b)", {"p", "", "b", "a b"}},
        // A program name in quotes; backslashes there are literal.
        {R"("C:\Program Files\Kit\tools\hdlpatch.exe" /X "C:\in dir\x.elf")",
         {R"(C:\Program Files\Kit\tools\hdlpatch.exe)", "/X", R"(C:\in dir\x.elf)"}},
        {R"(C:\dir\\"with blank\"\p.exe a)", {R"(C:\dir\\with blank\\p.exe)", "a"}},
        {R"(pro"gram na"me.exe x)", {"program name.exe", "x"}},
        // A leading blank leaves the program name empty.
        {" p.exe x", {"", "p.exe", "x"}},
    };
    for (const auto& [line, argv] : examples)
        EXPECT_EQ(splitWindowsCommandLine(line), argv) << line;
}
