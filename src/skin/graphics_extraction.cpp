#include "skin/graphics_extraction.h"

#include "core/graphics_set.h"
#include "core/messages.h"
#include "core/tool_paths.h"
#include "platform/process/command_line_split.h"

namespace kelvane {

std::string extractionDirectory(const ProgramDirectory& dir) {
    return dir.join(kExtractionDirRelative);
}

std::string previewDirectory(const ProgramDirectory& dir) {
    return dir.join(kPreviewDirRelative);
}

std::string graphicsFilePath(std::string_view directory, char separator, std::string_view file) {
    std::string path(directory);
    path.push_back(separator);
    path.append(file);
    return path;
}

std::string graphicsExtractionCommandLine(const ProgramDirectory& dir,
                                          std::string_view loadedFile) {
    std::string line = "\"";
    line += hdlpatchPath(dir);
    line += "\" /X \"";
    line += loadedFile;
    line += '"';
    return line;
}

ToolJob graphicsExtractionJob(const ProgramDirectory& dir, std::string_view loadedFile,
                              const std::string& directory) {
    ToolJob job;
    job.steps.push_back({Tool::HdlPatch, hdlpatchPath(dir),
                         graphicsExtractionCommandLine(dir, loadedFile), directory,
                         "Extracting graphics"});
    for (const char* file : kGraphicsSetFiles)
        job.outputs.push_back({graphicsFilePath(directory, dir.separator(), file)});
    return job;
}

bool extractionCommandLineIsFaithful(const ProgramDirectory& dir, std::string_view loadedFile) {
    const std::vector<std::string> expected = {hdlpatchPath(dir), "/X", std::string(loadedFile)};
    return splitWindowsCommandLine(graphicsExtractionCommandLine(dir, loadedFile)) == expected;
}

std::string graphicsExtractedMessage(const ProgramDirectory& dir) {
    return "Graphics extracted into " + extractionDirectory(dir);
}

std::string directoryNotMadeMessage(std::string_view directory) {
    return "The directory " + std::string(directory) +
           " could not be created. The graphics were not extracted.";
}

std::string directoryNotWritableMessage(std::string_view directory) {
    return "The graphics cannot be saved in " + std::string(directory) +
           ": the folder cannot be written. Nothing was started.\n" + kCopyKitSomewhereWritable;
}

std::string pathNotPassableMessage(std::string_view path) {
    return "The path " + std::string(path) + " contains characters that cannot be passed to " +
           std::string(toolDisplayName(Tool::HdlPatch)) + ". Nothing was started.";
}

std::optional<Report> judgeExtraction(const ProgramDirectory& dir, const ToolJob& job,
                                      const ToolJobResult& result, bool announceSuccess) {
    const std::string tool = hdlpatchPath(dir);
    const std::string_view name = toolDisplayName(Tool::HdlPatch);
    const ToolOutcome end = result.steps.empty() ? ToolOutcome{} : result.steps.front();
    if (!end.started()) {
        std::string text = notStartedMessage(name, tool, end.error);
        // A missing tool: say where it goes.
        if (const std::string advice = dir.missingToolAdvice(Tool::HdlPatch); !advice.empty())
            text += "\n" + advice;
        return Report{text, MessageIcon::Error};
    }
    if (!end.succeeded()) {
        return Report{std::string(name) + " (" + tool + ") " + outcomePhrase(end) +
                          ". The graphics may not have been extracted, or only in part.",
                      MessageIcon::Error};
    }
    std::string missing;
    for (std::size_t i = 0; i < result.outputs.size(); ++i)
        if (!result.outputs[i].written) missing += "\n" + std::string(kGraphicsSetFiles[i]);
    if (!missing.empty()) {
        return Report{std::string(name) + " ended, but did not write these files in " +
                          job.steps.front().workingDirectory + ":" + missing,
                      MessageIcon::Error};
    }
    if (announceSuccess) return Report{graphicsExtractedMessage(dir), MessageIcon::None};
    return std::nullopt;
}

}  // namespace kelvane
