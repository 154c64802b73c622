#include "core/program_directory.h"

namespace kelvane {

std::string ProgramDirectory::join(std::string_view relative) const {
    std::string path = directory_;
    path.reserve(path.size() + relative.size());
    for (char c : relative) path.push_back(c == '\\' ? separator_ : c);
    return path;
}

ProgramDirectory ProgramDirectory::withToolSearch(std::shared_ptr<const ToolSearch> search) const {
    ProgramDirectory copy = *this;
    copy.toolSearch_ = std::move(search);
    return copy;
}

std::string ProgramDirectory::toolPath(Tool tool) const {
    if (toolSearch_) return toolSearch_->locate(tool);
    return join("\\tools\\" + std::string(toolFileName(tool)));
}

std::string ProgramDirectory::missingToolAdvice(Tool tool) const {
    return toolSearch_ ? toolSearch_->missingAdvice(tool) : std::string();
}

}  // namespace kelvane
