#pragma once

#include <QDateTime>
#include <QString>

namespace kelvane {

// What a file looked like at one moment: whether it existed, its size and its
// modification time. Comparing a stamp taken before a run with one taken after
// tells whether the run wrote the file.
struct OutputStamp {
    bool exists = false;
    qint64 size = 0;
    QDateTime modified;

    static OutputStamp of(const QString& path);
};

// True when the file exists now and is not the file that was there before.
bool writtenSince(const OutputStamp& before, const QString& path);

// Whether two paths name the same file: equal after cleaning (ignoring case
// where file names ignore case), or both existing with the same canonical path.
bool sameFilePath(const QString& a, const QString& b);

}  // namespace kelvane
