// Compares the argument splitter used on other systems with the argv the C
// runtime of a real Windows program makes of the same command lines.

#include <random>

#include "platform/process/command_line_split.h"
#include "wintest.h"

namespace kelvane::wintest {
namespace {

// Random text of blanks, tabs, quotes, backslashes and letters: 400 such
// lines meet each rule of the runtime many times over.
std::string randomText(std::mt19937& random) {
    static const char* const kPieces[] = {" ", "  ", "\t", "\"",  "\"\"", "\\", "\\\\",
                                          "a", "b",  "é",  "x y", "\\\"", "Кит"};
    std::uniform_int_distribution<int> length(0, 14);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1);
    std::string line;
    for (int n = length(random); n > 0; --n) line += kPieces[piece(random)];
    return line;
}

}  // namespace

void runSplitterAgreement(const Setup& setup) {
    // argv_echo.exe is started by its path, whatever the line names. The
    // program token is a quoted path without quotes inside, as in every line
    // this program composes (Wine reads other forms unlike Microsoft's rule).
    const std::string echo = utf8(setup.testDirectory / "argv_echo.exe");
    std::vector<Start> starts{{R"("C:\Kit (x86) & 100%\tools\hdlpatch.exe" /X "a b")", echo}};
    std::mt19937 random(20240607);
    for (int i = 0; i < 400; ++i) starts.push_back({"argv_echo.exe " + randomText(random), echo});

    auto ended = runAll(starts, setup.scratch);
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const std::string& line = starts[i].commandLine;
        if (!ended[i].problem.empty() || ended[i].records.size() != 1) {
            std::cout << "retried <" << line << "> after: " << ended[i].problem << std::endl;
            ended[i] = runOne(starts[i], setup.scratch);
        }
        if (!CHECK(ended[i].problem.empty() && ended[i].records.size() == 1,
                   "argv_echo for line <" << line << ">: " << ended[i].problem))
            continue;
        const auto& windows = ended[i].records[0].args;
        const auto ours = splitWindowsCommandLine(line);
        CHECK(ours == windows, "line <" << line << ">\nWindows:\n"
                                        << tools::formatToolLogRecord({"", "", windows})
                                        << "ours:\n"
                                        << tools::formatToolLogRecord({"", "", ours}));
    }
    std::cout << "splitter: " << starts.size() << " argument lists compared" << std::endl;
}

}  // namespace kelvane::wintest
