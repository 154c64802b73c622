#include "patch/patch_validation.h"

#include <algorithm>
#include <vector>

#include "core/switch_fields.h"
#include "core/tool_paths.h"
#include "patch/patch_composition.h"
#include "patch/video_position.h"
#include "platform/process/command_line_split.h"

namespace kelvane {
namespace {

bool isControl(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || u == 0x7F;
}

bool hasControl(std::string_view text) {
    return std::any_of(text.begin(), text.end(), isControl);
}

bool contains(std::string_view text, std::string_view chars) {
    return text.find_first_of(chars) != std::string_view::npos;
}

PatchRefusal error(std::string text) {
    return {std::move(text), MessageIcon::Error};
}

// A path on a command line, with what it is, for the messages.
struct NamedPath {
    std::string role;
    std::string path;
    bool programToken = false;  // the first token: quotes group, nothing escapes
};

// True when `"path"` is read back as exactly path by the Windows argument rules.
bool survivesQuoting(const NamedPath& p) {
    const std::string quotedPath = "\"" + p.path + "\"";
    const auto args = p.programToken ? splitWindowsCommandLine(quotedPath + " x")
                                     : splitWindowsCommandLine("x " + quotedPath);
    const std::string& readBack = p.programToken ? args.front() : args.back();
    return args.size() == 2 && readBack == p.path;
}

// The arguments a fragment stands for: nothing, a switch, or a switch and the
// path it quotes ("/IF \"C:\\a b.bmp\"", possibly with a blank in front).
std::vector<std::string> fragmentArguments(std::string_view fragment) {
    const auto start = fragment.find_first_not_of(' ');
    if (start == std::string_view::npos) return {};
    fragment.remove_prefix(start);
    const auto blank = fragment.find(' ');
    if (blank == std::string_view::npos) return {std::string(fragment)};
    std::string_view value = fragment.substr(blank + 1);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
    }
    return {std::string(fragment.substr(0, blank)), std::string(value)};
}

// The path inside a file switch fragment, if it has one.
std::optional<std::string> fragmentPath(std::string_view fragment) {
    auto args = fragmentArguments(fragment);
    if (args.size() != 2) return std::nullopt;
    return args[1];
}

std::vector<std::string> intendedPatchArguments(const FormState& s, const ProgramDirectory& dir) {
    std::vector<std::string> args{hdlpatchPath(dir)};
    for (const SwitchField& row : kSwitchFields) {
        if (row.kind == SwitchKind::Position) {
            args.push_back("/P");
            args.push_back(s.*row.field + "," + s.*row.second);
            continue;
        }
        for (auto& a : fragmentArguments(s.*row.field)) args.push_back(std::move(a));
    }
    args.push_back(s.openelf);
    args.push_back(s.Text2);
    return args;
}

std::optional<PatchRefusal> checkOutputName(const std::string& name) {
    if (name.empty()) {
        return error("The output name is empty. Type a file name for the patched loader.");
    }
    if (!isUsableOutputName(name)) {
        return error("The output name \"" + name +
                     "\" cannot be used. It must be a plain file name without double quotes "
                     "(\"), slashes (/ or \\) or control characters, and must not end in a "
                     "blank or a dot.");
    }
    return std::nullopt;
}

std::optional<PatchRefusal> checkPositionField(const char* axis, const std::string& text) {
    if (isPositionHexText(text)) return std::nullopt;
    if (text.empty()) {
        return error(std::string("The ") + axis +
                     " position is empty. Type one or two hexadecimal digits (0 to FF), or "
                     "press \"PAL Default\" or \"NTSC Default\".");
    }
    return error(std::string("The ") + axis + " position \"" + text +
                 "\" is not a hexadecimal number of one or two digits (0 to FF).");
}

std::optional<PatchRefusal> checkPath(const NamedPath& p, bool inBatchFile) {
    const std::string where = "The path of the " + p.role;
    if (contains(p.path, "\"")) {
        return error(where +
                     " contains a double quote (\"), which cannot be passed to the tools:\n" +
                     p.path);
    }
    if (hasControl(p.path)) {
        return error(where +
                     " contains a control character, which cannot be passed to the tools:\n" +
                     p.path);
    }
    if (!survivesQuoting(p)) {
        return error(where + " would not reach the tools unchanged on the command line:\n" +
                     p.path);
    }
    if (inBatchFile && contains(p.path, "%")) {
        return error(where +
                     " contains a percent sign (%), which the packing batch file would "
                     "change:\n" +
                     p.path);
    }
    return std::nullopt;
}

// The outputs must be files the tools can write without destroying anything:
// not a directory or another special file, not the loaded file (by identity,
// so links count), not each other and not the batch file being run.
std::optional<PatchRefusal> checkOutputFiles(const FormState& state, const ProgramDirectory& dir,
                                             const PatchCheckOptions& options) {
    struct Output {
        const char* role;
        const std::string& path;
    };
    std::vector<Output> outputs{{"output file", state.Text2}};
    if (options.pack) outputs.push_back({"packed output file", state.textpacked});
    const bool batch = options.pack && options.method == PackingMethod::BatchFile;
    for (const Output& output : outputs) {
        const FileKind kind = options.kindOf(output.path);
        if (kind == FileKind::Directory) {
            return error(std::string("The ") + output.role +
                         " is an existing folder, not a file:\n" + output.path +
                         "\nChoose another output name.");
        }
        if (kind == FileKind::Other) {
            return error(std::string("The ") + output.role +
                         " exists and is not a regular file:\n" + output.path +
                         "\nChoose another output name.");
        }
        if (batch && options.samePath(output.path, batchFilePath(dir))) {
            return error(std::string("The ") + output.role +
                         " is the packing batch file, which the tools must not overwrite "
                         "while it runs:\n" +
                         output.path + "\nChoose another output name.");
        }
    }
    if (options.samePath(state.Text2, state.openelf)) {
        return error(
            "The output file is the loaded file itself, so patching would overwrite "
            "the original:\n" +
            state.Text2 + "\nChoose another output name.");
    }
    if (options.pack && options.samePath(state.textpacked, state.openelf)) {
        return error(
            "The packed output file is the loaded file itself, so packing would "
            "overwrite the original:\n" +
            state.textpacked);
    }
    if (options.pack && options.samePath(state.Text2, state.textpacked)) {
        return error(
            "The output file and the packed output file are the same file, so "
            "ps2-packer would overwrite its own input:\n" +
            state.Text2 + "\nChoose another output name.");
    }
    return std::nullopt;
}

}  // namespace

bool isUsableOutputName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    // Windows drops a trailing blank or dot from a file name, so the tool would write a file
    // other than the one checked; a name of blanks alone would name the folder itself.
    if (name.back() == ' ' || name.back() == '.') return false;
    return !contains(name, "\"/\\") && !hasControl(name);
}

std::optional<PatchRefusal> checkPatchRequest(const FormState& state, const ProgramDirectory& dir,
                                              const PatchCheckOptions& options) {
    if (state.openelf.empty()) return PatchRefusal{kPleaseLoadLoader, MessageIcon::None};
    if (state.textxhex == "00" && state.textyhex == "00") {
        return PatchRefusal{kChoosePositionFirst, MessageIcon::None};
    }

    if (auto r = checkOutputName(state.text13)) return r;
    if (auto r = checkPositionField("X", state.textxhex)) return r;
    if (auto r = checkPositionField("Y", state.textyhex)) return r;

    const bool batch = options.pack && options.method == PackingMethod::BatchFile;
    std::vector<NamedPath> paths{
        {"program directory", dir.directory(), true},
        {"tool " + std::string(toolDisplayName(Tool::HdlPatch)), hdlpatchPath(dir), true},
        {"loaded file", state.openelf},
        {"output file", state.Text2},
    };
    if (options.pack) {
        paths.push_back(
            {"tool " + std::string(toolDisplayName(Tool::Ps2Packer)), ps2PackerPath(dir), true});
        paths.push_back({"packed output file", state.textpacked});
    }
    for (const SwitchField& row : kSwitchFields) {
        if (row.kind != SwitchKind::File) continue;
        if (auto path = fragmentPath(state.*row.field)) paths.push_back({row.role, *path});
    }
    for (const NamedPath& p : paths) {
        if (auto r = checkPath(p, batch)) return r;
    }
    if (batch && contains(dir.directory(), "&|<>^")) {
        return error(
            "The program directory contains a character (& | < > ^) that the packing batch file "
            "cannot use in its \"cd\" line:\n" +
            dir.directory());
    }

    // The paths are sound one by one; the whole line must split back into
    // exactly the arguments meant, or something else (a malformed fragment)
    // would reach the tool.
    const std::string patchLine = patchCommandLine(state, dir);
    if (splitWindowsCommandLine(patchLine) != intendedPatchArguments(state, dir)) {
        return error("The patch command line would not reach " +
                     std::string(toolDisplayName(Tool::HdlPatch)) + " unchanged:\n" + patchLine);
    }

    if (auto r = checkOutputFiles(state, dir, options)) return r;
    if (options.readOnlyFolder(dir.directory())) {
        return error(
            "The program folder cannot be written, so the tools cannot save the patched loader "
            "there:\n" +
            dir.directory() + "\n" + kCopyKitSomewhereWritable);
    }
    return std::nullopt;
}

}  // namespace kelvane
