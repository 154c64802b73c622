#pragma once

#include <string>
#include <string_view>

namespace kelvane::fuzz {

// An argument written so that the Windows C runtime reads it back unchanged
// (written independently of the splitter under test): in double quotes, a
// quote escaped as \", and every run of backslashes before a quote (the
// escaped ones and the closing one) doubled.
inline std::string quoteAnyArgument(std::string_view arg) {
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
        } else if (c == '"') {
            out.append(backslashes + 1, '\\');
            backslashes = 0;
        } else {
            backslashes = 0;
        }
        out += c;
    }
    out.append(backslashes, '\\');
    out += '"';
    return out;
}

// A path as the program quotes it: between two double quotes, nothing
// escaped. Read back unchanged when it holds no quote and does not end in a
// backslash (which would escape the closing quote).
inline bool plainQuotingHolds(std::string_view path) {
    return path.find('"') == std::string_view::npos && (path.empty() || path.back() != '\\');
}

inline std::string quotedPlainly(std::string_view path) {
    return "\"" + std::string(path) + "\"";
}

}  // namespace kelvane::fuzz
