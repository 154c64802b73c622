// Converted pictures read back, picture files refused, the colour table editor.

#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include "skin/picture_check.h"
#include "skin/picture_facts.h"
#include "skin/qt_colour_table_editor.h"
#include "skin/qt_picture_box.h"
#include "skin/qt_picture_conversion.h"
#include "skin/qt_picture_file.h"
#include "support/fake_services.h"
#include "support/file_bytes.h"

namespace kelvane {
namespace {

// 1000 x 400: a red band on the left (x < 125), blue on the right (x >= 875),
// between them green above the middle and yellow below it.
QImage bandedSource() {
    QImage source(1000, 400, QImage::Format_ARGB32);
    QPainter painter(&source);
    painter.fillRect(0, 0, 1000, 200, Qt::green);
    painter.fillRect(0, 200, 1000, 200, Qt::yellow);
    painter.fillRect(0, 0, 125, 400, Qt::red);
    painter.fillRect(875, 0, 125, 400, Qt::blue);
    return source;
}

const QColor kR = Qt::red, kG = Qt::green, kY = Qt::yellow, kB = Qt::blue, kK = Qt::black;

// Each fit mode writes an uncompressed bottom-up 24-bit BMP of exactly the
// right size, which the slot checks accept, with the source's corner colours.
TEST(ConversionReadBack, WritesAnUncompressedBottomUp24BitBmpWithTheRightCorners) {
    const struct {
        const char* name;
        FitMode mode;
        PictureSize size;
        QColor corners[4];  // top left, top right, bottom left, bottom right
    } rows[] = {
        // The wide source is cut at both sides: only green and yellow remain.
        {"FillAndCropScreen", FitMode::FillAndCrop, {512, 448}, {kG, kG, kY, kY}},
        // It fits by its width: black bars above and below.
        {"FitInsideScreen", FitMode::FitInside, {512, 448}, {kK, kK, kK, kK}},
        {"StretchScreen", FitMode::Stretch, {512, 448}, {kR, kB, kR, kB}},
        {"FillAndCropButton", FitMode::FillAndCrop, {128, 64}, {kR, kB, kR, kB}},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("out.bmp");
    for (const auto& c : rows) {
        SCOPED_TRACE(c.name);
        QString error;
        ASSERT_TRUE(writeBmpFile(convertPicture(bandedSource(), c.size, c.mode), path, &error))
            << error.toStdString();
        const QByteArray bytes = testing::readBytes(path);
        const int stride = (c.size.width * 3 + 3) / 4 * 4;
        ASSERT_EQ(bytes.size(), 54 + stride * c.size.height);
        const ImageSlot slot =
            c.size.width == 128 ? ImageSlot::ButtonImage : ImageSlot::SplashScreen;
        EXPECT_TRUE(pictureFitsSlot(
            slot,
            describePicture(reinterpret_cast<const unsigned char*>(bytes.constData()),
                            std::size_t(bytes.size()), std::uint64_t(bytes.size()), "out.bmp")));
        const QImage written = QImage::fromData(bytes, "BMP");
        const int right = c.size.width - 1, bottom = c.size.height - 1;
        EXPECT_EQ((QList<QColor>{written.pixelColor(0, 0), written.pixelColor(right, 0),
                                 written.pixelColor(0, bottom), written.pixelColor(right, bottom)}),
                  QList<QColor>(std::begin(c.corners), std::end(c.corners)));
    }
}

TEST(Conversion, TransparencyBecomesBlack) {
    QImage clear(10, 10, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    EXPECT_EQ(convertPicture(clear, {128, 64}, FitMode::Stretch).pixelColor(5, 5), kK);
}

// Named pipes are refused through the window's controls.
TEST(PictureFiles, FoldersHugeAndBrokenPicturesAreRefusedNamingThemAMissingOneOnlyEmpties) {
    QTemporaryDir dir;
    const QString folder = dir.filePath("folder.bmp");
    ASSERT_TRUE(QDir().mkdir(folder));
    QString refusal, conversionError;
    EXPECT_TRUE(readPreviewPicture(folder, &refusal).isNull());
    EXPECT_EQ(inspectPictureFile(folder).opened.problem, FileOpenProblem::NotRegular);
    EXPECT_TRUE(readPictureForConversion(folder, &conversionError).isNull());
    for (const QString& text : {refusal, conversionError}) EXPECT_TRUE(text.contains(folder));
    refusal.clear();
    EXPECT_TRUE(readPreviewPicture(dir.filePath("missing.bmp"), &refusal).isNull());
    EXPECT_TRUE(refusal.isEmpty()) << "a missing picture only empties its box";

    // A PNG whose header claims 100000 x 100000 pixels.
    const QByteArray hugePng =
        QByteArray::fromHex("89504e470d0a1a0a0000000d49484452000186a0000186a00806000000");
    const QString huge = dir.filePath("huge.png"), broken = dir.filePath("broken.png");
    ASSERT_TRUE(testing::writeBytes(huge, hugePng) &&
                testing::writeBytes(broken, QByteArray(9, 'x')));
    for (const QString& path : {huge, broken}) {
        QString error;
        EXPECT_TRUE(readPictureForConversion(path, &error).isNull());
        EXPECT_TRUE(error.contains(path)) << error.toStdString();
    }
}

TEST(ColourTableEditor, NeverOverwritesAnotherProgramsChangesWithoutAsking) {
    QTemporaryDir dir;
    const QString path = dir.filePath("hdl_colors.txt");
    const auto read = [&] { return testing::readBytes(path); };
    ASSERT_TRUE(testing::writeBytes(path, "10104080 // 1_Menu background\nnot an entry\n"));
    testing::FakeMessageBoxes messages;
    ColourTableEditor editor(path, parseColourTable(read().toStdString()), messages, nullptr);
    editor.pickColour = [](const QColor&) { return QColor(Qt::white); };
    editor.editRow(1);  // not an entry: nothing happens
    editor.editRow(0);
    ASSERT_TRUE(testing::writeBytes(path, "20204080 // 1_Changed in another editor\n"));

    EXPECT_FALSE(editor.save());  // the question is cancelled
    EXPECT_EQ(read(), "20204080 // 1_Changed in another editor\n");
    EXPECT_TRUE(editor.hasUnsavedEdits());
    messages.answers = {"Save Anyway"};
    EXPECT_TRUE(editor.save());
    EXPECT_EQ(read(), "FFFFFF80 // 1_Menu background\nnot an entry\n");
    EXPECT_EQ(messages.shown.size(), 2u);
    EXPECT_TRUE(editor.save());  // its own file again: no question
    EXPECT_EQ(messages.shown.size(), 2u);
}

}  // namespace
}  // namespace kelvane
