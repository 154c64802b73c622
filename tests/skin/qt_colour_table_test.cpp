#include <QFile>

#include "skin_window_fixture.h"

namespace kelvane::testing {
namespace {

using ColourTableTest = SkinWindowTest;

TEST_F(ColourTableTest, OnlyAnOpenThatReallyOpenedTheTableLeadsToArming) {
    const QString table = kitPath("hdl_gfx/hdl_colors.txt");
    ui().Command10->click();
    EXPECT_EQ(fake.messages.shown.at(0).text.size(), 470);
    EXPECT_FALSE(ui().Command12->isEnabled());

    state().openelf = "/games/HDLOADER.ELF";
    ui().Command8->click();  // Open becomes usable even without hdl_gfx
    fake.messages.shown.clear();
    ASSERT_TRUE(ui().Command12->isEnabled());
    EXPECT_FALSE(ui().Command11->isEnabled());

    ui().Command12->click();  // the table does not exist yet
    EXPECT_TRUE(fake.desktop.notepad.empty());
    ASSERT_TRUE(QDir(programDir.path()).mkpath("hdl_gfx"));
    QFile(table).open(QIODevice::WriteOnly);
    fake.desktop.notepadSucceeds = false;
    ui().Command12->click();  // the editor cannot be started
    ASSERT_EQ(fake.messages.shown.size(), 2u);
    for (int i : {0, 1}) {
        EXPECT_EQ(fake.messages.shown[i].icon, MessageIcon::Error);
        EXPECT_TRUE(fake.messages.shown[i].text.contains(table));
    }
    EXPECT_FALSE(ui().Command11->isEnabled());

    fake.desktop.notepadSucceeds = true;
    ui().Command12->click();
    EXPECT_EQ(fake.desktop.notepad.back(), table);
    ASSERT_TRUE(ui().Command11->isEnabled());
    EXPECT_TRUE(state().colors.empty());
    ui().Command11->click();
    EXPECT_EQ(state().colors, ("/IC \"" + table + "\"").toStdString());
}

}  // namespace
}  // namespace kelvane::testing
