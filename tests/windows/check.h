#pragma once

// A very small check facility for the Windows test program: every check is
// counted, a failing one prints where and what, and the program ends with the
// line "N passed, N failed" and a non-zero exit code when anything failed.

#include <iostream>
#include <sstream>
#include <string>

namespace kelvane::wintest {

struct CheckCounts {
    int passed = 0;
    int failed = 0;
};

inline CheckCounts& counts() {
    static CheckCounts c;
    return c;
}

inline bool record(bool ok, const char* file, int line, const std::string& what) {
    if (ok) {
        ++counts().passed;
    } else {
        ++counts().failed;
        std::cout << "FAILED " << file << ":" << line << ": " << what << std::endl;
    }
    return ok;
}

// Prints a note that does not count as a check (findings worth reporting).
inline void note(const std::string& text) {
    std::cout << "note: " << text << std::endl;
}

}  // namespace kelvane::wintest

// CHECK(condition, context...) : context is streamed into the failure text.
#define CHECK(condition, ...)                                                          \
    ::kelvane::wintest::record(static_cast<bool>(condition), __FILE__, __LINE__, [&] { \
        std::ostringstream s_;                                                         \
        s_ << #condition;                                                              \
        __VA_OPT__(s_ << " | " << __VA_ARGS__;)                                        \
        return s_.str();                                                               \
    }())
