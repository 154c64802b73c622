#include "run_tool.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>

#include "../windows/child_startup.h"
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace kelvane::testing {
namespace {

std::string readAll(std::FILE* file) {
    std::string text;
    std::rewind(file);
    for (int c; (c = std::fgetc(file)) != EOF;) text.push_back(static_cast<char>(c));
    std::fclose(file);
    return text;
}

}  // namespace

#ifdef _WIN32
namespace {

// One argument as the C runtime reads it back: quoted, with the backslashes
// before a quote doubled.
std::wstring quotedArgument(const std::wstring& arg) {
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted.push_back(c);
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

HANDLE inheritable(std::FILE* file) {
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    return handle;
}

}  // namespace

ToolRun runTool(const std::string& name, const std::vector<std::string>& args,
                const std::filesystem::path& cwd, const std::filesystem::path& log) {
    const std::filesystem::path program = kKitDir / "tools" / (name + ".exe");
    std::wstring line = quotedArgument(program.wstring());
    for (const std::string& arg : args)
        line += L" " + quotedArgument(
                           std::filesystem::path(std::u8string(arg.begin(), arg.end())).wstring());

    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    STARTUPINFOW startup = startupWithHandles(inheritable(out), inheritable(err));
    SetEnvironmentVariableW(L"KELVANE_TOOL_LOG", log.empty() ? nullptr : log.c_str());
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
    return {static_cast<int>(exitCode), readAll(out), readAll(err)};
}

#else
ToolRun runTool(const std::string& name, const std::vector<std::string>& args,
                const std::filesystem::path& cwd, const std::filesystem::path& log) {
    std::vector<std::string> argvText{(kKitDir / "tools" / (name + ".exe")).string()};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& arg : argvText) argv.push_back(arg.data());
    argv.push_back(nullptr);

    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) {
        if (dup2(fileno(out), 1) < 0 || dup2(fileno(err), 2) < 0 || chdir(cwd.c_str()) != 0)
            _exit(126);
        log.empty() ? unsetenv("KELVANE_TOOL_LOG") : setenv("KELVANE_TOOL_LOG", log.c_str(), 1);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readAll(out), readAll(err)};
}

#endif

std::string readText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace kelvane::testing
