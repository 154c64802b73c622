#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/form_state.h"
#include "core/message_icon.h"
#include "core/messages.h"
#include "core/program_directory.h"
#include "patch/patch_plan.h"
#include "platform/files/file_identity.h"

namespace kelvane {

inline constexpr const char* kChoosePositionFirst =
    "Select at least PAL or NTSC default position screen.";

// Why "Patch" does not start, and how the message box shows it.
struct PatchRefusal {
    std::string text;
    MessageIcon icon = MessageIcon::Error;
};

struct PatchCheckOptions {
    bool pack = false;
    PackingMethod method = PackingMethod::ToolSteps;
    // Whether two paths name one file, and what a path names now. The file
    // system's answers by default; tests may supply their own.
    std::function<bool(const std::string&, const std::string&)> samePath = sameFile;
    std::function<FileKind(const std::string&)> kindOf = fileKind;
    std::function<bool(const std::string&)> readOnlyFolder = isReadOnlyFolder;
};

// Runs every check "Patch" makes before it writes or starts anything, in this
// order: a loader is loaded; a position was chosen (not "00","00"); the output
// name is a plain file name; both position fields are one or two hexadecimal
// digits; every path on the command lines (and in a.bat) reaches the tools
// unchanged; the outputs are not directories or other special files, and do
// not overwrite the loaded file, each other or the batch file; the program
// folder, where the outputs go, can be written.
// Returns the first problem found, or nothing when the run may go ahead.
std::optional<PatchRefusal> checkPatchRequest(const FormState& state, const ProgramDirectory& dir,
                                              const PatchCheckOptions& options);

// An output name that can be appended to the program directory as one file
// name: not empty, not "." or "..", and without double quotes, slashes,
// backslashes or control characters.
bool isUsableOutputName(std::string_view name);

}  // namespace kelvane
