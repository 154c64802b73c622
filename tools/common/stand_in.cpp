#include "common/stand_in.h"

#include <filesystem>
#include <iostream>

#include "common/utf8.h"
#include "tool_log.h"

namespace kelvane::tools {

void announceStandIn(const std::string& toolName, const std::string& realToolName,
                     const std::vector<std::string>& args) {
    std::cout << "This " << toolName << " is a stand-in for " << realToolName
              << " made for HDL Kelvane GUI; replace it with the real tool (see the README)."
              << std::endl;
    std::error_code error;
    std::string cwd = utf8FromPath(std::filesystem::current_path(error));
    appendToolLog({toolName, cwd, args});
}

int failWith(const std::string& toolName, const std::string& message, int exitCode) {
    std::cout.flush();
    std::cerr << toolName << ": " << message << std::endl;
    return exitCode;
}

}  // namespace kelvane::tools
