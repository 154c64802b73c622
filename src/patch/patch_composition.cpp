#include "patch/patch_composition.h"

#include "core/switch_fields.h"
#include "core/tool_paths.h"

namespace kelvane {
namespace {

std::string quoted(std::string_view text) {
    std::string result;
    result.reserve(text.size() + 2);
    result += '"';
    result += text;
    result += '"';
    return result;
}

}  // namespace

std::string switchPart(const FormState& s) {
    std::string part;
    for (const SwitchField& row : kSwitchFields) {
        if (&row != &kSwitchFields.front()) part += ' ';
        if (row.kind == SwitchKind::Position) {
            part += "/P " + s.*row.field + "," + s.*row.second;
        } else {
            part += s.*row.field;
        }
    }
    return part;
}

std::string patchCommandLine(const FormState& state, const ProgramDirectory& dir) {
    return quoted(hdlpatchPath(dir)) + " " + switchPart(state) + " " + quoted(state.openelf) + " " +
           quoted(state.Text2);
}

std::string packerCommandLine(const FormState& state, const ProgramDirectory& dir) {
    return quoted(ps2PackerPath(dir)) + " " + quoted(state.Text2) + " " + quoted(state.textpacked);
}

void outputNameChanged(FormState& state, const ProgramDirectory& dir, std::string name) {
    state.text13 = std::move(name);
    state.Text2 = outputPath(dir, state.text13);
}

std::string batchFilePath(const ProgramDirectory& dir) {
    return dir.join("\\a.bat");
}

std::vector<std::string> batchFileLines(const FormState& state, const ProgramDirectory& dir) {
    return {
        "@echo off",
        dir.directory().substr(0, 2),
        "cd \\",
        "cd " + dir.directory(),
        patchCommandLine(state, dir),
        packerCommandLine(state, dir),
    };
}

std::string batchFileText(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::string batchRunCommandLine(const std::string& systemDirectory, const ProgramDirectory& dir) {
    return quoted(systemDirectory + "\\cmd.exe") + " /d /c " + quoted(quoted(batchFilePath(dir)));
}

}  // namespace kelvane
