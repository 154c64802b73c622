// Stand-in for HDLPatch: checks the command line and the files like the real
// tool would, marks the patched copy so the change is visible, and for /X
// writes a complete set of extracted graphics into the working directory.

#include <filesystem>
#include <iostream>
#include <variant>

#include "common/file_io.h"
#include "common/loader.h"
#include "common/stand_in.h"
#include "common/utf8.h"
#include "hdlpatch/extracted_graphics.h"
#include "hdlpatch/font_pair.h"
#include "hdlpatch/hdlpatch_command.h"
#include "hdlpatch/patch_record.h"

namespace kelvane::tools {
namespace {

constexpr const char* kTool = "hdlpatch";
constexpr const char* kUsage =
    "usage: hdlpatch [/n /c /s /b /f /l /D0-3 /T1-6 /P X,Y /IF|/IS|/IM|/IB|/IC file] input output\n"
    "       hdlpatch /X input";

// Reads the loader and checks that it has the size of an unpacked HDL/HDA;
// on failure prints the reason and returns nothing.
std::optional<Bytes> readLoader(const std::string& input) {
    auto loader = readFileBytes(pathFromUtf8(input));
    if (!loader) {
        failWith(kTool, "input file not found or not readable: " + input);
        return std::nullopt;
    }
    if (loader->size() != kLoaderSize) {
        failWith(kTool, "input is not an unpacked HDLoader/HDAdvance: " + input + " has " +
                            std::to_string(loader->size()) + " bytes, expected " +
                            std::to_string(kLoaderSize));
        return std::nullopt;
    }
    return loader;
}

int patch(const PatchRequest& request) {
    for (const auto& file : request.files) {
        if (!isRegularFile(pathFromUtf8(file.path)))
            return failWith(kTool, "file for " + file.switchText + " not found: " + file.path);
        if (file.switchText != "/IF") continue;
        const std::string widthsPath = fontDataPathFor(file.path);
        if (!isRegularFile(pathFromUtf8(widthsPath)))
            return failWith(kTool, "the font " + file.path +
                                       " has no data file beside it: " + widthsPath + " not found");
        const auto sheet = readFileBytes(pathFromUtf8(file.path));
        const auto widths = readFileBytes(pathFromUtf8(widthsPath));
        if (!sheet || !widths) return failWith(kTool, "cannot read the font " + file.path);
        if (const std::string problem = fontPairProblem(*sheet, *widths); !problem.empty())
            return failWith(kTool, "bad font pair " + file.path + ": " + problem);
    }
    auto loader = readLoader(request.input);
    if (!loader) return 2;
    if (!writeFileBytes(pathFromUtf8(request.output),
                        applyPatchRecord(std::move(*loader), request)))
        return failWith(kTool, "cannot write the output file: " + request.output, 2);
    std::cout << "Applied: " << describeAppliedSwitches(request) << "\n"
              << "Patched loader written to " << request.output << std::endl;
    return 0;
}

int extract(const ExtractRequest& request) {
    if (!readLoader(request.input)) return 2;
    for (const auto& file : makeExtractedGraphics()) {
        if (!writeFileBytes(pathFromUtf8(file.name), file.content))
            return failWith(kTool, "cannot write " + file.name + " into the working directory", 2);
        std::cout << "Extracted " << file.name << std::endl;
    }
    return 0;
}

int run(const std::vector<std::string>& args) {
    announceStandIn(kTool, "HDLPatch", args);
    auto command = parseHdlpatchArguments(args);
    if (auto* error = std::get_if<CommandError>(&command))
        return failWith(kTool, error->message + "\n" + kUsage);
    if (auto* request = std::get_if<ExtractRequest>(&command)) return extract(*request);
    return patch(std::get<PatchRequest>(command));
}

}  // namespace
}  // namespace kelvane::tools

KELVANE_TOOL_MAIN(kelvane::tools::run)
