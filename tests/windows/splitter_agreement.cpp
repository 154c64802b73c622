// Compares the argument splitter used on other systems with what the C
// runtime of a real Windows program makes of the same command lines.

#include <random>

#include "check.h"
#include "platform/command_line_split.h"
#include "sections.h"
#include "tool_log.h"
#include "win_support.h"

namespace kelvane::wintest {
namespace {

// Argument lists that exercise each rule on purpose; the program token
// "argv_echo.exe" is put in front of each.
const std::vector<std::string> kChosenArguments = {
    R"(a b c)",
    R"(C:\dir\file a\\b "c d" e)",
    R"("a\"b" c)",
    R"(a\\\"b c)",
    R"("a\\" b)",
    R"("a\\\" b" c)",
    R"(a"b"" c d)",
    R"("a""b" c)",
    R"("""a""" b)",
    R"("" "" x)",
    "\ta\t\"b\tc\"",
    R"(  /n  /c      /P 82,2D     "C:\a b\x.elf" "C:\a b\OUT.ELF")",
    R"("unterminated arg)",
    R"(trailing\)",
    R"("trailing quote\")",
    R"(é "ü ö" Кит)",
    "",
};

// Program tokens: quotes group, backslashes stay as they are.
const std::vector<std::string> kChosenProgramTokens = {
    R"(prog)",
    R"("prog name")",
    R"(pro"g nam"e)",
    R"(C:\dir\prog.exe)",
    R"("C:\dir with blank\prog.exe")",
    R"("C:\dir\"prog.exe)",
    R"(C:\dir\\"x y")",
    R"("a""b")",
};

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

// Starts argv_echo.exe (by its path) with each command line and collects the
// argv it received.
std::vector<std::vector<std::string>> windowsArguments(const std::vector<std::string>& lines,
                                                       const Setup& setup) {
    ScratchDir scratch;
    std::vector<std::filesystem::path> logs;
    for (std::size_t i = 0; i < lines.size(); ++i)
        logs.push_back(scratch.path() / ("argv-" + std::to_string(i) + ".log"));
    const std::string echo = utf8FromWide((setup.testDirectory / "argv_echo.exe").wstring());
    auto ended = runEachLogged(lines, echo, logs);

    std::vector<std::vector<std::string>> result(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        auto records = tools::readToolLog(logs[i]);
        if (!ended[i].empty() || records.size() != 1) {
            // A start that failed under load is tried once more on its own.
            const std::string first = ended[i].empty() ? "no record" : ended[i];
            std::filesystem::remove(logs[i]);
            ended[i] = runEachLogged({lines[i]}, echo, {logs[i]}).front();
            records = tools::readToolLog(logs[i]);
            note("argv_echo retried for line <" + lines[i] + "> after: " + first);
        }
        if (CHECK(ended[i].empty() && records.size() == 1,
                  "argv_echo for line <" << lines[i] << ">: " << ended[i] << ", " << records.size()
                                         << " records"))
            result[i] = records.front().args;
    }
    return result;
}

}  // namespace

void runSplitterAgreement(const Setup& setup) {
    std::mt19937 random(20240607);

    // Arguments after the program: these must agree.
    std::vector<std::string> lines;
    for (const auto& args : kChosenArguments) lines.push_back("argv_echo.exe " + args);
    for (int i = 0; i < setup.randomLines; ++i)
        lines.push_back("argv_echo.exe " + randomText(random));
    auto windows = windowsArguments(lines, setup);
    int disagreements = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (windows[i].empty()) continue;  // already reported as not started
        const auto ours = splitWindowsCommandLine(lines[i]);
        if (!CHECK(ours == windows[i], "line <" << lines[i] << ">: Windows " << show(windows[i])
                                                << ", ours " << show(ours)))
            ++disagreements;
    }
    std::cout << "splitter: " << lines.size() << " argument lists compared, " << disagreements
              << " disagreements" << std::endl;

    // The program token. Every command line this program composes starts with a
    // quoted path without quotes inside, which both readings agree on; other
    // forms are only reported, because Wine's C runtime reads the program name
    // with the escapes of the later arguments, while Microsoft's documented
    // rule (followed by our splitter) does not.
    const std::string composedLike = R"("C:\Kit (x86) & 100%\tools\hdlpatch.exe" /X "a b")";
    std::vector<std::string> programLines{composedLike};
    for (const auto& token : kChosenProgramTokens) programLines.push_back(token + " a b");
    for (int i = 0; i < setup.randomLines / 4; ++i)
        programLines.push_back(randomText(random) + " a");
    windows = windowsArguments(programLines, setup);
    CHECK(splitWindowsCommandLine(composedLike) == windows[0],
          "composed program token: Windows " << show(windows[0]));
    int programDisagreements = 0;
    for (std::size_t i = 1; i < programLines.size(); ++i) {
        if (programLines[i].find_first_not_of(" \t") == std::string::npos) continue;
        const auto ours = splitWindowsCommandLine(programLines[i]);
        if (windows[i].empty()) continue;  // already reported as not started
        if (ours.front() != windows[i].front()) {
            if (++programDisagreements <= 5)
                note("program token <" + programLines[i] + ">: Windows " + show(windows[i]) +
                     ", ours " + show(ours));
        }
    }
    std::cout << "splitter: " << programLines.size() << " program tokens compared, "
              << programDisagreements << " read differently by Wine's C runtime" << std::endl;
}

}  // namespace kelvane::wintest
