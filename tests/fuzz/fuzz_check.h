#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

// A property that must hold for every input. A failure prints what broke and
// aborts, which libFuzzer reports as a crash and saves the input.
#define FUZZ_CHECK(condition)                                                             \
    do {                                                                                  \
        if (!(condition)) {                                                               \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #condition, __FILE__, \
                         __LINE__);                                                       \
            std::abort();                                                                 \
        }                                                                                 \
    } while (0)

namespace kelvane::fuzz {

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The input cut at line feeds; the corpus files are readable text this way.
inline std::vector<std::string> lines(std::string_view text) {
    std::vector<std::string> result;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find('\n', start);
        result.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos) return result;
        start = end + 1;
    }
}

// Prints two argument lists one per line, each between <>, so that blanks,
// tabs and empty arguments show.
inline void printArguments(const char* title, const std::vector<std::string>& args) {
    std::fprintf(stderr, "%s (%zu):\n", title, args.size());
    for (const std::string& a : args) std::fprintf(stderr, "  <%s>\n", a.c_str());
}

// Aborts unless the two lists are equal, showing both when they differ.
inline void checkSameArguments(const std::vector<std::string>& actual,
                               const std::vector<std::string>& expected, const char* what) {
    if (actual == expected) return;
    std::fprintf(stderr, "%s: the arguments differ\n", what);
    printArguments("split back", actual);
    printArguments("intended", expected);
    std::abort();
}

}  // namespace kelvane::fuzz
