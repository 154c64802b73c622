#include "common/utf8.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace kelvane::tools {

std::filesystem::path pathFromUtf8(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string utf8FromPath(const std::filesystem::path& path) {
    std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

#ifdef _WIN32
namespace {
std::string utf8FromWide(const wchar_t* text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string result(static_cast<std::size_t>(size - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, result.data(), size, nullptr, nullptr);
    return result;
}
}  // namespace

std::vector<std::string> utf8Arguments(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i) args.push_back(utf8FromWide(argv[i]));
    if (args.empty()) args.emplace_back();
    return args;
}
#else
std::vector<std::string> utf8Arguments(int argc, char** argv) {
    std::vector<std::string> args(argv, argv + argc);
    if (args.empty()) args.emplace_back();
    return args;
}
#endif

}  // namespace kelvane::tools
