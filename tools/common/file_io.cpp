#include "common/file_io.h"

#include <fstream>

namespace kelvane::tools {

std::optional<Bytes> readFileBytes(const std::filesystem::path& file) {
    if (!isRegularFile(file)) return std::nullopt;
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    if (!in) return std::nullopt;
    const std::streamoff size = in.tellg();
    if (size < 0) return std::nullopt;
    Bytes bytes(static_cast<std::size_t>(size));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), size);
    if (in.gcount() != size) return std::nullopt;
    return bytes;
}

bool writeFileBytes(const std::filesystem::path& file, const Bytes& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

bool writeFileText(const std::filesystem::path& file, const std::string& text) {
    return writeFileBytes(file, Bytes(text.begin(), text.end()));
}

bool isRegularFile(const std::filesystem::path& file) {
    std::error_code error;
    return std::filesystem::is_regular_file(file, error);
}

}  // namespace kelvane::tools
