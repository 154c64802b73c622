#include "patch/qt_output_stamp.h"

#include <QDir>
#include <QFileInfo>

namespace kelvane {

OutputStamp OutputStamp::of(const QString& path) {
    QFileInfo info(path);
    info.setCaching(false);
    if (!info.exists()) return {};
    return {true, info.size(), info.lastModified()};
}

bool writtenSince(const OutputStamp& before, const QString& path) {
    const OutputStamp now = OutputStamp::of(path);
    if (!now.exists) return false;
    return !before.exists || now.modified != before.modified || now.size != before.size;
}

bool sameFilePath(const QString& a, const QString& b) {
#ifdef Q_OS_WIN
    constexpr Qt::CaseSensitivity kNames = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity kNames = Qt::CaseSensitive;
#endif
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    if (QDir::cleanPath(fa.absoluteFilePath())
            .compare(QDir::cleanPath(fb.absoluteFilePath()), kNames) == 0) {
        return true;
    }
    return fa.exists() && fb.exists() &&
           fa.canonicalFilePath().compare(fb.canonicalFilePath(), kNames) == 0;
}

}  // namespace kelvane
