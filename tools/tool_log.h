#pragma once

// The argument log of the stand-in tools. When the environment variable
// KELVANE_TOOL_LOG names a file, every run of a stand-in appends one record:
//
//   tool: <name>
//   cwd: <current directory>
//   arg: <argument>        (one line per argument after the program, in order)
//   end
//
// Lines end with a single line feed; text is UTF-8. Tests read the records
// back to see exactly which arguments and working directory a tool received.
// Standard library only, so that it builds for every platform.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane::tools {

struct ToolLogRecord {
    std::string tool;
    std::string cwd;
    std::vector<std::string> args;
};

inline constexpr const char* kToolLogVariable = "KELVANE_TOOL_LOG";

// Formats one record exactly as it is appended to the log.
inline std::string formatToolLogRecord(const ToolLogRecord& record) {
    std::string text = "tool: " + record.tool + "\n";
    text += "cwd: " + record.cwd + "\n";
    for (const auto& arg : record.args) text += "arg: " + arg + "\n";
    text += "end\n";
    return text;
}

// Parses every complete record of a log text. A record cut short (a run that
// is still writing) is left out; lines outside records are ignored.
inline std::vector<ToolLogRecord> parseToolLog(std::string_view text) {
    std::vector<ToolLogRecord> records;
    std::optional<ToolLogRecord> current;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t eol = text.find('\n', pos);
        if (eol == std::string_view::npos) break;  // an unfinished last line
        std::string_view line = text.substr(pos, eol - pos);
        pos = eol + 1;
        auto value = [&](std::string_view key) -> std::optional<std::string> {
            if (line.substr(0, key.size()) != key) return std::nullopt;
            return std::string(line.substr(key.size()));
        };
        if (auto tool = value("tool: ")) {
            current = ToolLogRecord{*tool, {}, {}};
        } else if (!current) {
            continue;
        } else if (auto cwd = value("cwd: ")) {
            current->cwd = *cwd;
        } else if (auto arg = value("arg: ")) {
            current->args.push_back(*arg);
        } else if (line == "end") {
            records.push_back(std::move(*current));
            current.reset();
        }
    }
    return records;
}

inline std::vector<ToolLogRecord> readToolLog(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return parseToolLog(text);
}

// The log file named by KELVANE_TOOL_LOG, if any.
inline std::optional<std::filesystem::path> toolLogFromEnvironment() {
#ifdef _WIN32
    const wchar_t* name = _wgetenv(L"KELVANE_TOOL_LOG");
#else
    const char* name = std::getenv(kToolLogVariable);
#endif
    if (name == nullptr || *name == 0) return std::nullopt;
    return std::filesystem::path(name);
}

// Appends one record to the log named by KELVANE_TOOL_LOG; does nothing when
// the variable is not set. The record is written with one call so that runs
// of several tools into the same log do not interleave within a record.
inline void appendToolLog(const ToolLogRecord& record) {
    auto file = toolLogFromEnvironment();
    if (!file) return;
    std::string text = formatToolLogRecord(record);
#ifdef _WIN32
    std::FILE* out = _wfopen(file->c_str(), L"ab");
#else
    std::FILE* out = std::fopen(file->c_str(), "ab");
#endif
    if (out == nullptr) return;
    std::fwrite(text.data(), 1, text.size(), out);
    std::fclose(out);
}

}  // namespace kelvane::tools
