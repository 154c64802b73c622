#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/program_directory.h"
#include "core/tool_search.h"

namespace kelvane {

// What start-up finds out about the places the program may use.
struct FolderFacts {
    std::string programDir;  // the executable's directory
    char separator = '/';
    bool programDirWritable = false;
    // For an installation that keeps its data apart from the executable
    // (<prefix>/bin and <prefix>/share/<name>): that data directory, holding
    // README and tools. Empty for a self-contained kit.
    std::string sharedDataDir;
    std::string perUserDir;               // the per-user work folder
    std::vector<std::string> searchPath;  // PATH directories searched for ps2-packer
};

// Where the program works and where it looks for its tools.
//
// Portable mode (a self-contained kit in a writable folder): every output
// lies beside the program, as always. Installed mode (the program folder
// cannot be written, or the program is installed apart from its data): the
// same layout lives in the per-user work folder. The program is never
// written into a system folder, even by a user who could.
struct WorkFolders {
    std::string programDir;  // the executable's directory
    std::string kitDir;      // holds README and tools: the program dir or the shared data dir
    std::string workDir;     // outputs, a.bat, hdl_gfx, hdl_gfx_tmp
    std::string perUserDir;  // the per-user folder (its tools are searched in both modes)
    bool installed = false;
    char separator = '/';
    std::vector<std::string> searchPath;

    // The tool files looked for, in order (the PATH search comes after them).
    std::vector<std::string> toolCandidates(Tool tool) const;
    // Whether the tool is also looked for on the PATH (ps2-packer, where a
    // native build may be installed).
    bool searchesPath(Tool tool) const;
    // Where the user is asked to put a missing tool: a folder this user can
    // write to that is searched.
    std::string toolDestination(Tool tool) const;
    std::string toolDestinationFolder() const;

    ProgramDirectory work() const { return {workDir, separator}; }
    ProgramDirectory kit() const { return {kitDir, separator}; }
};

WorkFolders decideWorkFolders(const FolderFacts& facts);

// Tells whether a path names an existing regular file.
using FileTest = std::function<bool(const std::string& path)>;

// The path of the first candidate that exists, then of ps2-packer on the PATH;
// when the tool is nowhere, its destination.
std::string locateTool(const WorkFolders& folders, Tool tool, const FileTest& isFile);

// A sentence that says where to put the missing tool and where it was
// looked for.
std::string missingToolAdvice(const WorkFolders& folders, Tool tool);

// The closing part of --help: the work folder and, in order, where each tool
// is looked for. Lines end in "\n".
std::string foldersInUseText(const WorkFolders& folders);

// A tool search over `folders` that tests files with `isFile` on every look-up,
// so that a tool put in place while the program runs is found.
std::shared_ptr<const ToolSearch> makeToolSearch(WorkFolders folders, FileTest isFile);

// A FileTest on the real file system: an existing regular file.
bool isExistingRegularFile(const std::string& path);

}  // namespace kelvane
