// Records the arguments the C runtime made of this program's command line,
// program name included, as one record of the tool log.

#include <filesystem>
#include <string>
#include <vector>

#include "common/utf8.h"
#include "tool_log.h"

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i)
        args.push_back(kelvane::tools::utf8FromPath(std::filesystem::path(argv[i])));
    kelvane::tools::appendToolLog({"argv_echo", "", args});
    return 0;
}
