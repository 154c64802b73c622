#include "win_support.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace kelvane::wintest {

std::wstring wideFromUtf8(const std::string& text) {
    if (text.empty()) return {};
    int size =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

std::string utf8FromWide(const std::wstring& text) {
    if (text.empty()) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

std::optional<std::string> toCodePage(const std::string& utf8, unsigned codePage) {
    const std::wstring wide = wideFromUtf8(utf8);
    if (wide.empty()) return std::string();
    // No "best fit" look-alikes: a character without an exact form is a loss.
    BOOL lossy = FALSE;
    int size = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(),
                                   static_cast<int>(wide.size()), nullptr, 0, nullptr, &lossy);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                        result.data(), size, nullptr, &lossy);
    if (lossy) return std::nullopt;
    return result;
}

ProcessResult runCommandLine(const std::string& commandLine, const std::string& workingDirectory,
                             const std::filesystem::path& scratch,
                             const std::string& applicationName) {
    ProcessResult result;
    const std::filesystem::path outputFile = scratch / "child-output.txt";

    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE output =
        CreateFileW(outputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = output;
    startup.hStdError = output;

    std::wstring line = wideFromUtf8(commandLine);
    line.push_back(L'\0');  // CreateProcessW may write into the buffer
    const std::wstring application = wideFromUtf8(applicationName);
    const std::wstring directory = wideFromUtf8(workingDirectory);
    PROCESS_INFORMATION process{};
    BOOL ok =
        CreateProcessW(applicationName.empty() ? nullptr : application.c_str(), line.data(),
                       nullptr, nullptr, TRUE, 0, nullptr,
                       workingDirectory.empty() ? nullptr : directory.c_str(), &startup, &process);
    if (!ok) {
        result.error = GetLastError();
        CloseHandle(output);
        return result;
    }
    result.started = true;
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_TIMEOUT) {
        result.timedOut = true;
        TerminateProcess(process.hProcess, 99);
        WaitForSingleObject(process.hProcess, 5000);
    }
    GetExitCodeProcess(process.hProcess, &result.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(output);
    result.output = readWholeFile(outputFile);
    return result;
}

namespace {

// This process's environment with KELVANE_TOOL_LOG set to `log`, as a block
// for CreateProcessW.
std::wstring environmentWithLog(const std::filesystem::path& log) {
    const std::wstring key = L"KELVANE_TOOL_LOG=";
    std::wstring block;
    wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; *entry != 0; entry += wcslen(entry) + 1) {
        if (_wcsnicmp(entry, key.c_str(), key.size()) == 0) continue;
        block += entry;
        block.push_back(L'\0');
    }
    FreeEnvironmentStringsW(strings);
    block += key + log.wstring();
    block.push_back(L'\0');
    block.push_back(L'\0');
    return block;
}

}  // namespace

std::vector<std::string> runEachLogged(const std::vector<std::string>& commandLines,
                                       const std::string& applicationName,
                                       const std::vector<std::filesystem::path>& logs) {
    constexpr std::size_t kAtOnce = 8;
    const std::wstring application = wideFromUtf8(applicationName);
    std::vector<std::string> ended(commandLines.size());
    for (std::size_t first = 0; first < commandLines.size(); first += kAtOnce) {
        std::vector<std::pair<std::size_t, HANDLE>> running;
        for (std::size_t i = first; i < std::min(first + kAtOnce, commandLines.size()); ++i) {
            std::wstring line = wideFromUtf8(commandLines[i]);
            line.push_back(L'\0');
            std::wstring environment = environmentWithLog(logs[i]);
            STARTUPINFOW startup{};
            startup.cb = sizeof(startup);
            PROCESS_INFORMATION process{};
            if (CreateProcessW(application.c_str(), line.data(), nullptr, nullptr, FALSE,
                               CREATE_UNICODE_ENVIRONMENT, environment.data(), nullptr, &startup,
                               &process)) {
                CloseHandle(process.hThread);
                running.emplace_back(i, process.hProcess);
            } else {
                ended[i] = "not started, error " + std::to_string(GetLastError());
            }
        }
        for (auto [i, process] : running) {
            DWORD exitCode = 0;
            if (WaitForSingleObject(process, 60000) == WAIT_OBJECT_0) {
                GetExitCodeProcess(process, &exitCode);
                if (exitCode != 0) ended[i] = "exit code " + std::to_string(exitCode);
            } else {
                TerminateProcess(process, 99);
                ended[i] = "did not end within a minute";
            }
            CloseHandle(process);
        }
    }
    return ended;
}

void setToolLog(const std::filesystem::path& log) {
    SetEnvironmentVariableW(L"KELVANE_TOOL_LOG", log.c_str());
}

std::filesystem::path programDirectory() {
    std::wstring buffer(32768, L'\0');
    DWORD size = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    buffer.resize(size);
    return std::filesystem::path(buffer).parent_path();
}

std::string systemDirectory() {
    wchar_t buffer[MAX_PATH];
    UINT size = GetSystemDirectoryW(buffer, MAX_PATH);
    return utf8FromWide(std::wstring(buffer, size));
}

ScratchDir::ScratchDir() {
    const auto base = std::filesystem::temp_directory_path();
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        auto candidate = base / ("kelvane-wintest-" + std::to_string(GetCurrentProcessId()) + "-" +
                                 std::to_string(attempt));
        std::error_code error;
        if (std::filesystem::create_directory(candidate, error)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot make a scratch directory");
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string readWholeFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace kelvane::wintest
