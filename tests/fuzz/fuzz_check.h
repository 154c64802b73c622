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
#define FUZZ_CHECK(condition) \
    ((condition) ? void() : ::kelvane::fuzz::fail(#condition, __FILE__, __LINE__))

namespace kelvane::fuzz {

[[noreturn]] inline void fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", what, file, line);
    std::abort();
}

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The input cut at line feeds; the corpus files are readable text this way.
inline std::vector<std::string> lines(std::string_view text) {
    std::vector<std::string> result;
    for (std::size_t start = 0, end = 0; end != std::string_view::npos; start = end + 1) {
        end = text.find('\n', start);
        result.emplace_back(text.substr(start, end - start));
    }
    return result;
}

// Aborts unless the lists are equal, showing both one argument a line
// between <> (so that blanks, tabs and empty arguments show).
inline void checkSameArguments(const std::vector<std::string>& actual,
                               const std::vector<std::string>& expected, const char* what) {
    if (actual == expected) return;
    std::fprintf(stderr, "%s: the arguments split back differ from those intended\n", what);
    for (const auto* list : {&actual, &expected})
        for (const std::string& a : *list)
            std::fprintf(stderr, "%s<%s>\n", list == &actual ? "" : "  ", a.c_str());
    std::abort();
}

}  // namespace kelvane::fuzz
