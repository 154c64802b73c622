#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/tool_search.h"

namespace kelvane {

// The directory the program forms its paths from, with the separator of the
// platform it runs on: the directory of the executable, or, when that cannot
// be written, the per-user work folder that takes its place. Every tool and
// work path is this directory followed by a fixed relative path; nothing is
// added or trimmed, so a drive root such as "C:\" gives "C:\\tools\hdlpatch.exe".
class ProgramDirectory {
  public:
    ProgramDirectory(std::string directory, char separator)
        : directory_(std::move(directory)), separator_(separator) {}

    const std::string& directory() const { return directory_; }
    char separator() const { return separator_; }

    // relative is written with backslashes ("\tools\hdlpatch.exe"); each
    // backslash becomes the platform's separator.
    std::string join(std::string_view relative) const;

    // Tools are looked up through `search` instead of in "tools" below this
    // directory.
    ProgramDirectory withToolSearch(std::shared_ptr<const ToolSearch> search) const;

    // The tool's path: from the tool search when there is one, otherwise
    // "\tools\<file name>" below this directory.
    std::string toolPath(Tool tool) const;

    // Where to put a missing tool; empty when the tool is found or when no
    // tool search is set (the path in the message then says it).
    std::string missingToolAdvice(Tool tool) const;

  private:
    std::string directory_;
    char separator_;
    std::shared_ptr<const ToolSearch> toolSearch_;
};

}  // namespace kelvane
