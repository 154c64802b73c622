// Compares the argument splitter used on other systems with the argv the C
// runtime of a real Windows program makes of the same command lines.

#include <random>

#include "platform/process/command_line_split.h"
#include "wintest.h"

namespace kelvane::wintest {
namespace {

// Argument lists that exercise each rule on purpose.
// clang-format off
const char* const kChosenArguments[] = {
    R"(C:\dir\file a\\b "c d" e)", R"("a\"b" c)", R"(a\\\"b c)", R"("a\\" b)", R"("a\\\" b" c)",
    R"(a"b"" c d)", R"("a""b" c)", R"("""a""" b)", R"("" "" x)", "\ta\t\"b\tc\"",
    R"(  /n  /c      /P 82,2D     "C:\a b\x.elf" "C:\a b\OUT.ELF")", R"("unterminated arg)",
    R"(trailing\)", R"("trailing quote\")", R"(é "ü ö" Кит)", ""};
// clang-format on

// Random text of blanks, tabs, quotes, backslashes and letters.
std::string randomText(std::mt19937& random) {
    static const char* const kPieces[] = {" ",    "  ", "\t", "\"", "\"\"", "\\",
                                          "\\\\", "a",  "b",  "é",  "x y",  "\\\""};
    std::uniform_int_distribution<int> length(0, 14);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1);
    std::string line;
    for (int n = length(random); n > 0; --n) line += kPieces[piece(random)];
    return line;
}

std::string show(const std::vector<std::string>& args) {
    std::string text = "[";
    for (const auto& a : args) text += "<" + a + ">";
    return text + "]";
}

}  // namespace

void runSplitterAgreement(const Setup& setup) {
    // argv_echo.exe is started by its path, whatever the line names. The
    // program token is always a quoted path without quotes inside, as in every
    // line this program composes: Wine's C runtime reads other forms with the
    // escapes of the later arguments, unlike Microsoft's documented rule.
    const std::string echo = utf8(setup.testDirectory / "argv_echo.exe");
    std::vector<Start> starts{{R"("C:\Kit (x86) & 100%\tools\hdlpatch.exe" /X "a b")", echo}};
    for (const char* args : kChosenArguments)
        starts.push_back({std::string("argv_echo.exe ") + args, echo});
    std::mt19937 random(20240607);
    for (int i = 0; i < 400; ++i) starts.push_back({"argv_echo.exe " + randomText(random), echo});

    auto ended = runAll(starts, setup.scratch);
    int disagreements = 0;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const std::string& line = starts[i].commandLine;
        if (!ended[i].problem.empty() || ended[i].records.size() != 1) {
            // A start that failed under load is tried once more on its own.
            note("argv_echo retried for line <" + line + "> after: " + ended[i].problem);
            ended[i] = runOne(starts[i], setup.scratch);
        }
        if (!CHECK(ended[i].problem.empty() && ended[i].records.size() == 1,
                   "argv_echo for line <" << line << ">: " << ended[i].problem))
            continue;
        const auto& windows = ended[i].records[0].args;
        const auto ours = splitWindowsCommandLine(line);
        if (!CHECK(ours == windows,
                   "line <" << line << ">: Windows " << show(windows) << ", ours " << show(ours)))
            ++disagreements;
    }
    std::cout << "splitter: " << starts.size() << " argument lists compared, " << disagreements
              << " disagreements" << std::endl;
}

}  // namespace kelvane::wintest
