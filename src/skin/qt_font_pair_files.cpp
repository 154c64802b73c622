#include "skin/qt_font_pair_files.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <memory>

#include "skin/font/font_bitmap.h"
#include "skin/font/font_widths.h"

namespace kelvane {
namespace {

// A font sheet is under 300 KB; a widths file 256 bytes. Larger files are
// read no further than this, which is enough to tell that they are wrong.
constexpr qint64 kMaxSheetBytes = 64LL * 1024 * 1024;
constexpr qint64 kMaxWidthsBytes = 64 * 1024;

std::vector<unsigned char> bytesOf(const QByteArray& data) {
    return {data.begin(), data.end()};
}

// The widths file's name as it lies in the folder, matched in any case as the
// tool on Windows would.
QString findWidthsFile(const QString& sheetPath) {
    const QString exact = widthsPathFor(sheetPath);
    const QFileInfo info(exact);
    if (info.exists() || info.isSymLink()) return exact;
    const QStringList matches =
        info.absoluteDir().entryList({info.fileName()}, QDir::AllEntries | QDir::System);
    return matches.isEmpty() ? exact
                             : QDir::toNativeSeparators(info.absoluteDir().filePath(matches[0]));
}

// A name beside `target` that nothing uses yet.
QString asideName(const QString& target) {
    for (int i = 1;; ++i) {
        const QString name = QStringLiteral("%1.old-%2").arg(target).arg(i);
        const QFileInfo info(name);
        if (!info.exists() && !info.isSymLink()) return name;
    }
}

std::unique_ptr<QTemporaryFile> writeTemporary(const QDir& folder,
                                               const std::vector<unsigned char>& bytes,
                                               QString* error) {
    auto file = std::make_unique<QTemporaryFile>(folder.filePath(QStringLiteral(".font-XXXXXX")));
    if (!file->open() ||
        file->write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) !=
            qint64(bytes.size()) ||
        !file->flush()) {
        *error = QStringLiteral("The folder %1 cannot take the font: %2")
                     .arg(QDir::toNativeSeparators(folder.absolutePath()), file->errorString());
        return nullptr;
    }
    file->close();
    // Temporary files are private; the font is an ordinary file of the user's.
    file->setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                         QFileDevice::ReadOther);
    return file;
}

}  // namespace

QString widthsPathFor(const QString& sheetPath) {
    const QFileInfo info(sheetPath);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? name.left(dot) : name;
    return QDir::toNativeSeparators(info.dir().filePath(base + QStringLiteral(".dat")));
}

FontPairRead readFontPairFiles(const QString& sheetPath) {
    FontPairRead read;
    read.widthsPath = findWidthsFile(sheetPath);
    read.files.widthsName = QFileInfo(read.widthsPath).fileName().toStdString();

    QFile sheet(sheetPath);
    read.opened = openRegularFile(sheet);
    if (!read.opened.ok()) return read;
    read.files.sheetFileSize = std::uint64_t(sheet.size());
    read.files.sheet = bytesOf(sheet.read(kMaxSheetBytes));

    QFile widths(read.widthsPath);
    const FileOpenResult opened = openRegularFile(widths);
    read.files.widthsPresent = opened.problem != FileOpenProblem::Missing;
    if (opened.ok())
        read.files.widths = bytesOf(widths.read(kMaxWidthsBytes));
    else if (read.files.widthsPresent)
        read.files.widthsProblem =
            (opened.problem == FileOpenProblem::NotRegular
                 ? QStringLiteral("it is %1, not an ordinary file").arg(opened.detail)
                 : opened.detail)
                .toStdString();
    return read;
}

bool writeFontPair(const QString& sheetPath, const FontPair& pair, QString* error) {
    const QString targets[2] = {QDir::toNativeSeparators(sheetPath), widthsPathFor(sheetPath)};
    for (const QString& target : targets) {
        const QFileInfo info(target);
        if (info.exists() && !info.isFile()) {
            *error =
                QStringLiteral("%1 is not an ordinary file; the font is not written.").arg(target);
            return false;
        }
    }
    const QDir folder = QFileInfo(sheetPath).absoluteDir();
    std::unique_ptr<QTemporaryFile> temporary[2];
    temporary[0] = writeTemporary(folder, encodeBmp24(pair.sheet), error);
    if (!temporary[0]) return false;
    temporary[1] = writeTemporary(folder, widthsFileBytes(pair.widths), error);
    if (!temporary[1]) return false;

    // The earlier pair steps aside; it comes back if anything below fails.
    QString aside[2];
    const auto undo = [&](int placed) {
        for (int i = 0; i < placed; ++i) QFile::remove(targets[i]);
        for (int i = 0; i < 2; ++i)
            if (!aside[i].isEmpty()) QFile::rename(aside[i], targets[i]);
    };
    for (int i = 0; i < 2; ++i) {
        const QFileInfo info(targets[i]);
        if (!info.exists() && !info.isSymLink()) continue;
        aside[i] = asideName(targets[i]);
        if (!QFile::rename(targets[i], aside[i])) {
            aside[i].clear();
            undo(0);
            *error = QStringLiteral("The file %1 cannot be replaced.").arg(targets[i]);
            return false;
        }
    }
    for (int i = 0; i < 2; ++i) {
        // The temporary file's own rename, which also works on Windows; the
        // file then carries the target's name, so it must not be removed.
        temporary[i]->setAutoRemove(false);
        if (!temporary[i]->rename(targets[i])) {
            temporary[i]->setAutoRemove(true);
            undo(i);
            *error = QStringLiteral("The file %1 cannot be written.").arg(targets[i]);
            return false;
        }
    }
    for (const QString& old : aside)
        if (!old.isEmpty()) QFile::remove(old);
    return true;
}

}  // namespace kelvane
