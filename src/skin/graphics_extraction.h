#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/program_directory.h"

namespace kelvane {

// Shown by both extraction buttons while no loader file is loaded.
inline constexpr const char* kPleaseLoadMessage = "Please load HDL/HDA (unpacked)";

// Where the user's copy of the graphics goes (kept) and where the preview
// copy goes (removed at shutdown).
std::string extractionDirectory(const ProgramDirectory& dir);
std::string previewDirectory(const ProgramDirectory& dir);

// A file of the graphics set inside one of the two directories above.
std::string graphicsFilePath(std::string_view directory, char separator, std::string_view file);

// The command line that makes HDLPatch write the graphics set into its working
// directory: exactly three words, the quoted tool path, "/X" and the quoted
// loader path. There is no output argument; the caller starts the tool in the
// target directory.
std::string graphicsExtractionCommandLine(const ProgramDirectory& dir, std::string_view loadedFile);

// True when a Windows command-line parser hands the tool exactly the tool path,
// "/X" and the loader path again (false, for example, when a path holds a
// double quote).
bool extractionCommandLineIsFaithful(const ProgramDirectory& dir, std::string_view loadedFile);

// The success message: always names the extraction directory.
std::string graphicsExtractedMessage(const ProgramDirectory& dir);

// Failure messages; each names the path concerned.
std::string directoryNotMadeMessage(std::string_view directory);
std::string pathNotPassableMessage(std::string_view path);
std::string toolNotStartedMessage(std::string_view toolPath, std::string_view reason);
std::string toolFailedMessage(std::string_view toolPath, std::string_view how);
std::string graphicsMissingMessage(std::string_view directory,
                                   const std::vector<std::string>& missingFiles);

}  // namespace kelvane
