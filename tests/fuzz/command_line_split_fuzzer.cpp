// The argument splitter must give back exactly the arguments a command line was
// composed from: the program's own way (quoted tool path, switches, quoted
// paths, runs of blanks between them) and the general Windows way (any text,
// escaped), and it must take any text without fault.

#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "platform/process/command_line_split.h"

namespace {

using kelvane::splitWindowsCommandLine;
using namespace kelvane::fuzz;

// An argument written so that the Windows C runtime reads it back unchanged
// (written independently of the splitter under test): in double quotes, a
// quote escaped as \", and every run of backslashes before a quote (the
// escaped ones and the closing one) doubled.
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

// The program path as the program quotes it: between two double quotes,
// nothing escaped (the runtime reads the program name without escapes). For
// an argument with no quote that does not end in a backslash, this is what
// quoteAnyArgument writes too.
std::string quotedPlainly(std::string_view path) {
    return "\"" + std::string(path) + "\"";
}

bool isBareSwitch(const std::string& arg) {
    return arg.size() >= 2 && arg[0] == '/' && arg.find_first_of(" \t\"") == std::string::npos;
}

// Any line splits into a program and arguments that, written out again the
// general way, split into the same list.
void checkAnyLineIsStable(std::string_view line) {
    const auto args = splitWindowsCommandLine(line);
    FUZZ_CHECK(!args.empty());
    FUZZ_CHECK(args[0].find('"') == std::string::npos);  // quotes only group the program
    std::string again = quotedPlainly(args[0]);
    for (std::size_t i = 1; i < args.size(); ++i) again += " " + quoteAnyArgument(args[i]);
    checkSameArguments(splitWindowsCommandLine(again), args, "line written out again");
}

// The input's lines as a program path and its arguments, composed with the
// given separators; every argument must come back as it was.
void checkComposedLine(const std::vector<std::string>& fields) {
    std::vector<std::string> expected;
    std::string program;
    for (char c : fields[0])
        if (c != '"') program += c;  // a program path cannot hold a quote
    expected.push_back(program);
    std::string line = quotedPlainly(program);

    std::string general = line;
    for (std::size_t i = 1; i < fields.size(); ++i) {
        const std::string& arg = fields[i];
        expected.push_back(arg);
        // One to three blanks or tabs between arguments, as switches that are
        // off leave runs of blanks.
        const std::string gap = std::string(1 + arg.size() % 3, arg.size() % 5 == 4 ? '\t' : ' ');
        general += gap + quoteAnyArgument(arg);
        line += gap + (isBareSwitch(arg) ? arg : quoteAnyArgument(arg));
    }
    checkSameArguments(splitWindowsCommandLine(line), expected, "composed like the program");
    checkSameArguments(splitWindowsCommandLine(general), expected, "composed with escapes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = asText(data, size);
    checkAnyLineIsStable(text);
    checkComposedLine(lines(text));
    return 0;
}
