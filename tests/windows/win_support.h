#pragma once

// Windows helpers of the test program: text conversion, starting a command
// line through CreateProcessW, and a scratch directory.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kelvane::wintest {

std::wstring wideFromUtf8(const std::string& text);
std::string utf8FromWide(const std::wstring& text);

// UTF-8 text in an 8-bit Windows code page; nothing when a character has no
// form in it.
std::optional<std::string> toCodePage(const std::string& utf8, unsigned codePage);

struct ProcessResult {
    bool started = false;
    unsigned long error = 0;     // GetLastError() when not started
    unsigned long exitCode = 0;  // when started
    bool timedOut = false;
    std::string output;  // stdout and stderr of the child
};

// Starts `commandLine` exactly as given (CreateProcessW; the application name
// is used only when not empty), in `workingDirectory` (empty: ours), waits up
// to a minute and collects the output through a file in `scratch`.
ProcessResult runCommandLine(const std::string& commandLine, const std::string& workingDirectory,
                             const std::filesystem::path& scratch,
                             const std::string& applicationName = {});

// Starts every command line with the given application, each with
// KELVANE_TOOL_LOG set to its own log file, several at a time, and waits for
// all. Returns for each a description of how it ended: empty when it
// started and exited with 0.
std::vector<std::string> runEachLogged(const std::vector<std::string>& commandLines,
                                       const std::string& applicationName,
                                       const std::vector<std::filesystem::path>& logs);

// Sets KELVANE_TOOL_LOG for this process and every child it starts.
void setToolLog(const std::filesystem::path& log);

// The directory of this program, and Windows' system directory.
std::filesystem::path programDirectory();
std::string systemDirectory();

// A fresh directory below the temporary directory; removed on destruction.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

std::string readWholeFile(const std::filesystem::path& file);

}  // namespace kelvane::wintest
