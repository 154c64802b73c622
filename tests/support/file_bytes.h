#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace kelvane::testing {

// Writes `bytes` to `path`, replacing what was there; false when that failed.
inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// What `path` holds; nothing when it cannot be read.
inline QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace kelvane::testing
