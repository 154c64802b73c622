#include "run_tool.h"

#ifdef _WIN32
#include <windows.h>

#include "common/utf8.h"
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace kelvane::testing {

#ifdef _WIN32
int runTool(const std::string& name, const std::vector<std::string>& args,
            const std::filesystem::path& cwd, const std::filesystem::path& log) {
    const std::filesystem::path program = kKitDir / "tools" / (name + ".exe");
    // Plain quotes suffice: no test argument holds a quote or ends in a backslash.
    std::wstring line = L"\"" + program.wstring() + L"\"";
    for (const std::string& arg : args) line += L" \"" + tools::pathFromUtf8(arg).wstring() + L"\"";
    SetEnvironmentVariableW(L"KELVANE_TOOL_LOG", log.c_str());
    STARTUPINFOW startup{};  // the child writes where we write
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0,
                                        nullptr, cwd.c_str(), &startup, &process);
    SetEnvironmentVariableW(L"KELVANE_TOOL_LOG", nullptr);
    if (!started) throw std::runtime_error("CreateProcess failed for " + program.string());
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(exitCode);
}

#else
int runTool(const std::string& name, const std::vector<std::string>& args,
            const std::filesystem::path& cwd, const std::filesystem::path& log) {
    std::vector<std::string> argvText{(kKitDir / "tools" / (name + ".exe")).string()};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& arg : argvText) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        if (chdir(cwd.c_str()) != 0 || setenv("KELVANE_TOOL_LOG", log.c_str(), 1) != 0) _exit(126);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

#endif

std::string readText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace kelvane::testing
