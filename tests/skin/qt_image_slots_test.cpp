#include <QLabel>
#include <QLineEdit>
#include <QPixmap>

#include "skin/image_slots.h"
#include "skin_window_fixture.h"

namespace kelvane::testing {
namespace {

using ImageSlotsTest = SkinWindowTest;

TEST_F(ImageSlotsTest, CancelledDialogsLeaveEverySlotUntouchedAndGetTheirOwnFilters) {
    ui().Command9->click();
    ui().Command5->click();
    ui().Command7->click();
    ui().Command4->click();

    ASSERT_EQ(fake.dialogs.filters.size(), 4u);
    EXPECT_EQ(fake.dialogs.filters[0],
              "*.TGA (32bit Targa)|*.TGA|*.RAW (32bit interleaved RAW)|*.RAW|*.BMP (BMP "
              "Image)|*.BMP");
    EXPECT_EQ(fake.dialogs.filters[1], "*.BMP (Splash BMP)|*.BMP");
    EXPECT_EQ(fake.dialogs.filters[2], "*.BMP (Splash BMP)|*.BMP");
    EXPECT_EQ(fake.dialogs.filters[3], "*.BMP (Load Font BMP)|*.BMP");

    EXPECT_TRUE(state().pulsanti.empty());
    EXPECT_TRUE(state().Text10.empty());
    EXPECT_TRUE(state().Text9.empty());
    EXPECT_TRUE(state().Text1.empty());
    EXPECT_EQ(ui().textbutton->text(), "Change Button GFX ...");
    EXPECT_EQ(ui().Text7->text(), "Load main.bmp");
    EXPECT_EQ(ui().Text8->text(), "Load splash.bmp");
    EXPECT_EQ(ui().textfont->text(), "Change Text ...");
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(ImageSlotsTest, SecondChoiceReplacesTheFirstAndACancelKeepsIt) {
    const QString first = kitPath("my art/menu 1.bmp");
    const QString second = kitPath("my art/menu 2.bmp");
    ASSERT_TRUE(QDir(programDir.path()).mkpath("my art"));
    writeBitmap(first, Qt::green);
    writeBitmap(second, Qt::yellow);
    fake.dialogs.answers = {first, second, std::nullopt};

    ui().Command5->click();
    EXPECT_EQ(state().Text10, (" /IM \"" + first + "\"").toStdString());
    ui().Command5->click();
    ui().Command5->click();  // cancelled

    EXPECT_EQ(state().Text10, (" /IM \"" + second + "\"").toStdString());
    EXPECT_EQ(ui().Text7->text(), "menu 2.bmp");
    const QImage shown = ui().Image2->pixmap().toImage();
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.pixelColor(shown.width() / 2, shown.height() / 2), QColor(Qt::yellow));
    EXPECT_TRUE(ui().Image3->pixmap().isNull());  // the splash box is not this slot's
    EXPECT_TRUE(state().Text9.empty());
}

TEST_F(ImageSlotsTest, EachSlotWritesItsOwnFieldsAndUnreadablePicturesStillCount) {
    const QString splash = kitPath("splash.bmp");
    writeBitmap(splash, Qt::red);
    const QString notAPicture = kitPath("broken.bmp");
    QFile broken(notAPicture);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("BM not really");
    broken.close();
    fake.dialogs.answers = {splash, notAPicture, kitPath("b.RAW"), kitPath("f.bmp")};

    ui().Command7->click();
    ui().Command7->click();  // cannot be shown: the preview keeps the earlier picture
    ui().Command9->click();
    ui().Command4->click();

    EXPECT_EQ(state().Text9, (" /IS \"" + notAPicture + "\"").toStdString());
    EXPECT_EQ(ui().Text8->text(), "broken.bmp");
    EXPECT_FALSE(ui().Image3->pixmap().isNull());
    EXPECT_EQ(state().pulsanti, ("/IB \"" + kitPath("b.RAW") + "\"").toStdString());
    EXPECT_EQ(ui().textbutton->text(), "b.RAW");
    EXPECT_EQ(state().Text1, ("/IF \"" + kitPath("f.bmp") + "\"").toStdString());
    EXPECT_EQ(ui().textfont->text(), "f.bmp");
    EXPECT_EQ(state().CommonDialog2.fullPath, kitPath("f.bmp").toStdString());
}

TEST_F(ImageSlotsTest, PathWithQuoteIsRefusedAndTheSlotKept) {
    fake.dialogs.answers = {QString("/art/a\"b.bmp")};
    ui().Command5->click();
    EXPECT_TRUE(state().Text10.empty());
    EXPECT_EQ(ui().Text7->text(), "Load main.bmp");
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::Error);
}

TEST_F(ImageSlotsTest, QuestionMarkShowsTheButtonImageHelp) {
    ui().Command14->click();
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text.toStdString(), kButtonImageHelpText);
    EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::None);
}

}  // namespace
}  // namespace kelvane::testing
