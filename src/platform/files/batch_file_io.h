#pragma once

#include <optional>
#include <string>

namespace kelvane {

// The Windows system directory, where cmd.exe and notepad.exe live: asked of
// the system, else %SystemRoot%\System32, else C:\Windows\System32. Empty on
// other systems.
std::string systemDirectory();

// The bytes of a batch file holding the UTF-8 text: on Windows in the ANSI
// code page, and only when every character reads back unchanged both there
// and in the OEM code page that cmd.exe reads batch files in (they differ
// for most letters outside ASCII); nothing otherwise. Elsewhere the text as
// it is.
std::optional<std::string> batchFileBytes(const std::string& utf8Text);

// Writes the bytes to path, replacing any earlier file. On failure nothing is
// left behind and the reason is returned.
std::optional<std::string> writeWholeFile(const std::string& path, const std::string& bytes);

// Deletes the file if it is there; returns the reason when it stays.
std::optional<std::string> removeFileIfPresent(const std::string& path);

}  // namespace kelvane
