// Windows test program: checks, against the real Windows process start, C
// runtime and command interpreter, that the command lines and a.bat the
// program composes reach the tools exactly as meant.
//
// usage: kelvane_windows_tests [tools-directory [directory-name...]]
// The tools directory defaults to ..\kit\tools beside this program's
// directory; further names are tried as program directories besides the
// built-in awkward ones.

#include <chrono>
#include <iostream>

#include "check.h"
#include "sections.h"
#include "win_support.h"

int wmain(int argc, wchar_t** argv) {
    using namespace kelvane::wintest;
    Setup setup;
    setup.testDirectory = programDirectory();
    setup.toolsDirectory = argc > 1 ? std::filesystem::path(argv[1])
                                    : setup.testDirectory.parent_path() / "kit" / "tools";
    setup.directoryNames = awkwardDirectoryNames();
    for (int i = 2; i < argc; ++i) setup.directoryNames.push_back(utf8FromWide(argv[i]));

    try {
        for (auto section : {runSplitterAgreement, runToolCommandLines, runBatchFiles}) {
            const auto start = std::chrono::steady_clock::now();
            section(setup);
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            std::cout << "  (" << took.count() << " s)" << std::endl;
        }
    } catch (const std::exception& e) {
        record(false, __FILE__, __LINE__, std::string("exception: ") + e.what());
    }
    std::cout << counts().passed << " passed, " << counts().failed << " failed" << std::endl;
    return counts().failed == 0 && counts().passed > 0 ? 0 : 1;
}
