#include "platform/layout/qt_font_families.h"

#include <QFontDatabase>
#include <QSet>

namespace kelvane {

namespace {

// The installed families, in lower case; read once, as fonts installed while
// the program runs are not offered to it before a restart either.
const QSet<QString>& installedNames() {
    static const QSet<QString> names = [] {
        QSet<QString> lower;
        for (const QString& family : QFontDatabase::families()) lower.insert(family.toLower());
        return lower;
    }();
    return names;
}

}  // namespace

QStringList installedFamilies(const QStringList& families) {
    QStringList installed;
    for (const QString& family : families)
        if (installedNames().contains(family.toLower())) installed.append(family);
    return installed;
}

}  // namespace kelvane
