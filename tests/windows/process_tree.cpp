// A tool that starts a child of its own and then waits for ever, as a batch
// file or a real tool with helpers would. Writes the child's process id to
// the file named by its only argument once the child runs.
//   process_tree <pid-file>   the parent
//   process_tree --child      the child: waits for ever

#include <windows.h>

#include <fstream>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc == 2 && std::wstring(argv[1]) == L"--child") {
        Sleep(INFINITE);
        return 0;
    }
    if (argc != 2) return 2;
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring line = L"\"" + std::wstring(self) + L"\" --child";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION child{};
    if (!CreateProcessW(self, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &child))
        return 3;
    std::ofstream(argv[1]) << child.dwProcessId << std::endl;
    Sleep(INFINITE);
    return 0;
}
