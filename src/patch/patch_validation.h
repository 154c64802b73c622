#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/form_state.h"
#include "core/program_directory.h"
#include "patch/patch_plan.h"

namespace kelvane {

inline constexpr const char* kLoadLoaderFirst = "Please load HDL/HDA (unpacked)";
inline constexpr const char* kChoosePositionFirst =
    "Select at least PAL or NTSC default position screen.";

// Why "Patch" does not start, and how the message box shows it.
struct PatchRefusal {
    enum class Icon { None, Error };
    std::string text;
    Icon icon = Icon::Error;
};

struct PatchCheckOptions {
    bool pack = false;
    PackingMethod method = PackingMethod::ToolSteps;
    // Whether two paths name the same file. Defaults to exact comparison; the
    // caller may supply one that knows the file system (case, links).
    std::function<bool(const std::string&, const std::string&)> samePath;
};

// Runs every check "Patch" makes before it writes or starts anything, in this
// order: a loader is loaded; a position was chosen (not "00","00"); the output
// name is a plain file name; both position fields are one or two hexadecimal
// digits; every path on the command lines (and in a.bat) reaches the tools
// unchanged; the outputs do not overwrite the loaded file or each other.
// Returns the first problem found, or nothing when the run may go ahead.
std::optional<PatchRefusal> checkPatchRequest(const FormState& state, const ProgramDirectory& dir,
                                              const PatchCheckOptions& options);

// An output name that can be appended to the program directory as one file
// name: not empty, not "." or "..", and without double quotes, slashes,
// backslashes or control characters.
bool isUsableOutputName(std::string_view name);

}  // namespace kelvane
