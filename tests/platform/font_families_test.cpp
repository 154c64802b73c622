#include <gtest/gtest.h>

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

#include "platform/layout/qt_font_families.h"

using namespace kelvane;

namespace {

// Leaving out the families that are not installed must not change the face
// Qt picks for the list, with the window's family as the last resort.
TEST(InstalledFamiliesTest, KeepsTheFaceQtPicksAndOnlyInstalledFamiliesInOrder) {
    const QStringList lists[] = {
        {"Microsoft Sans Serif", "Tahoma", "Liberation Sans", "Arial"},  // Windows faces first
        {"Kelvane Missing Face", "Another Missing Face"},
        {"Noto Sans", "Kelvane Missing Face", "Liberation Sans"},
        {"liberation sans"},  // another letter case
    };
    const QStringList all = QFontDatabase::families();
    for (const QStringList& asked : lists) {
        SCOPED_TRACE(asked.join(", ").toStdString());
        const QStringList kept = installedFamilies(asked);
        qsizetype previous = -1;
        for (const QString& family : kept) {
            EXPECT_TRUE(all.contains(family, Qt::CaseInsensitive)) << family.toStdString();
            const qsizetype at = asked.indexOf(family);
            EXPECT_GT(at, previous) << "order changed at " << family.toStdString();
            previous = at;
        }
        QFont full(QStringLiteral("DejaVu Sans"), 11), filtered = full;
        full.setFamilies(asked + QStringList{"DejaVu Sans"});
        filtered.setFamilies(kept + QStringList{"DejaVu Sans"});
        EXPECT_EQ(QFontInfo(filtered).family(), QFontInfo(full).family());
    }
}

}  // namespace
