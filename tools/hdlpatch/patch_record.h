#pragma once

#include <cstddef>
#include <string>

#include "common/file_io.h"
#include "hdlpatch/hdlpatch_command.h"

namespace kelvane::tools {

// Where the stand-in leaves its visible mark in a patched loader, and how long
// the mark may be (the rest of the area is filled with zero bytes).
inline constexpr std::size_t kPatchRecordOffset = 0x1000;
inline constexpr std::size_t kPatchRecordSize = 512;
inline constexpr const char* kPatchRecordMagic = "HDLPATCH STAND-IN:";

// The applied switches as one line: "/l /P 82,2D /IB button.tga" (replacement
// files by their file name only).
std::string describeAppliedSwitches(const PatchRequest& request);

// The loader with the mark written at its fixed offset; the size is unchanged.
// The loader must be larger than the end of the mark.
Bytes applyPatchRecord(Bytes loader, const PatchRequest& request);

}  // namespace kelvane::tools
