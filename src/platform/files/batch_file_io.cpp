#include "platform/files/batch_file_io.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "core/utf8_path.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace kelvane {
namespace {

#ifdef _WIN32
std::wstring wide(const std::string& text, UINT codePage) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring result(std::size_t(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), result.data(), length);
    return result;
}

std::optional<std::string> narrow(const std::wstring& text, UINT codePage) {
    if (text.empty()) return std::string();
    BOOL lossy = FALSE;
    const int length = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text.data(),
                                           int(text.size()), nullptr, 0, nullptr, &lossy);
    std::string result(std::size_t(length), '\0');
    WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, text.data(), int(text.size()),
                        result.data(), length, nullptr, &lossy);
    if (lossy) return std::nullopt;
    return result;
}
#endif

}  // namespace

std::string systemDirectory() {
#ifdef _WIN32
    wchar_t buffer[MAX_PATH];
    const UINT length = GetSystemDirectoryW(buffer, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        return utf8FromPath(fs::path(std::wstring(buffer, length)));
    }
    const char* root = std::getenv("SystemRoot");
    return std::string(root && *root ? root : "C:\\Windows") + "\\System32";
#else
    return {};
#endif
}

std::optional<std::string> batchFileBytes(const std::string& utf8Text) {
#ifdef _WIN32
    const std::wstring text = wide(utf8Text, CP_UTF8);
    const auto bytes = narrow(text, CP_ACP);
    if (!bytes || wide(*bytes, CP_ACP) != text || wide(*bytes, CP_OEMCP) != text)
        return std::nullopt;
    return bytes;
#else
    return utf8Text;
#endif
}

std::optional<std::string> writeWholeFile(const std::string& path, const std::string& bytes) {
    const fs::path file = pathFromUtf8(path);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    const int openError = errno;
    if (!out) return std::generic_category().message(openError);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    out.close();
    if (!out) {
        const int writeError = errno;
        std::error_code ignored;
        fs::remove(file, ignored);
        return std::generic_category().message(writeError);
    }
    return std::nullopt;
}

std::optional<std::string> removeFileIfPresent(const std::string& path) {
    std::error_code error;
    fs::remove(pathFromUtf8(path), error);
    if (error) return error.message();
    return std::nullopt;
}

}  // namespace kelvane
