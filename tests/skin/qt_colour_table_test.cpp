#include <QFile>

#include "skin/colour_table.h"
#include "skin_window_fixture.h"

namespace kelvane::testing {
namespace {

using ColourTableTest = SkinWindowTest;

TEST_F(ColourTableTest, OnlyAnOpenThatReallyOpenedTheTableLeadsToArming) {
    const QString table = kitPath("hdl_gfx/hdl_colors.txt");
    EXPECT_FALSE(ui().Command12->isEnabled());
    EXPECT_FALSE(ui().Command11->isEnabled());

    state().openelf = "/games/HDLOADER.ELF";
    ui().Command8->click();  // preload: Open becomes usable even without hdl_gfx
    ASSERT_TRUE(ui().Command12->isEnabled());
    EXPECT_FALSE(ui().Command11->isEnabled());

    // The table does not exist yet: said so, editor not started.
    fake.messages.shown.clear();
    ui().Command12->click();
    EXPECT_TRUE(fake.desktop.notepad.empty());
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::Error);
    EXPECT_TRUE(fake.messages.shown[0].text.contains(table));
    EXPECT_FALSE(ui().Command11->isEnabled());

    // The editor cannot be started.
    ASSERT_TRUE(QDir(programDir.path()).mkpath("hdl_gfx"));
    QFile file(table);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    fake.desktop.notepadSucceeds = false;
    ui().Command12->click();
    ASSERT_EQ(fake.messages.shown.size(), 2u);
    EXPECT_TRUE(fake.messages.shown[1].text.contains(table));
    EXPECT_FALSE(ui().Command11->isEnabled());

    fake.desktop.notepadSucceeds = true;
    ui().Command12->click();
    EXPECT_EQ(fake.messages.shown.size(), 2u);
    ASSERT_EQ(fake.desktop.notepad.size(), 2u);
    EXPECT_EQ(fake.desktop.notepad[1], table);
    ASSERT_TRUE(ui().Command11->isEnabled());
    EXPECT_TRUE(state().colors.empty());

    ui().Command11->click();
    EXPECT_EQ(state().colors, ("/IC \"" + table + "\"").toStdString());
    ui().Command11->click();
    EXPECT_EQ(state().colors, ("/IC \"" + table + "\"").toStdString());
    EXPECT_TRUE(ui().Command12->isEnabled());
}

TEST_F(ColourTableTest, HelpShowsTheColourTableTextWithoutIcon) {
    ui().Command10->click();
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text.toStdString(), kColourTableHelpText);
    EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::None);
}

}  // namespace
}  // namespace kelvane::testing
