#include "core/work_folders.h"

#include <filesystem>
#include <system_error>

#include "core/utf8_path.h"

namespace kelvane {
namespace {

// Like every other path of the program: the directory, a separator and the
// name, nothing trimmed (a drive root "C:\" gives "C:\\tools").
std::string joined(const std::string& directory, char separator, std::string_view name) {
    std::string path = directory;
    path.push_back(separator);
    path += name;
    return path;
}

std::string toolsFolder(const std::string& base, char separator) {
    return joined(base, separator, "tools");
}

// The native build of the packer carries no ".exe".
constexpr const char* kPackerOnPath = "ps2-packer";

class FolderToolSearch final : public ToolSearch {
  public:
    FolderToolSearch(WorkFolders folders, FileTest isFile)
        : folders_(std::move(folders)), isFile_(std::move(isFile)) {}

    std::string locate(Tool tool) const override { return locateTool(folders_, tool, isFile_); }

    std::string missingAdvice(Tool tool) const override {
        // A missing tool is located at its destination, which is then no file.
        return isFile_(locate(tool)) ? std::string() : missingToolAdvice(folders_, tool);
    }

  private:
    WorkFolders folders_;
    FileTest isFile_;
};

}  // namespace

WorkFolders decideWorkFolders(const FolderFacts& facts) {
    WorkFolders folders;
    folders.programDir = facts.programDir;
    folders.separator = facts.separator;
    folders.perUserDir = facts.perUserDir;
    folders.searchPath = facts.searchPath;
    folders.kitDir = facts.sharedDataDir.empty() ? facts.programDir : facts.sharedDataDir;
    folders.installed = !facts.sharedDataDir.empty() || !facts.programDirWritable;
    // Without a per-user folder there is nowhere better than the program's.
    if (facts.perUserDir.empty()) folders.installed = false;
    folders.workDir = folders.installed ? facts.perUserDir : facts.programDir;
    return folders;
}

std::vector<std::string> WorkFolders::toolCandidates(Tool tool) const {
    const std::string_view file = toolFileName(tool);
    std::vector<std::string> candidates{joined(toolsFolder(kitDir, separator), separator, file)};
    if (!perUserDir.empty() && perUserDir != kitDir) {
        candidates.push_back(joined(toolsFolder(perUserDir, separator), separator, file));
    }
    return candidates;
}

bool WorkFolders::searchesPath(Tool tool) const {
    return tool == Tool::Ps2Packer && !searchPath.empty();
}

std::string WorkFolders::toolDestinationFolder() const {
    return toolsFolder(installed ? perUserDir : kitDir, separator);
}

std::string WorkFolders::toolDestination(Tool tool) const {
    return joined(toolDestinationFolder(), separator, toolFileName(tool));
}

std::string locateTool(const WorkFolders& folders, Tool tool, const FileTest& isFile) {
    for (const std::string& candidate : folders.toolCandidates(tool)) {
        if (isFile(candidate)) return candidate;
    }
    if (folders.searchesPath(tool)) {
        for (const std::string& dir : folders.searchPath) {
            if (dir.empty()) continue;  // an empty PATH entry is not a folder we name
            const std::string candidate = joined(dir, '/', kPackerOnPath);
            if (isFile(candidate)) return candidate;
        }
    }
    return folders.toolDestination(tool);
}

std::string missingToolAdvice(const WorkFolders& folders, Tool tool) {
    std::string text = "Put the real " + std::string(toolFileName(tool)) + " into this folder:\n" +
                       folders.toolDestinationFolder() + "\n(looked for in ";
    const auto candidates = folders.toolCandidates(tool);
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (i > 0)
            text += i + 1 == candidates.size() && !folders.searchesPath(tool) ? " and " : ", ";
        text += candidates[i];
    }
    if (folders.searchesPath(tool)) text += " and ps2-packer on the PATH";
    text += ")";
    return text;
}

std::string foldersInUseText(const WorkFolders& folders) {
    std::string text = "Folders in use:\n";
    text += "  Work folder (outputs, a.bat, hdl_gfx, hdl_gfx_tmp):\n    " + folders.workDir;
    text += folders.installed ? "  (per-user: the program folder is not used for work)\n"
                              : "  (the program folder: portable mode)\n";
    for (Tool tool : {Tool::HdlPatch, Tool::Ps2Packer}) {
        text += "  " + std::string(toolDisplayName(tool)) + " is looked for in, in order:\n";
        int n = 0;
        for (const std::string& candidate : folders.toolCandidates(tool)) {
            text += "    " + std::to_string(++n) + ". " + candidate + "\n";
        }
        if (folders.searchesPath(tool)) {
            text += "    " + std::to_string(++n) + ". " + kPackerOnPath + " on the PATH\n";
        }
    }
    return text;
}

std::shared_ptr<const ToolSearch> makeToolSearch(WorkFolders folders, FileTest isFile) {
    return std::make_shared<FolderToolSearch>(std::move(folders), std::move(isFile));
}

bool isExistingRegularFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(pathFromUtf8(path), error);
}

}  // namespace kelvane
