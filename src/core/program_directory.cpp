#include "core/program_directory.h"

namespace kelvane {

std::string ProgramDirectory::join(std::string_view relative) const {
    std::string path = directory_;
    path.reserve(path.size() + relative.size());
    for (char c : relative) path.push_back(c == '\\' ? separator_ : c);
    return path;
}

}  // namespace kelvane
