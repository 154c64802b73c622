#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>

#include "support/fake_platform.h"
#include "ui_qt_main_window.h"

namespace kelvane {
namespace {

using testing::FakePlatform;

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(kitDir.isValid());
        kit = QDir::toNativeSeparators(kitDir.path());
        window = std::make_unique<MainWindow>(
            ProgramDirectory(kit.toStdString(), QDir::separator().toLatin1()), platform.services());
    }

    QString label(const char* name) { return window->findChild<QLabel*>(name)->text(); }

    QString writeFile(const QString& name, qint64 size) {
        const QString path = QDir(kitDir.path()).filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_TRUE(file.resize(size));
        return QDir::toNativeSeparators(path);
    }

    QTemporaryDir kitDir;
    QString kit;
    FakePlatform platform;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, StartUpSetsCaptionPanelsAndOutputPaths) {
    EXPECT_EQ(window->windowTitle(), "HDL/HDA Kelvane GUI  ver. 2.0");
    EXPECT_EQ(label("statusPanel1"), "Please load HDL/HDA (unpacked)");
    EXPECT_EQ(label("statusPanel2"), "HDL/HDA QRX 2.0");
    EXPECT_FALSE(label("statusPanel3").isEmpty());
    const QString sep = QDir::separator();
    EXPECT_EQ(QString::fromStdString(window->state().Text2), kit + sep + "OUTFILE.ELF");
    EXPECT_EQ(QString::fromStdString(window->state().textpacked), kit + sep + "PACKED_OUTFILE.ELF");
}

TEST_F(MainWindowTest, CaptionsMenusAndStartUpStates) {
    Ui::MainWindow& ui = window->ui();
    EXPECT_EQ(ui.Check2->text(), "/C  - Copy_right message removed (helps with no disc seek)");
    EXPECT_EQ(ui.Check7->text(), "/D  - Fix the date/time bug (savegames)");
    EXPECT_EQ(ui.Option11->text(), "Default Language");
    EXPECT_EQ(ui.Frame9->title(), "Skin your HDLoader/HDAdvance");
    EXPECT_EQ(ui.FrameX->title(), "[X] DEC - HEX");
    EXPECT_EQ(ui.Command1->text(), "HELP");
    EXPECT_EQ(ui.Command6->text(), "2 - View Current Skin");
    EXPECT_EQ(ui.Label5->text(), "Only RGB24 BMPs are supported. BMPs must be 512x448 px.");
    EXPECT_EQ(ui.textbutton->text(), "Change Button GFX ...");
    EXPECT_EQ(ui.text13->text(), "OUTFILE.ELF");
    EXPECT_EQ(ui.text13->toolTip(), "You can change it to everything you want :D");
    EXPECT_TRUE(ui.Command2->font().bold());

    EXPECT_EQ(ui.mnuFile->title(), "&File");
    EXPECT_EQ(ui.mnuOpen->text(), "Open HDL/HDA");
    EXPECT_EQ(ui.mnuOpen->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(ui.mnuClose->text(), "&Quit");
    EXPECT_EQ(ui.mnuClose->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_EQ(ui.mnuAbout0->actions().last(), ui.mnuWEB0->menuAction());

    for (QWidget* off :
         std::initializer_list<QWidget*>{ui.Command6, ui.Command12, ui.Command11, ui.Option1,
                                         ui.Option2, ui.Option3, ui.Option4, ui.Text7, ui.Text8})
        EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
    EXPECT_TRUE(ui.Command13->isEnabled());
    EXPECT_TRUE(ui.textx->isReadOnly());
    EXPECT_TRUE(ui.textfont->isReadOnly());
    EXPECT_FALSE(ui.textxhex->isReadOnly());

    EXPECT_TRUE(ui.Option11->isChecked());
    EXPECT_EQ(ui.dateFixGroup->checkedButton(), nullptr);
    ui.Option9->setChecked(true);
    EXPECT_FALSE(ui.Option11->isChecked());
}

// Like any vertical scroll bar, the spinners raise their value with the
// lower arrow and lower it with the upper one, stopping at 0 and 255. The
// arrows are found where the style draws them and clicked there.
TEST_F(MainWindowTest, LowerSpinnerArrowRaisesTheValue) {
    window->show();
    for (QScrollBar* spinner : {window->ui().VScroll1, window->ui().VScroll2}) {
        EXPECT_EQ(spinner->minimum(), 0);
        EXPECT_EQ(spinner->maximum(), 255);
        QStyleOptionSlider option;
        option.initFrom(spinner);
        option.orientation = Qt::Vertical;
        option.minimum = spinner->minimum();
        option.maximum = spinner->maximum();
        option.upsideDown = spinner->invertedAppearance();
        option.subControls = QStyle::SC_All;
        const QRect add = spinner->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                           QStyle::SC_ScrollBarAddLine, spinner);
        const QRect sub = spinner->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                           QStyle::SC_ScrollBarSubLine, spinner);
        EXPECT_GT(add.center().y(), sub.center().y());

        QTest::mouseClick(spinner, Qt::LeftButton, {}, add.center());
        EXPECT_EQ(spinner->value(), 1);
        QTest::mouseClick(spinner, Qt::LeftButton, {}, sub.center());
        QTest::mouseClick(spinner, Qt::LeftButton, {}, sub.center());
        EXPECT_EQ(spinner->value(), 0);
        spinner->setValue(255);
        QTest::mouseClick(spinner, Qt::LeftButton, {}, add.center());
        EXPECT_EQ(spinner->value(), 255);
    }
}

TEST_F(MainWindowTest, FocusSinkTakesTheFocusAndAcceptsNoText) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    Ui::MainWindow& ui = window->ui();
    ui.text13->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ui.text13->hasFocus(); }));

    // After a mouse click the controllers hand the focus to the sink.
    QTest::mouseClick(ui.Check1, Qt::LeftButton);
    window->context().focusSink();
    QWidget* sink = QApplication::focusWidget();
    ASSERT_NE(sink, nullptr);
    EXPECT_EQ(sink->objectName(), "focusSink");
    EXPECT_EQ(qobject_cast<QLineEdit*>(sink), nullptr);

    QTest::keyClicks(sink, "x1 ");
    EXPECT_EQ(QApplication::focusWidget(), sink);
    EXPECT_EQ(ui.text13->text(), "OUTFILE.ELF");
    EXPECT_EQ(ui.textxhex->text(), "00");
    EXPECT_EQ(ui.textbutton->text(), "Change Button GFX ...");
}

TEST_F(MainWindowTest, OpenLoaderAcceptsExactSizeAndKeepsItAfterARejection) {
    const QString good = writeFile("HDL 1.ELF", 2977792);
    const QString bad = writeFile("other.ELF", 2977791);
    platform.dialogs.answers = {good, bad};

    window->ui().mnuOpen->trigger();
    ASSERT_EQ(platform.dialogs.filters.size(), 1u);
    EXPECT_EQ(platform.dialogs.filters[0], "*.ELF (PS2 Executable File)|*.ELF");
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].text, "HDL/HDA (unpacked) loaded successfully.");
    EXPECT_EQ(platform.messages.shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(label("statusPanel1"), "Loaded: HDL 1.ELF");
    EXPECT_EQ(QString::fromStdString(window->state().openelf), good);

    window->ui().mnuOpen->trigger();
    ASSERT_EQ(platform.messages.shown.size(), 2u);
    EXPECT_EQ(platform.messages.shown[1].text, "You must load HDL/HDA (unpacked)");
    EXPECT_EQ(platform.messages.shown[1].icon, MessageIcon::Error);
    EXPECT_EQ(label("statusPanel1"), "Please load HDL/HDA (unpacked)");
    EXPECT_EQ(QString::fromStdString(window->state().openelf), good);
}

TEST_F(MainWindowTest, QuitClosesTheWindowAndClearsThePreviewDirectory) {
    QDir kitDirectory(kitDir.path());
    ASSERT_TRUE(kitDirectory.mkdir("hdl_gfx_tmp"));
    for (const char* name : {"hdl_main.bmp", "hdl_splash.bmp", "hdl_colors.txt"})
        writeFile(QString("hdl_gfx_tmp/") + name, 10);
    writeFile("OUTFILE.ELF", 10);
    window->show();

    window->ui().mnuClose->trigger();

    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(kitDirectory.exists("hdl_gfx_tmp"));
    EXPECT_TRUE(kitDirectory.exists("OUTFILE.ELF"));
    EXPECT_TRUE(platform.messages.shown.empty());
}

}  // namespace
}  // namespace kelvane
