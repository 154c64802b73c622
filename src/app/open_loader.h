#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/form_state.h"
#include "core/message_icon.h"

namespace kelvane {

// Size of the unpacked loader executable; "Open HDL/HDA" accepts a file only
// when it is exactly this long. The size is the only test made.
inline constexpr std::uint64_t kUnpackedLoaderSize = 2977792;  // 0x2D7000

inline constexpr const char* kOpenLoaderFilter = "*.ELF (PS2 Executable File)|*.ELF";
inline constexpr const char* kLoaderAcceptedMessage = "HDL/HDA (unpacked) loaded successfully.";
inline constexpr const char* kLoaderRejectedMessage = "You must load HDL/HDA (unpacked)";

struct OpenLoaderOutcome {
    bool accepted = false;
    std::string message;  // shown in a message box with `icon`
    MessageIcon icon = MessageIcon::Error;
    std::string statusMessage;  // new text of status panel 1
};

// Size in bytes of the file at a full path, or nothing when it cannot be
// measured (missing, not a regular file, not accessible).
using FileSizeProbe = std::function<std::optional<std::uint64_t>(const std::string& fullPath)>;

// Runs "Open HDL/HDA" after the file dialog has closed. `confirmed` is the
// user's choice, or nothing for a cancelled dialog; a confirmed choice
// replaces the dialog's remembered choice. The remembered file is measured
// again on every call, so a cancel after an accepted file repeats the
// acceptance. A file that cannot be measured is rejected: the earlier
// measurement is dropped, never reused for another file. `openelf` changes
// only when a file is accepted.
OpenLoaderOutcome openLoader(FormState& state, const std::optional<RememberedChoice>& confirmed,
                             const FileSizeProbe& measure);

}  // namespace kelvane
