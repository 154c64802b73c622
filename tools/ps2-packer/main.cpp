// Stand-in for ps2-packer: writes a run-length packed copy of the input as a
// PS2 program (one that cannot run) and reports the sizes the way the real
// packer does.

#include <iostream>

#include "common/file_io.h"
#include "common/stand_in.h"
#include "common/utf8.h"
#include "ps2-packer/run_length.h"

namespace kelvane::tools {
namespace {

constexpr const char* kTool = "ps2-packer";
constexpr const char* kUsage = "usage: ps2-packer [-v] input output";

int run(const std::vector<std::string>& args) {
    announceStandIn(kTool, "ps2-packer", args);
    std::vector<std::string> files;
    for (const auto& arg : args) {
        if (arg == "-v") continue;  // verbose output: the stand-in is always brief
        if (arg.size() > 1 && arg[0] == '-')
            return failWith(kTool, "unknown option: " + arg + "\n" + kUsage);
        files.push_back(arg);
    }
    if (files.size() != 2)
        return failWith(kTool, "expected an input and an output file, got " +
                                   std::to_string(files.size()) + " argument(s)\n" + kUsage);

    auto input = readFileBytes(pathFromUtf8(files[0]));
    if (!input) return failWith(kTool, "input file not found or not readable: " + files[0], 2);
    Bytes packed = packAsProgram(*input);
    if (!writeFileBytes(pathFromUtf8(files[1]), packed))
        return failWith(kTool, "cannot write the output file: " + files[1], 2);
    std::cout << "File compressed, from " << input->size() << " to " << packed.size() << " bytes"
              << std::endl;
    return 0;
}

}  // namespace
}  // namespace kelvane::tools

KELVANE_TOOL_MAIN(kelvane::tools::run)
