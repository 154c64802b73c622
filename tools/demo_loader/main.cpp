// Writes the demo loader to the path given as the only argument.

#include <iostream>

#include "common/file_io.h"
#include "common/utf8.h"
#include "demo_loader/demo_loader.h"

namespace {

int run(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::cerr << "usage: make_demo_loader output" << std::endl;
        return 1;
    }
    if (!kelvane::tools::writeFileBytes(kelvane::tools::pathFromUtf8(args[0]),
                                        kelvane::tools::makeDemoLoader())) {
        std::cerr << "make_demo_loader: cannot write " << args[0] << std::endl;
        return 2;
    }
    return 0;
}

}  // namespace

KELVANE_TOOL_MAIN(run)
