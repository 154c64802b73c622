#pragma once

#include <QFile>
#include <QString>

namespace kelvane {

// Why a file could not be opened for reading.
enum class FileOpenProblem { None, Missing, NotRegular, Unreadable };

struct FileOpenResult {
    FileOpenProblem problem = FileOpenProblem::None;
    // For NotRegular what the file is ("a named pipe", "a folder"); otherwise
    // the system's reason.
    QString detail;

    bool ok() const { return problem == FileOpenProblem::None; }
};

// Opens `file` (its name set) read-only, but only when it is a regular file.
// A named pipe, a device or a socket could block the opening thread for ever
// or never end, so it is refused without waiting; the check is made on the
// opened handle, so a file swapped for a pipe after a look at its name is
// refused too.
FileOpenResult openRegularFile(QFile& file);

// A sentence naming the file and saying why it cannot be used, for a message
// box.
QString fileOpenProblemText(const QString& path, const FileOpenResult& result);

}  // namespace kelvane
