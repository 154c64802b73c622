#pragma once

#include <string>
#include <variant>
#include <vector>

namespace kelvane::tools {

// A replacement file given with /IF, /IS, /IM, /IB or /IC.
struct ReplacementFile {
    std::string switchText;  // "/IF", ...
    std::string path;
};

// Patch form: [switches...] <input> <output>.
struct PatchRequest {
    std::vector<std::string> switches;  // as applied, e.g. "/l", "/D3", "/P 82,2D"
    std::vector<ReplacementFile> files;
    std::string input;
    std::string output;
};

// Extraction form: /X <input>.
struct ExtractRequest {
    std::string input;
};

struct CommandError {
    std::string message;
};

using HdlpatchCommand = std::variant<PatchRequest, ExtractRequest, CommandError>;

// Reads the arguments as they arrive after Windows argument splitting. Only
// the form is checked here; whether the files exist is checked by the caller.
HdlpatchCommand parseHdlpatchArguments(const std::vector<std::string>& args);

// True for "X,Y" with one or two hexadecimal digits on each side.
bool isPositionValue(const std::string& value);

// The font data file that must lie beside a font image: same base name, ".dat".
std::string fontDataPathFor(const std::string& fontImage);

}  // namespace kelvane::tools
