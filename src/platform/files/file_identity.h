#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace kelvane {

// What a path names right now (links followed).
enum class FileKind { Missing, Regular, Directory, Other };
FileKind fileKind(const std::string& path);

// Whether path is an existing folder in which no file can be made (a
// read-only medium or mount, no write permission). On Windows a folder's
// read-only flag says nothing about that, so there it is never true.
bool isReadOnlyFolder(const std::string& path);

// Which file a path names: device and inode, or on Windows the volume serial
// number and file index. Two paths with the same identity are one file,
// whatever their text (hard links, symbolic links, case, "..").
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t index = 0;
    bool operator==(const FileIdentity&) const = default;
};
std::optional<FileIdentity> fileIdentity(const std::string& path);

// Whether two paths name one file: by identity when both exist, otherwise by
// their resolved paths (case ignored on Windows), so that a file about to be
// created is compared too.
bool sameFile(const std::string& a, const std::string& b);

// A file as it was before a tool run that may write it.
struct FileStamp {
    FileKind kind = FileKind::Missing;
    std::optional<FileIdentity> identity;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type modified{};
    std::optional<std::uint64_t> digest;  // of the content, for files up to 64 MiB
    // Set when the modification time was moved back before the run; holds
    // the time to restore when the run did not write the file.
    std::optional<std::filesystem::file_time_type> originalModified;
};

// Records the file before a run. An existing regular file gets its
// modification time moved two days back, so that any write during the run
// shows as a new time even where file times have a resolution of two seconds
// (FAT); the file's content is not touched.
FileStamp stampBeforeRun(const std::string& path);

// Whether a regular file was written at path during the run: it is new, or
// another file, or its size, time or content changed, and it is not empty.
// An empty file holds nothing that was written, whether the tool left it
// new or cut an earlier one down to nothing.
bool writtenDuringRun(const FileStamp& before, const std::string& path);

// After the run: a file the run did not write (see writtenDuringRun) gets its
// own modification time back.
void restoreModifiedTime(const FileStamp& before, const std::string& path);

}  // namespace kelvane
