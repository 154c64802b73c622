#include "platform/files/file_identity.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <fstream>
#include <system_error>

#include "core/utf8_path.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace kelvane {
namespace {

constexpr std::uintmax_t kDigestLimit = 64u << 20;

// FNV-1a: enough to tell a rewritten file from the one before; not a
// protection against anyone.
std::optional<std::uint64_t> contentDigest(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::uint64_t hash = 14695981039346656037ull;
    char buffer[1 << 16];
    while (in) {
        in.read(buffer, sizeof buffer);
        for (std::streamsize i = 0; i < in.gcount(); ++i) {
            hash ^= static_cast<unsigned char>(buffer[i]);
            hash *= 1099511628211ull;
        }
    }
    if (in.bad()) return std::nullopt;
    return hash;
}

std::string comparable(const std::string& path) {
    std::error_code error;
    fs::path resolved = fs::weakly_canonical(fs::absolute(pathFromUtf8(path), error), error);
    if (error) resolved = pathFromUtf8(path).lexically_normal();
    std::string result = utf8FromPath(resolved);
#ifdef _WIN32
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
#endif
    return result;
}

}  // namespace

FileKind fileKind(const std::string& path) {
    std::error_code error;
    const fs::file_status status = fs::status(pathFromUtf8(path), error);
    if (status.type() == fs::file_type::not_found || status.type() == fs::file_type::none)
        return FileKind::Missing;
    if (status.type() == fs::file_type::regular) return FileKind::Regular;
    if (status.type() == fs::file_type::directory) return FileKind::Directory;
    return error ? FileKind::Missing : FileKind::Other;
}

bool isReadOnlyFolder(const std::string& path) {
#ifdef _WIN32
    (void)path;
    return false;
#else
    return fileKind(path) == FileKind::Directory && ::access(path.c_str(), W_OK | X_OK) != 0;
#endif
}

std::optional<FileIdentity> fileIdentity(const std::string& path) {
#ifdef _WIN32
    // No access rights asked for: this only reads the file's attributes, and
    // it does not block on files in use. Directories need the backup flag.
    const HANDLE file = CreateFileW(pathFromUtf8(path).c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    const BOOL ok = GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    if (!ok) return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber,
                        (std::uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
#else
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return FileIdentity{std::uint64_t(info.st_dev), std::uint64_t(info.st_ino)};
#endif
}

bool sameFile(const std::string& a, const std::string& b) {
    const auto first = fileIdentity(a);
    const auto second = fileIdentity(b);
    if (first && second) return *first == *second;
    if (first || second) return false;  // one exists, the other does not
    return comparable(a) == comparable(b);
}

// What the file at path is now, touching nothing.
static FileStamp stampOf(const std::string& path) {
    FileStamp stamp;
    stamp.kind = fileKind(path);
    if (stamp.kind != FileKind::Regular) return stamp;
    const fs::path file = pathFromUtf8(path);
    std::error_code error;
    stamp.identity = fileIdentity(path);
    stamp.size = fs::file_size(file, error);
    stamp.modified = fs::last_write_time(file, error);
    if (stamp.size <= kDigestLimit) stamp.digest = contentDigest(file);
    return stamp;
}

FileStamp stampBeforeRun(const std::string& path) {
    FileStamp stamp = stampOf(path);
    if (stamp.kind != FileKind::Regular) return stamp;
    const fs::path file = pathFromUtf8(path);
    std::error_code error;
    const auto moved =
        std::min(stamp.modified, fs::file_time_type::clock::now()) - std::chrono::hours(48);
    fs::last_write_time(file, moved, error);
    if (!error) {
        stamp.originalModified = stamp.modified;
        // Read back: the file system stores the time at its own resolution.
        stamp.modified = fs::last_write_time(file, error);
    }
    return stamp;
}

bool writtenDuringRun(const FileStamp& before, const std::string& path) {
    if (fileKind(path) != FileKind::Regular) return false;
    const fs::path file = pathFromUtf8(path);
    std::error_code error;
    const std::uintmax_t size = fs::file_size(file, error);
    if (error || size == 0) return false;
    if (before.kind != FileKind::Regular) return true;
    const bool written = fileIdentity(path) != before.identity || size != before.size ||
                         fs::last_write_time(file, error) != before.modified ||
                         (before.digest && contentDigest(file) != before.digest);
    return written;
}

void restoreModifiedTime(const FileStamp& before, const std::string& path) {
    if (!before.originalModified) return;
    std::error_code error;
    fs::last_write_time(pathFromUtf8(path), *before.originalModified, error);
}

}  // namespace kelvane
