#include <QLineEdit>
#include <QPixmap>

#include "skin_window_fixture.h"

namespace kelvane::testing {
namespace {

using ImageSlotsTest = SkinWindowTest;

TEST_F(ImageSlotsTest, CancelledDialogsChangeNothingAndEachSlotHasItsFilter) {
    for (QPushButton* load : {ui().Command9, ui().Command5, ui().Command7, ui().Command4})
        load->click();

    EXPECT_EQ(
        fake.dialogs.filters,
        (std::vector<QString>{
            "*.TGA (32bit Targa)|*.TGA|*.RAW (32bit interleaved RAW)|*.RAW|*.BMP (BMP Image)|*.BMP",
            "*.BMP (Splash BMP)|*.BMP", "*.BMP (Splash BMP)|*.BMP",
            "*.BMP (Load Font BMP)|*.BMP"}));
    EXPECT_EQ(state().pulsanti + state().Text10 + state().Text9 + state().Text1, "");
    EXPECT_EQ(ui().Text7->text(), "Load main.bmp");
    EXPECT_EQ(ui().textfont->text(), "Change Text ...");
}

TEST_F(ImageSlotsTest, SecondChoiceReplacesTheFirstAndACancelKeepsIt) {
    ASSERT_TRUE(QDir(programDir.path()).mkpath("my art"));
    const QString first = kitPath("my art/menu 1.bmp"), second = kitPath("my art/menu 2.bmp");
    writeBitmap(first, Qt::green);
    writeBitmap(second, Qt::yellow);
    fake.dialogs.answers = {first, second, std::nullopt};

    for (int click = 0; click < 3; ++click) ui().Command5->click();

    EXPECT_EQ(state().Text10, (" /IM \"" + second + "\"").toStdString());
    EXPECT_EQ(ui().Text7->text(), "menu 2.bmp");
    EXPECT_EQ(centreColour(ui().Image2), QColor(Qt::yellow));
    EXPECT_TRUE(ui().Image3->pixmap().isNull());
    EXPECT_TRUE(state().Text9.empty());
}

TEST_F(ImageSlotsTest, UnshowablePicturesStillCountButQuotedPathsAreRefused) {
    writeBitmap(kitPath("splash.bmp"), Qt::red);
    QFile(kitPath("broken.bmp")).open(QIODevice::WriteOnly);
    fake.dialogs.answers = {kitPath("splash.bmp"), kitPath("broken.bmp"), kitPath("b.RAW"),
                            QString("/art/a\"b.tga")};

    ui().Command7->click();
    ui().Command7->click();  // cannot be shown: the preview keeps the earlier picture
    ui().Command9->click();
    ui().Command9->click();  // refused: the slot keeps b.RAW

    EXPECT_EQ(state().Text9, (" /IS \"" + kitPath("broken.bmp") + "\"").toStdString());
    EXPECT_EQ(ui().Text8->text(), "broken.bmp");
    EXPECT_EQ(centreColour(ui().Image3), QColor(Qt::red));
    EXPECT_EQ(state().pulsanti, ("/IB \"" + kitPath("b.RAW") + "\"").toStdString());
    EXPECT_EQ(ui().textbutton->text(), "b.RAW");
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::Error);
}

}  // namespace
}  // namespace kelvane::testing
