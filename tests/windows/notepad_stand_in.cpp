// Takes the place of Notepad in the tests: records the arguments it was
// started with in the tool log and exits at once.

#include "common/stand_in.h"
#include "common/utf8.h"

namespace {

int run(const std::vector<std::string>& args) {
    kelvane::tools::announceStandIn("notepad", "Notepad", args);
    return 0;
}

}  // namespace

KELVANE_TOOL_MAIN(run)
