#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "support/scratch_dir.h"

namespace kelvane::testing {

// The kit laid out by the build (passed in by CMake).
inline const std::filesystem::path kKitDir = KELVANE_TEST_KIT_DIR;
inline const std::filesystem::path kDemoLoader = kKitDir / "samples" / "DEMO.ELF";

// Runs the kit's tool `name` with the given arguments (no shell) in `cwd`,
// with KELVANE_TOOL_LOG set to `log`, and returns its exit code (-1: it did
// not end normally). Its output goes to ours.
int runTool(const std::string& name, const std::vector<std::string>& args,
            const std::filesystem::path& cwd, const std::filesystem::path& log);

std::string readText(const std::filesystem::path& file);

}  // namespace kelvane::testing
