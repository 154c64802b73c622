#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/command_line_split.h"

using kelvane::splitWindowsCommandLine;

namespace {

struct Example {
    std::string line;
    std::vector<std::string> argv;
};

}  // namespace

// The examples documented for the Microsoft C runtime, with a program name in
// front, and the cases our own command lines depend on.
TEST(CommandLineSplit, FollowsTheMicrosoftRuntimeRules) {
    const std::vector<Example> examples = {
        {R"(p "a b c" d e)", {"p", "a b c", "d", "e"}},
        {R"(p "ab\"c" "\\" d)", {"p", R"(ab"c)", R"(\)", "d"}},
        {R"(p a\\\b d"e f"g h)", {"p", R"(a\\\b)", "de fg", "h"}},
        {R"(p a\\\"b c d)", {"p", R"(a\"b)", "c", "d"}},
        {R"(p a\\\\"b c" d e)", {"p", R"(a\\b c)", "d", "e"}},
        {R"(p a"b"" c d)", {"p", R"(ab" c d)"}},
        // Blanks and tabs separate, runs of them count once, trailing ones add nothing.
        {"p\ta \t b  ", {"p", "a", "b"}},
        // Empty arguments survive.
        {R"(p "" b "")", {"p", "", "b", ""}},
        // An unclosed quote runs to the end of the line.
        {R"(p "a b)", {"p", "a b"}},
        // A program name with blanks in quotes; backslashes there are literal.
        {R"("C:\Program Files\Kit\tools\hdlpatch.exe" /X "C:\in dir\x.elf")",
         {R"(C:\Program Files\Kit\tools\hdlpatch.exe)", "/X", R"(C:\in dir\x.elf)"}},
        {R"(C:\dir\\"with blank\"\p.exe a)", {R"(C:\dir\\with blank\\p.exe)", "a"}},
        {R"(pro"gram na"me.exe x)", {"program name.exe", "x"}},
        // The program name ends at a tab too; a leading blank leaves it empty.
        {"p.exe\tx", {"p.exe", "x"}},
        {" p.exe x", {"", "p.exe", "x"}},
        {"", {""}},
    };
    for (const Example& example : examples) {
        EXPECT_EQ(splitWindowsCommandLine(example.line), example.argv) << example.line;
    }
}

// The patch command line as composed for a program directory with blanks.
TEST(CommandLineSplit, KeepsEmptySwitchFragmentsOut) {
    const std::string line =
        R"("/home/a b/kit/tools/hdlpatch.exe"      /l   /P 82,2D      "/home/a b/DEMO.ELF" "/home/a b/kit/OUTFILE.ELF")";
    const std::vector<std::string> expected = {
        "/home/a b/kit/tools/hdlpatch.exe", "/l", "/P", "82,2D", "/home/a b/DEMO.ELF",
        "/home/a b/kit/OUTFILE.ELF"};
    EXPECT_EQ(splitWindowsCommandLine(line), expected);
}
