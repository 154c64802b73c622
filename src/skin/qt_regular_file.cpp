#include "skin/qt_regular_file.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace kelvane {
namespace {

#ifdef Q_OS_UNIX
QString kindOf(mode_t mode) {
    if (S_ISDIR(mode)) return QStringLiteral("a folder");
    if (S_ISFIFO(mode)) return QStringLiteral("a named pipe");
    if (S_ISSOCK(mode)) return QStringLiteral("a socket");
    if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("a device");
    return QStringLiteral("a special file");
}
#endif

}  // namespace

FileOpenResult openRegularFile(QFile& file) {
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(file.fileName());
    // Non-blocking, so that opening a pipe without a writer returns at once.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        return {error == ENOENT ? FileOpenProblem::Missing : FileOpenProblem::Unreadable,
                QString::fromLocal8Bit(std::strerror(error))};
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        const QString kind = kindOf(status.st_mode);
        ::close(fd);
        return {FileOpenProblem::NotRegular, kind};
    }
    // Reads of a regular file never wait on a writer, but clear the flag so the
    // handle behaves like any other.
    if (const int flags = ::fcntl(fd, F_GETFL); flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {FileOpenProblem::Unreadable, file.errorString()};
    }
    return {};
#else
    const QFileInfo info(file.fileName());
    if (!info.exists()) return {FileOpenProblem::Missing, QStringLiteral("it does not exist")};
    if (!info.isFile())
        return {FileOpenProblem::NotRegular,
                info.isDir() ? QStringLiteral("a folder") : QStringLiteral("a special file")};
    if (!file.open(QIODevice::ReadOnly)) return {FileOpenProblem::Unreadable, file.errorString()};
    return {};
#endif
}

QString fileOpenProblemText(const QString& path, const FileOpenResult& result) {
    switch (result.problem) {
        case FileOpenProblem::None:
            return {};
        case FileOpenProblem::Missing:
            return QStringLiteral("The file %1 does not exist.").arg(path);
        case FileOpenProblem::NotRegular:
            return QStringLiteral("%1 is %2, not an ordinary file, and cannot be used.")
                .arg(path, result.detail);
        case FileOpenProblem::Unreadable:
            return QStringLiteral("The file %1 cannot be read: %2").arg(path, result.detail);
    }
    return {};
}

}  // namespace kelvane
