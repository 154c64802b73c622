// The argument splitter takes any text without fault, and gives back exactly
// the arguments a command line was composed from in the general Windows way
// (any text, escaped, runs of blanks between). The program's own lines are
// split back by the patch request fuzzer.

#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "platform/process/command_line_split.h"

namespace {

using kelvane::splitWindowsCommandLine;
using namespace kelvane::fuzz;

// An argument as the Windows C runtime reads it back unchanged (written
// independently of the splitter): in double quotes, a quote escaped as \",
// and every run of backslashes before a quote doubled.
std::string quoteAnyArgument(std::string_view arg) {
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (char c : arg) {
        if (c == '"') out.append(backslashes + 1, '\\');
        backslashes = c == '\\' ? backslashes + 1 : 0;
        out += c;
    }
    return out.append(backslashes, '\\') + '"';
}

// Any line splits into a program and arguments that, written out again,
// split into the same list.
void checkAnyLineIsStable(std::string_view line) {
    const auto args = splitWindowsCommandLine(line);
    FUZZ_CHECK(!args.empty());
    FUZZ_CHECK(args[0].find('"') == std::string::npos);  // quotes only group the program
    std::string again = "\"" + args[0] + "\"";           // the program name has no escapes
    for (std::size_t i = 1; i < args.size(); ++i) again += " " + quoteAnyArgument(args[i]);
    checkSameArguments(splitWindowsCommandLine(again), args, "line written out again");
}

// The input's lines as a program path (without quotes) and its arguments.
void checkComposedLine(const std::vector<std::string>& fields) {
    std::string program;
    for (char c : fields[0])
        if (c != '"') program += c;
    std::vector<std::string> expected{program};
    std::string line = "\"" + program + "\"";
    for (std::size_t i = 1; i < fields.size(); ++i) {
        expected.push_back(fields[i]);
        // One to three blanks or tabs, as switches that are off leave runs of blanks.
        const std::size_t n = fields[i].size();
        line += std::string(1 + n % 3, n % 5 == 4 ? '\t' : ' ') + quoteAnyArgument(fields[i]);
    }
    checkSameArguments(splitWindowsCommandLine(line), expected, "composed with escapes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = asText(data, size);
    checkAnyLineIsStable(text);
    checkComposedLine(lines(text));
    return 0;
}
