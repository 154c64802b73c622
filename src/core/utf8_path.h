#pragma once

#include <filesystem>
#include <string>

namespace kelvane {

// The program keeps every path as UTF-8 text; the file system wants a path
// object, which on Windows is wide characters. These two convert between them
// without the narrow code page getting in the way.
inline std::filesystem::path pathFromUtf8(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace kelvane
