// Checks against the real process start, C runtime and command interpreter
// that the composed command lines and a.bat reach the tools exactly as meant.
// usage: kelvane_windows_tests [tools-directory (..\kit\tools) [directory-name...]]

#include <windows.h>

#include "wintest.h"

int wmain(int argc, wchar_t** argv) {
    using namespace kelvane::wintest;
    namespace fs = std::filesystem;
    std::wstring self(32768, L'\0');
    self.resize(GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    Setup setup;
    setup.testDirectory = fs::path(self).parent_path();
    setup.toolsDirectory =
        argc > 1 ? fs::path(argv[1]) : setup.testDirectory / ".." / "kit" / "tools";
    setup.scratch =
        fs::temp_directory_path() / ("kelvane-wintest-" + std::to_string(GetCurrentProcessId()));
    // Blanks, characters cmd.exe acts on, letters outside ASCII.
    // clang-format off
    setup.directoryNames = {
        "Plain", "Kit With Blanks", "Kit & Co", "100% Kit", "50%PATH%", "Caret ^ Kit", "Kit (x86)",
        "Kit!Bang!", "Kït Ünïcödé", "Кит Юникод", "all & of %them% ^ (here) !x! é"};
    // clang-format on
    for (int i = 2; i < argc; ++i) setup.directoryNames.push_back(utf8(argv[i]));
    try {
        fs::create_directories(setup.scratch);
        runSplitterAgreement(setup);
        runKits(setup);
    } catch (const std::exception& e) {
        CHECK(false, "exception: " << e.what());
    }
    std::error_code ignored;
    fs::remove_all(setup.scratch, ignored);
    std::cout << passed << " passed, " << failed << " failed" << std::endl;
    return failed == 0 && passed > 0 ? 0 : 1;
}
