#include "hdlpatch/hdlpatch_command.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>

#include "common/utf8.h"

namespace kelvane::tools {
namespace {

bool isHex(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

// Switches that take no argument, each with the group it belongs to; a group
// may be given only once (one date fix, one language).
struct PlainSwitch {
    const char* text;
    const char* group;
};

constexpr std::array<PlainSwitch, 16> kPlainSwitches = {{
    {"/n", "/n"},
    {"/c", "/c"},
    {"/s", "/s"},
    {"/b", "/b"},
    {"/f", "/f"},
    {"/l", "/l"},
    {"/D0", "/D"},
    {"/D1", "/D"},
    {"/D2", "/D"},
    {"/D3", "/D"},
    {"/T1", "/T"},
    {"/T2", "/T"},
    {"/T3", "/T"},
    {"/T4", "/T"},
    {"/T5", "/T"},
    {"/T6", "/T"},
}};

constexpr std::array<const char*, 5> kFileSwitches = {"/IF", "/IS", "/IM", "/IB", "/IC"};

const char* plainSwitchGroup(const std::string& arg) {
    for (const auto& s : kPlainSwitches)
        if (arg == s.text) return s.group;
    return nullptr;
}

bool isFileSwitch(const std::string& arg) {
    return std::find(kFileSwitches.begin(), kFileSwitches.end(), arg) != kFileSwitches.end();
}

bool isKnownSwitch(const std::string& arg) {
    return plainSwitchGroup(arg) != nullptr || isFileSwitch(arg) || arg == "/P" || arg == "/X";
}

// A short word after a slash ("/Q", "/T9", "/x") is a switch, not a path.
bool looksLikeSwitch(const std::string& arg) {
    if (arg.size() < 2 || arg.size() > 4 || arg[0] != '/') return false;
    return std::all_of(arg.begin() + 1, arg.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

CommandError error(std::string message) {
    return CommandError{std::move(message)};
}

}  // namespace

bool isPositionValue(const std::string& value) {
    auto comma = value.find(',');
    if (comma == std::string::npos) return false;
    auto part = [](const std::string& digits) {
        return !digits.empty() && digits.size() <= 2 &&
               std::all_of(digits.begin(), digits.end(), isHex);
    };
    return part(value.substr(0, comma)) && part(value.substr(comma + 1));
}

std::string fontDataPathFor(const std::string& fontImage) {
    std::filesystem::path path = pathFromUtf8(fontImage);
    path.replace_extension(".dat");
    return utf8FromPath(path);
}

HdlpatchCommand parseHdlpatchArguments(const std::vector<std::string>& args) {
    if (args.empty()) return error("no arguments given");

    if (args[0] == "/X") {
        if (args.size() != 2)
            return error("/X takes exactly one argument, the input file (got " +
                         std::to_string(args.size() - 1) + ")");
        return ExtractRequest{args[1]};
    }

    PatchRequest request;
    std::vector<std::string> groupsSeen;
    std::size_t i = 0;
    for (; i < args.size() && isKnownSwitch(args[i]); ++i) {
        const std::string& arg = args[i];
        if (arg == "/X") return error("/X cannot be combined with other switches");
        const std::string group = plainSwitchGroup(arg) ? plainSwitchGroup(arg) : arg;
        if (std::find(groupsSeen.begin(), groupsSeen.end(), group) != groupsSeen.end())
            return error("switch given twice: " + arg);
        groupsSeen.push_back(group);

        if (plainSwitchGroup(arg) != nullptr) {
            request.switches.push_back(arg);
            continue;
        }
        if (i + 1 >= args.size()) return error("switch " + arg + " needs an argument");
        const std::string& value = args[++i];
        if (arg == "/P") {
            if (!isPositionValue(value))
                return error("malformed position after /P: \"" + value +
                             "\" (expected X,Y with one or two hexadecimal digits each)");
            request.switches.push_back("/P " + value);
            continue;
        }
        if (value.empty()) return error("switch " + arg + " needs a file name");
        request.switches.push_back(arg);
        request.files.push_back({arg, value});
    }

    std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
    for (const auto& arg : rest)
        if (looksLikeSwitch(arg)) return error("unknown or misplaced switch: " + arg);
    if (rest.size() != 2)
        return error("expected an input and an output file after the switches, got " +
                     std::to_string(rest.size()) + " argument(s)");
    request.input = rest[0];
    request.output = rest[1];
    if (request.output.empty()) return error("the output file name is empty");
    return request;
}

}  // namespace kelvane::tools
