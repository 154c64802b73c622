#include "patch/patch_validation.h"

#include <algorithm>
#include <vector>

#include "core/tool_paths.h"
#include "patch/patch_composition.h"
#include "patch/video_position.h"
#include "platform/command_line_split.h"

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
    return {std::move(text), PatchRefusal::Icon::Error};
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
    auto add = [&args](std::string_view fragment) {
        for (auto& a : fragmentArguments(fragment)) args.push_back(std::move(a));
    };
    for (const std::string* f :
         {&s.uno, &s.due, &s.tre, &s.quattro, &s.cinque, &s.sei, &s.Dx, &s.Text4}) {
        add(*f);
    }
    args.push_back("/P");
    args.push_back(s.textxhex + "," + s.textyhex);
    for (const std::string* f : {&s.Text1, &s.Text9, &s.Text10, &s.pulsanti, &s.colors}) add(*f);
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
                     "(\"), slashes (/ or \\) or control characters.");
    }
    return std::nullopt;
}

std::optional<PatchRefusal> checkPositionField(const char* axis, const std::string& text) {
    if (isPositionHexText(text)) return std::nullopt;
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

}  // namespace

bool isUsableOutputName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    return !contains(name, "\"/\\") && !hasControl(name);
}

std::optional<PatchRefusal> checkPatchRequest(const FormState& state, const ProgramDirectory& dir,
                                              const PatchCheckOptions& options) {
    if (state.openelf.empty()) return PatchRefusal{kLoadLoaderFirst, PatchRefusal::Icon::None};
    if (state.textxhex == "00" && state.textyhex == "00") {
        return PatchRefusal{kChoosePositionFirst, PatchRefusal::Icon::None};
    }

    if (auto r = checkOutputName(state.text13)) return r;
    if (auto r = checkPositionField("X", state.textxhex)) return r;
    if (auto r = checkPositionField("Y", state.textyhex)) return r;

    const bool batch = options.pack && options.method == PackingMethod::BatchFile;
    std::vector<NamedPath> paths{
        {"program directory", dir.directory(), true},
        {"tool HDLPatch", hdlpatchPath(dir), true},
        {"loaded file", state.openelf},
        {"output file", state.Text2},
    };
    if (options.pack) {
        paths.push_back({"tool ps2-packer", ps2PackerPath(dir), true});
        paths.push_back({"packed output file", state.textpacked});
    }
    const std::pair<const char*, const std::string*> images[] = {
        {"font image", &state.Text1},        {"splash screen", &state.Text9},
        {"main-menu screen", &state.Text10}, {"button image", &state.pulsanti},
        {"colour table", &state.colors},
    };
    for (const auto& [role, fragment] : images) {
        if (auto path = fragmentPath(*fragment)) paths.push_back({role, *path});
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
        return error("The patch command line would not reach HDLPatch unchanged:\n" + patchLine);
    }

    const auto same = options.samePath
                          ? options.samePath
                          : [](const std::string& a, const std::string& b) { return a == b; };
    if (same(state.Text2, state.openelf)) {
        return error(
            "The output file is the loaded file itself, so patching would overwrite "
            "the original:\n" +
            state.Text2 + "\nChoose another output name.");
    }
    if (options.pack && same(state.textpacked, state.openelf)) {
        return error(
            "The packed output file is the loaded file itself, so packing would "
            "overwrite the original:\n" +
            state.textpacked);
    }
    if (options.pack && same(state.Text2, state.textpacked)) {
        return error(
            "The output file and the packed output file are the same file, so "
            "ps2-packer would overwrite its own input:\n" +
            state.Text2 + "\nChoose another output name.");
    }
    return std::nullopt;
}

}  // namespace kelvane
