#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kelvane::tools {

using Bytes = std::vector<std::uint8_t>;

// The whole content of a regular file, or nothing when it cannot be read.
std::optional<Bytes> readFileBytes(const std::filesystem::path& file);

// Replaces the file's content; false when it cannot be written completely.
bool writeFileBytes(const std::filesystem::path& file, const Bytes& bytes);
bool writeFileText(const std::filesystem::path& file, const std::string& text);

// True for an existing regular file (a directory is not a file here).
bool isRegularFile(const std::filesystem::path& file);

}  // namespace kelvane::tools
