// Font pairs made by the program and checked when chosen in the font slot.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QTemporaryDir>

#include "skin/font/font_bitmap.h"
#include "skin/font/font_pair_check.h"
#include "skin/qt_font_maker_dialog.h"
#include "skin/qt_font_pair_files.h"
#include "skin/qt_font_renderer.h"
#include "support/fake_platform.h"
#include "support/file_bytes.h"
#include "support/modal_answer.h"
#include "ui_qt_main_window.h"

namespace kelvane::testing {
namespace {

const QString kMono = QStringLiteral("DejaVu Sans Mono");

// Every test here renders DejaVu Sans Mono; a platform without it (Qt's
// offscreen platform under Wine sees no font) renders nothing to check.
#define SKIP_WITHOUT_MONO() \
    if (!QFontDatabase::families().contains(kMono)) GTEST_SKIP() << "no DejaVu Sans Mono"

// The pair is read back with the program's check and, for the glyphs, with
// Qt's BMP reader.
TEST(FontMaker, APairMadeFromDejaVuSansMonoReadsBackAsTheLoaderNeedsIt) {
    SKIP_WITHOUT_MONO();
    const RenderedFont made = renderFontPair({kMono, 12, false, false});
    QTemporaryDir dir;
    const QString sheetPath = dir.filePath("mono.bmp");
    QString error;
    ASSERT_TRUE(writeFontPair(sheetPath, made.pair, &error)) << error.toStdString();
    ASSERT_TRUE(writeFontPair(sheetPath, made.pair, &error)) << "over an earlier pair";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"mono.bmp", "mono.dat"}));

    const FontPairRead read = readFontPairFiles(sheetPath);
    EXPECT_TRUE(checkFontPair(read.files).ok());
    const QImage sheet(sheetPath, "BMP");
    const QByteArray widths = readBytes(dir.filePath("mono.dat"));
    int inkInA = 0;
    for (int y = 64; y < 80; ++y)
        for (int x = 16; x < 32; ++x) inkInA += (sheet.pixel(x, y) & 0xffffff) == 0x808080;
    EXPECT_GT(inkInA, 10);

    QFont plain(kMono);
    plain.setPixelSize(12);
    const int advance = QFontMetrics(plain).horizontalAdvance(QLatin1Char('M'));
    for (const char c : {'A', 'i', 'W', ' ', '~'}) EXPECT_EQ(int(widths[c]), advance) << c;
    EXPECT_EQ(made.missing, 0);
}

// A real main window in a fresh program directory.
class FontSlotTest : public ::testing::Test {
  protected:
    QString kitPath(const QString& relative) const {
        return QDir::toNativeSeparators(programDir.filePath(relative));
    }
    // A made pair, its widths file replaced by `widths` when given.
    QString writePair(const QString& name, const QByteArray& widths = {}) {
        QString error;
        const QString path = kitPath(name + ".bmp");
        EXPECT_TRUE(writeFontPair(path, renderFontPair({kMono, 12, false, false}).pair, &error));
        if (!widths.isEmpty()) {
            EXPECT_TRUE(writeBytes(widthsPathFor(path), widths));
        }
        return path;
    }

    QTemporaryDir programDir;
    FakePlatform fake;
    MainWindow window{nativeProgramDirectory(programDir.path()), fake.services()};
};

TEST_F(FontSlotTest, SixteenBitWidthsAreConvertedOtherFaultsCanOnlyBeTakenAnyway) {
    SKIP_WITHOUT_MONO();
    const QString wide = writePair("wide");
    QByteArray sixteen;
    for (const char w : readBytes(widthsPathFor(wide))) sixteen.append(w).append('\0');
    ASSERT_TRUE(writeBytes(widthsPathFor(wide), sixteen));
    const QString inkOutside = writePair("narrow", QByteArray(256, 2));
    const QString good = writePair("good");

    fake.dialogs.answers = {wide, inkOutside, good};
    fake.messages.answers = {"Convert", "Cancel"};
    for (int i = 0; i < 3; ++i) window.ui().Command4->click();

    const auto& shown = fake.messages.shown;
    ASSERT_EQ(shown.size(), 3u);  // the question, the note on the mended pair, the question
    EXPECT_EQ(shown[0].buttons, QStringList({"Convert", "Use Anyway", "Cancel"}));
    const QString mended = kitPath("converted/wide-font.bmp");
    EXPECT_TRUE(shown[1].text.contains(mended));
    EXPECT_EQ(shown[2].buttons, QStringList({"Use Anyway", "Cancel"}));
    // The good pair went in without a word, after the mended one had.
    EXPECT_EQ(window.state().Text1, ("/IF \"" + good + "\"").toStdString());

    const FontPairRead read = readFontPairFiles(mended);
    EXPECT_TRUE(checkFontPair(read.files).ok());
}

TEST_F(FontSlotTest, MakeFontArmsTheSlotWithTheSavedPairAndNamesAFileThatIsNoFont) {
    const QString fontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
    if (!QFileInfo(fontFile).isFile()) GTEST_SKIP() << "DejaVu Sans Mono is not installed";
    const QString notAFont = kitPath("notes.ttf");
    ASSERT_TRUE(writeBytes(notAFont, "not a font"));
    const QString saved = kitPath("made");  // the extension is added
    ASSERT_TRUE(writeBytes(kitPath("made.dat"), "an earlier widths file"));
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
    EXPECT_TRUE(checkFontPair(readFontPairFiles(sheet).files).ok());
    // The pair is the one shown: DejaVu Sans Mono at the largest size that fits.
    const int size = largestFittingPixelSize({kMono});
    EXPECT_EQ(readBytes(widthsPathFor(sheet)),
              QByteArray(reinterpret_cast<const char*>(
                             renderFontPair({kMono, size, false, false}).pair.widths.data()),
                         256));
}

}  // namespace
}  // namespace kelvane::testing
