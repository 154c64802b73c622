#pragma once

// Text in the stand-in tools is UTF-8 throughout. On Windows the arguments,
// the current directory and file names are converted at the edges, so that
// names with letters outside the ANSI code page survive.

#include <filesystem>
#include <string>
#include <vector>

namespace kelvane::tools {

// A file system path from UTF-8 text.
std::filesystem::path pathFromUtf8(const std::string& text);

// The UTF-8 text of a path.
std::string utf8FromPath(const std::filesystem::path& path);

#ifdef _WIN32
std::vector<std::string> utf8Arguments(int argc, wchar_t** argv);
#else
std::vector<std::string> utf8Arguments(int argc, char** argv);
#endif

}  // namespace kelvane::tools

// Defines the program's entry point: `run` receives the arguments after the
// program name as UTF-8 and returns the exit code. Windows builds enter
// through wmain (linked with -municode) to get the C runtime's wide argv.
#ifdef _WIN32
#define KELVANE_TOOL_MAIN(run)                                              \
    int wmain(int argc, wchar_t** argv) {                                   \
        auto args = kelvane::tools::utf8Arguments(argc, argv);              \
        return run(std::vector<std::string>(args.begin() + 1, args.end())); \
    }
#else
#define KELVANE_TOOL_MAIN(run)                                              \
    int main(int argc, char** argv) {                                       \
        auto args = kelvane::tools::utf8Arguments(argc, argv);              \
        return run(std::vector<std::string>(args.begin() + 1, args.end())); \
    }
#endif
