// Records the arguments the C runtime made of this program's command line,
// program name included, as one record of the tool log.

#include "common/utf8.h"
#include "tool_log.h"

int wmain(int argc, wchar_t** argv) {
    kelvane::tools::appendToolLog({"argv_echo", "", kelvane::tools::utf8Arguments(argc, argv)});
    return 0;
}
