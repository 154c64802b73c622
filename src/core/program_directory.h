#pragma once

#include <string>
#include <string_view>

namespace kelvane {

// The directory that holds the program's executable, with the separator of the
// platform it runs on. Every tool, read-me and work path is this directory
// followed by a fixed relative path; nothing is added or trimmed, so a drive
// root such as "C:\" gives "C:\\tools\hdlpatch.exe".
class ProgramDirectory {
  public:
    ProgramDirectory(std::string directory, char separator)
        : directory_(std::move(directory)), separator_(separator) {}

    const std::string& directory() const { return directory_; }
    char separator() const { return separator_; }

    // relative is written with backslashes ("\tools\hdlpatch.exe"); each
    // backslash becomes the platform's separator.
    std::string join(std::string_view relative) const;

  private:
    std::string directory_;
    char separator_;
};

}  // namespace kelvane
