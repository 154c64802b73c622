#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/message_icon.h"
#include "core/program_directory.h"
#include "platform/process/tool_job.h"

namespace kelvane {

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

// The job that extracts the graphics of the loaded file into `directory`:
// HDLPatch started there, expected to write the six files of the graphics set.
ToolJob graphicsExtractionJob(const ProgramDirectory& dir, std::string_view loadedFile,
                              const std::string& directory);

// True when a Windows command-line parser hands the tool exactly the tool path,
// "/X" and the loader path again (false, for example, when a path holds a
// double quote).
bool extractionCommandLineIsFaithful(const ProgramDirectory& dir, std::string_view loadedFile);

// The success message: always names the extraction directory.
std::string graphicsExtractedMessage(const ProgramDirectory& dir);

// Failure messages; each names the path concerned.
std::string directoryNotMadeMessage(std::string_view directory);
// The target directory cannot be made or written (a read-only medium or a
// folder without write permission); says how to get out of it.
std::string directoryNotWritableMessage(std::string_view directory);
std::string pathNotPassableMessage(std::string_view path);

// A message box to show.
struct Report {
    std::string text;
    MessageIcon icon = MessageIcon::None;
};

// The verdict on one extraction job (see graphicsExtractionJob), once it is
// over: the tool must have started, ended by itself with exit code 0 and
// written all six files of the graphics set during this run. A failure is an
// error box; success is announced only when asked for (the preload stays
// silent).
std::optional<Report> judgeExtraction(const ProgramDirectory& dir, const ToolJob& job,
                                      const ToolJobResult& result, bool announceSuccess);

}  // namespace kelvane
