#include <gtest/gtest.h>

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

#include "platform/qt_font_families.h"

using namespace kelvane;

namespace {

struct FamiliesCase {
    const char* name;
    QStringList families;
};

// Leaving out the families that are not installed must not change the face
// Qt picks for the list, with the window's family as the last resort.
class InstalledFamiliesTest : public ::testing::TestWithParam<FamiliesCase> {};

TEST_P(InstalledFamiliesTest, KeepsTheFaceQtPicksAndOnlyInstalledFamiliesInOrder) {
    const QStringList& asked = GetParam().families;
    const QStringList kept = installedFamilies(asked);

    const QStringList all = QFontDatabase::families();
    qsizetype previous = -1;
    for (const QString& family : kept) {
        EXPECT_TRUE(all.contains(family, Qt::CaseInsensitive)) << family.toStdString();
        const qsizetype at = asked.indexOf(family);
        EXPECT_GT(at, previous) << "order changed at " << family.toStdString();
        previous = at;
    }

    const QStringList lastResort{QStringLiteral("DejaVu Sans")};
    QFont full(QStringLiteral("DejaVu Sans"), 11);
    full.setFamilies(asked + lastResort);
    QFont filtered(QStringLiteral("DejaVu Sans"), 11);
    filtered.setFamilies(kept + lastResort);
    EXPECT_EQ(QFontInfo(filtered).family(), QFontInfo(full).family());
}

INSTANTIATE_TEST_SUITE_P(
    Lists, InstalledFamiliesTest,
    ::testing::Values(
        FamiliesCase{"WindowsFacesBeforeInstalled",
                     {"Microsoft Sans Serif", "Tahoma", "Liberation Sans", "Arial"}},
        FamiliesCase{"NoneInstalled", {"Kelvane Missing Face", "Another Missing Face"}},
        FamiliesCase{"InstalledFirst", {"Noto Sans", "Kelvane Missing Face", "Liberation Sans"}},
        FamiliesCase{"OtherLetterCase", {"liberation sans"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
