#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kelvane::testing {

struct ToolRun {
    int exitCode = -1;  // -1: did not end normally
    std::string out;
    std::string err;
};

// Runs a program with the given arguments (no shell) in `cwd`, with
// KELVANE_TOOL_LOG set to `log` when it is not empty, and collects its output.
ToolRun runTool(const std::filesystem::path& program, const std::vector<std::string>& args,
                const std::filesystem::path& cwd, const std::filesystem::path& log = {});

// A fresh directory below the system's temporary directory, removed on
// destruction.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

std::string readText(const std::filesystem::path& file);

}  // namespace kelvane::testing
