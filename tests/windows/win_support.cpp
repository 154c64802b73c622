#include <windows.h>

#include <algorithm>

#include "wintest.h"

namespace fs = std::filesystem;

namespace kelvane::wintest {

std::vector<Ended> runAll(const std::vector<Start>& starts, const fs::path& scratch) {
    constexpr std::size_t kAtOnce = 8;
    std::vector<Ended> ended(starts.size());
    std::vector<fs::path> logs;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        logs.push_back(scratch / ("run-" + std::to_string(i) + ".log"));
        fs::remove(logs.back());
    }
    for (std::size_t first = 0; first < starts.size(); first += kAtOnce) {
        std::vector<std::pair<std::size_t, HANDLE>> running;
        for (std::size_t i = first; i < std::min(first + kAtOnce, starts.size()); ++i) {
            std::wstring line = nativePath(starts[i].commandLine).native() + L'\0';  // written into
            const std::wstring application = nativePath(starts[i].application).native();
            const std::wstring directory = nativePath(starts[i].workingDirectory).native();
            SetEnvironmentVariableW(L"KELVANE_TOOL_LOG", logs[i].c_str());  // for the child
            STARTUPINFOW startup{};  // the child writes where we write
            startup.cb = sizeof(startup);
            startup.dwFlags = STARTF_USESTDHANDLES;
            startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
            startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
            startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
            PROCESS_INFORMATION process{};
            if (CreateProcessW(application.empty() ? nullptr : application.c_str(), line.data(),
                               nullptr, nullptr, TRUE, 0, nullptr,
                               directory.empty() ? nullptr : directory.c_str(), &startup,
                               &process)) {
                CloseHandle(process.hThread);
                running.emplace_back(i, process.hProcess);
            } else {
                ended[i].problem = "not started, error " + std::to_string(GetLastError());
            }
        }
        for (auto [i, process] : running) {
            DWORD exitCode = 0;
            if (WaitForSingleObject(process, 60000) != WAIT_OBJECT_0) {
                TerminateProcess(process, 99);
                ended[i].problem = "did not end within a minute";
            } else if (GetExitCodeProcess(process, &exitCode) && exitCode != 0) {
                ended[i].problem = "exit code " + std::to_string(exitCode);
            }
            CloseHandle(process);
        }
    }
    SetEnvironmentVariableW(L"KELVANE_TOOL_LOG", nullptr);
    for (std::size_t i = 0; i < starts.size(); ++i) ended[i].records = tools::readToolLog(logs[i]);
    return ended;
}

}  // namespace kelvane::wintest
