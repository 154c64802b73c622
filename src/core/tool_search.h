#pragma once

#include <string>
#include <string_view>

namespace kelvane {

// The two external tools the program runs.
enum class Tool { HdlPatch, Ps2Packer };

// The file name a tool has in a tools folder: "hdlpatch.exe", "ps2-packer.exe".
std::string_view toolFileName(Tool tool);

// The name the messages use: "HDLPatch", "ps2-packer".
std::string_view toolDisplayName(Tool tool);

// Finds a tool when it may lie in more than one folder.
class ToolSearch {
  public:
    virtual ~ToolSearch() = default;
    // The tool's path: the first place it is found, or, when it is nowhere,
    // the place where the user is asked to put it.
    virtual std::string locate(Tool tool) const = 0;
    // Empty when the tool is found; otherwise a sentence that says exactly
    // where to put it.
    virtual std::string missingAdvice(Tool tool) const = 0;
};

}  // namespace kelvane
