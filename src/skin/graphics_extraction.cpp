#include "skin/graphics_extraction.h"

#include "core/graphics_set.h"
#include "core/tool_paths.h"
#include "platform/command_line_split.h"

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

std::string pathNotPassableMessage(std::string_view path) {
    return "The path " + std::string(path) +
           " contains characters that cannot be passed to HDLPatch. Nothing was started.";
}

std::optional<Report> judgeExtraction(const ProgramDirectory& dir, std::string_view directory,
                                      const ToolEnd& end,
                                      const std::vector<std::string>& notWritten,
                                      bool announceSuccess) {
    const std::string tool = hdlpatchPath(dir);
    if (!end.started) {
        std::string text = notStartedMessage("HDLPatch", tool, end.error);
        // A missing tool: say where it goes.
        if (const std::string advice = dir.missingToolAdvice(Tool::HdlPatch); !advice.empty())
            text += "\n" + advice;
        return Report{text, MessageIcon::Error};
    }
    if (!end.succeeded()) {
        return Report{"HDLPatch (" + tool + ") " + outcomePhrase(end) +
                          ". The graphics may not have been extracted, or only in part.",
                      MessageIcon::Error};
    }
    if (!notWritten.empty()) {
        std::string text =
            "HDLPatch ended, but did not write these files in " + std::string(directory) + ":";
        for (const auto& file : notWritten) text += "\n" + file;
        return Report{text, MessageIcon::Error};
    }
    if (announceSuccess) return Report{graphicsExtractedMessage(dir), MessageIcon::None};
    return std::nullopt;
}

}  // namespace kelvane
