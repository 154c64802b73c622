#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kelvane::wintest {

struct Setup {
    std::filesystem::path testDirectory;   // this program, argv_echo.exe, notepad.exe
    std::filesystem::path toolsDirectory;  // the Windows stand-ins hdlpatch.exe, ps2-packer.exe
    int randomLines = 400;
    // Program directory names the kits are made in.
    std::vector<std::string> directoryNames;
};

// Program directory names with blanks, the characters the command interpreter
// treats specially, and letters outside ASCII.
const std::vector<std::string>& awkwardDirectoryNames();

void runSplitterAgreement(const Setup& setup);
void runToolCommandLines(const Setup& setup);
void runBatchFiles(const Setup& setup);

}  // namespace kelvane::wintest
