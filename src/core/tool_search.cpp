#include "core/tool_search.h"

namespace kelvane {

std::string_view toolFileName(Tool tool) {
    return tool == Tool::HdlPatch ? "hdlpatch.exe" : "ps2-packer.exe";
}

std::string_view toolDisplayName(Tool tool) {
    return tool == Tool::HdlPatch ? "HDLPatch" : "ps2-packer";
}

}  // namespace kelvane
