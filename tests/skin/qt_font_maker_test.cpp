// Font pairs made by the program and checked in the font slot; the font help.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include "core/messages.h"
#include "skin/font/font_bitmap.h"
#include "skin/font/font_pair_check.h"
#include "skin/font_help_text.h"
#include "skin/qt_font_maker_dialog.h"
#include "skin/qt_font_pair_files.h"
#include "skin/qt_font_renderer.h"
#include "skin/qt_font_window.h"
#include "support/fake_platform.h"
#include "support/file_bytes.h"
#include "support/modal_answer.h"
#include "ui_qt_main_window.h"

namespace kelvane::testing {
namespace {

const QString kMono = QStringLiteral("DejaVu Sans Mono");

FontWindow* onlyFontWindowOf(QWidget& owner) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const auto windows = owner.findChildren<FontWindow*>(Qt::FindDirectChildrenOnly);
    EXPECT_EQ(windows.size(), 1);
    return windows.value(0);
}

TEST(FontWindow, ShowsTheInstructionsReadOnlyAndStaysOneWindowPerOwner) {
    QWidget owner;
    owner.show();
    showFontWindow(&owner);
    QPointer<FontWindow> first = onlyFontWindowOf(owner);
    ASSERT_TRUE(first && first->isVisible());
    auto* text = first->findChild<QPlainTextEdit*>("Text3");
    QTest::keyClicks(text, "typed");
    // Unchanged, line for line: no stray line feed or carriage return inside.
    EXPECT_EQ(text->toPlainText().split('\n'),
              QString::fromStdString(fontInstructions()).split(kLineBreak));

    QTest::keyClick(first, Qt::Key_Escape);  // like the close box
    showFontWindow(&owner);                  // before the closed one is deleted
    QPointer<FontWindow> second = onlyFontWindowOf(owner);
    EXPECT_TRUE(first.isNull() && second && second->isVisible());
    owner.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(second.isNull());
}

class FontSlotTest : public ::testing::Test {
  protected:
    QString kitPath(const QString& relative) const {
        return QDir::toNativeSeparators(programDir.filePath(relative));
    }

    QTemporaryDir programDir;
    FakePlatform fake;
    MainWindow window{nativeProgramDirectory(programDir.path()), fake.services()};
};

TEST_F(FontSlotTest, SixteenBitWidthsAreConvertedAndTheMendedPairArmed) {
    // Qt's offscreen platform under Wine sees no font: nothing to render.
    if (!QFontDatabase::families().contains(kMono)) GTEST_SKIP() << "no DejaVu Sans Mono";
    const QString wide = kitPath("wide.bmp");
    QString error;
    ASSERT_TRUE(writeFontPair(wide, renderFontPair({kMono, 12, false, false}).pair, &error));
    QByteArray sixteen;
    for (const char w : readBytes(widthsPathFor(wide))) sixteen.append(w).append('\0');
    ASSERT_TRUE(writeBytes(widthsPathFor(wide), sixteen));
    fake.dialogs.answers = {wide};
    fake.messages.answers = {"Convert"};
    window.ui().Command4->click();

    const auto& shown = fake.messages.shown;
    ASSERT_EQ(shown.size(), 2u);  // the question, the note on the mended pair
    EXPECT_EQ(shown[0].buttons, QStringList({"Convert", "Use Anyway", "Cancel"}));
    const QString mended = kitPath("converted/wide-font.bmp");
    EXPECT_TRUE(shown[1].text.contains(mended));
    EXPECT_EQ(window.state().Text1, ("/IF \"" + mended + "\"").toStdString());
    EXPECT_TRUE(checkFontPair(readFontPairFiles(mended).files).ok());
    // Every width of a monospaced font is its advance.
    QFont plain(kMono);
    plain.setPixelSize(12);
    const QByteArray widths = readBytes(widthsPathFor(mended));
    for (const char c : {'A', 'i', 'W', ' ', '~'})
        EXPECT_EQ(int(widths[c]), QFontMetrics(plain).horizontalAdvance('M')) << c;
}

TEST_F(FontSlotTest, MakeFontArmsTheSlotWithTheSavedPairAndNamesAFileThatIsNoFont) {
    const QString fontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
    if (!QFileInfo(fontFile).isFile()) GTEST_SKIP() << "DejaVu Sans Mono is not installed";
    const QString notAFont = kitPath("notes.ttf");
    ASSERT_TRUE(writeBytes(notAFont, "not a font"));
    const QString saved = kitPath("made");  // the extension is added
    for (const char* earlier : {"made.bmp", "made.dat"})
        ASSERT_TRUE(writeBytes(kitPath(earlier), "earlier"));
    fake.dialogs.answers = {notAFont, fontFile, saved};
    fake.messages.answers = {"Replace"};
    whenModal<FontMakerDialog>([](FontMakerDialog* dialog) {
        dialog->chooseFontFile();
        dialog->chooseFontFile();
        dialog->useInSlot();
    });
    window.findChild<QAction*>("mnuMakeFont")->trigger();

    ASSERT_EQ(fake.messages.shown.size(), 2u);
    EXPECT_TRUE(fake.messages.shown[0].text.contains(notAFont + " cannot be loaded as a font"));
    EXPECT_TRUE(fake.messages.shown[1].text.contains("already exists"));
    const QString sheet = kitPath("made.bmp");
    EXPECT_EQ(window.state().Text1, ("/IF \"" + sheet + "\"").toStdString());
    // The earlier pair was replaced whole, nothing left beside it.
    EXPECT_EQ(QDir(programDir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"made.bmp", "made.dat", "notes.ttf"}));
    EXPECT_TRUE(checkFontPair(readFontPairFiles(sheet).files).ok());
    // The pair is the one shown: DejaVu Sans Mono at the largest size that
    // fits. Qt's own reader finds ink in the 'A'.
    const int size = largestFittingPixelSize({kMono});
    const FontPair shown = renderFontPair({kMono, size, false, false}).pair;
    EXPECT_EQ(readBytes(widthsPathFor(sheet)),
              QByteArray(reinterpret_cast<const char*>(shown.widths.data()), 256));
    const QImage read(sheet, "BMP");
    int inkInA = 0;
    for (int y = 64; y < 80; ++y)
        for (int x = 16; x < 32; ++x) inkInA += (read.pixel(x, y) & 0xffffff) == 0x808080;
    EXPECT_GT(inkInA, 10);
}

}  // namespace
}  // namespace kelvane::testing
