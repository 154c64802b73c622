#include "help/readme_documents.h"

namespace kelvane {

std::string_view readmeRelativePath(ReadmeDocument document) {
    switch (document) {
        case ReadmeDocument::HdlPatch:
            return "\\README\\HDL PATCH README.txt";
        case ReadmeDocument::PackerV03:
            return "\\README\\PS2Packer 0.3 README.txt";
        case ReadmeDocument::PackerV04:
            return "\\README\\PS2Packer 0.4 README.txt";
    }
    return {};
}

std::string readmePath(const ProgramDirectory& programDir, ReadmeDocument document) {
    return programDir.join(readmeRelativePath(document));
}

}  // namespace kelvane
