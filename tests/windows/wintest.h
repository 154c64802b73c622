#pragma once

// The Windows test program's counted checks and child starts.

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "common/utf8.h"
#include "tool_log.h"

namespace kelvane::wintest {

inline int passed = 0, failed = 0;

// Counts a check; a failing one prints "FAILED" and what `describe` writes.
template <class Describe>
bool record(bool ok, Describe describe) {
    ok ? ++passed : ++failed;
    if (!ok) describe(std::cout << "FAILED ") << std::endl;
    return ok;
}

struct Setup {
    std::filesystem::path testDirectory;   // this program and argv_echo.exe
    std::filesystem::path toolsDirectory;  // the stand-ins hdlpatch.exe and ps2-packer.exe
    std::filesystem::path scratch;         // removed at the end
    std::vector<std::string> directoryNames;
};

inline constexpr auto* nativePath = &tools::pathFromUtf8;
inline constexpr auto* utf8 = &tools::utf8FromPath;

struct Start {
    std::string commandLine{};       // handed to CreateProcessW exactly
    std::string application{};       // empty: named by the command line
    std::string workingDirectory{};  // empty: ours
};

struct Ended {
    std::string problem;  // empty: started and exited with 0
    std::vector<tools::ToolLogRecord> records;
};

// Starts each command line, several at a time, with KELVANE_TOOL_LOG set to a
// log of its own in `scratch`, and returns how each ended and what it logged.
std::vector<Ended> runAll(const std::vector<Start>& starts, const std::filesystem::path& scratch);
inline Ended runOne(const Start& start, const std::filesystem::path& scratch) {
    return runAll({start}, scratch).front();
}

void runSplitterAgreement(const Setup& setup);
void runKits(const Setup& setup);  // the tool command lines and a.bat

}  // namespace kelvane::wintest

// CHECK(condition, context...): the context is streamed into the failure text.
#define CHECK(condition, ...)                                                                   \
    ::kelvane::wintest::record(static_cast<bool>(condition),                                    \
                               [&](std::ostream& s_) -> std::ostream& {                         \
                                   return s_ << __FILE__ << ":" << __LINE__ << ": "             \
                                             << #condition __VA_OPT__(<< " | " << __VA_ARGS__); \
                               })
