// The help entries of the main window, its link labels and the about window.

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "help/credits_text.h"
#include "help/qt_about_window.h"
#include "help/qt_link_label.h"
#include "help/web_addresses.h"
#include "skin/qt_font_window.h"
#include "support/fake_platform.h"
#include "ui_qt_main_window.h"

// Readable colours in failure messages.
inline void PrintTo(const QColor& colour, std::ostream* os) {
    *os << colour.name().toStdString();
}

namespace kelvane {
namespace {

// A plain mouse movement sent through the application, as the window system
// does: filters run and an ignored movement travels on to the parent.
void moveMouse(QWidget* widget, QPoint pos = {2, 2}) {
    QMouseEvent move(QEvent::MouseMove, QPointF(pos), QPointF(widget->mapToGlobal(pos)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// Runs the deletions of windows that closed themselves.
void flushDeletions() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A point of `surface` outside all of its controls.
QPoint freePoint(QWidget* surface) {
    for (int y = 2; y < surface->height(); y += 3)
        for (int x = 2; x < surface->width(); x += 3)
            if (!surface->childAt(x, y)) return {x, y};
    ADD_FAILURE() << "no free area in " << surface->objectName().toStdString();
    return {};
}

QString page(const std::string& address) {
    return QString::fromStdString(address);
}

class HelpWindowTest : public ::testing::Test {
  protected:
    HelpWindowTest() : window(ProgramDirectory("C:\\Kit", '\\'), platform.services()) {
        window.show();
    }
    ~HelpWindowTest() override { flushDeletions(); }

    Ui::MainWindow& ui() { return window.ui(); }
    AboutWindow* showAbout() {
        return showAboutWindow(platform.desktop, platform.messages, &window);
    }
    template <typename T = QWidget>
    static T* child(AboutWindow* about, const char* name) {
        return about->findChild<T*>(QString::fromLatin1(name));
    }
    void expectOnlyErrorNaming(const QString& subject) {
        ASSERT_EQ(platform.messages.shown.size(), 1u);
        EXPECT_EQ(platform.messages.shown[0].icon, MessageIcon::Error);
        EXPECT_TRUE(platform.messages.shown[0].text.contains(subject));
    }

    testing::FakePlatform platform;
    MainWindow window;
};

TEST_F(HelpWindowTest, ReadmeEntriesOpenTheDocumentsAndNameOneThatCannotBeOpened) {
    ui().mnuHDLReadme->trigger();
    ui().mnuPackReadme3->trigger();
    EXPECT_TRUE(platform.messages.shown.empty());
    platform.desktop.notepadSucceeds = false;
    ui().mnuPackReadme4->trigger();
    EXPECT_EQ(platform.desktop.notepad,
              (std::vector<QString>{"C:\\Kit\\README\\HDL PATCH README.txt",
                                    "C:\\Kit\\README\\PS2Packer 0.3 README.txt",
                                    "C:\\Kit\\README\\PS2Packer 0.4 README.txt"}));
    expectOnlyErrorNaming("C:\\Kit\\README\\PS2Packer 0.4 README.txt");
}

TEST_F(HelpWindowTest, WebEntriesAndLinksOpenTheirPagesEachTimeAndNameAFailure) {
    EXPECT_EQ(ui().mnuWEB->text(), page(communityHost()));
    EXPECT_EQ(ui().Label2->text(), page(communityHost()));
    EXPECT_EQ(ui().Label3->text(), page(fontBuilderPage()));
    ui().mnuWEB->trigger();
    ui().mnuList->trigger();
    QTest::mouseClick(ui().Label2, Qt::LeftButton);
    QTest::mouseClick(ui().Label2, Qt::LeftButton);
    QTest::mouseClick(ui().Label3, Qt::LeftButton);
    EXPECT_TRUE(platform.messages.shown.empty());
    platform.desktop.browserSucceeds = false;
    ui().mnuList->trigger();
    EXPECT_EQ(platform.desktop.web,
              (std::vector<QString>{page(communityHomePage()), page(gameCompatibilityList()),
                                    page(communityHomePage()), page(communityHomePage()),
                                    page(fontBuilderPage()), page(gameCompatibilityList())}));
    expectOnlyErrorNaming(page(gameCompatibilityList()));
}

TEST_F(HelpWindowTest, LinkLabelsShowTheirWholeCaptionClearOfTheHelpButton) {
    for (QLabel* label : {ui().Label2, ui().Label3})
        EXPECT_GE(label->width(), label->sizeHint().width()) << label->objectName().toStdString();
    EXPECT_FALSE(ui().Label3->geometry().intersects(ui().Command3->geometry()));
    EXPECT_TRUE(ui().Frame6->rect().contains(ui().Command3->geometry()));
}

TEST_F(HelpWindowTest, HoverFollowsTheSurfacesAndIgnoresOtherControls) {
    const QColor cyan{0x00, 0xFF, 0xFF};
    const QColor label3AtRest = activeBorderColour(ui().Frame6->palette());
    const auto colours = [this] {
        return std::pair{labelColour(ui().Label2), labelColour(ui().Label3)};
    };
    EXPECT_EQ(colours(), std::pair(cyan, label3AtRest));
    moveMouse(ui().Label2);
    moveMouse(ui().Label3);
    EXPECT_EQ(colours(), std::pair(kLinkUnderMouse, kLinkUnderMouse));
    // From a link straight onto controls inside the frames and on the window.
    for (QWidget* control : {ui().Command3, ui().Command4, ui().Command13, ui().Command2})
        moveMouse(control);
    EXPECT_EQ(colours(), std::pair(kLinkUnderMouse, kLinkUnderMouse));

    moveMouse(ui().Frame9, freePoint(ui().Frame9));
    EXPECT_EQ(colours(), std::pair(kLinkUnderMouse, label3AtRest));
    moveMouse(ui().Label3);
    moveMouse(ui().Frame6, freePoint(ui().Frame6));
    EXPECT_EQ(colours(), std::pair(kLinkUnderMouse, label3AtRest));
    moveMouse(ui().Label3);
    moveMouse(ui().centralwidget, freePoint(ui().centralwidget));
    EXPECT_EQ(colours(), std::pair(cyan, label3AtRest));
}

TEST_F(HelpWindowTest, AboutAndFontHelpShowOneWindowEachAfterTheFocusMovedAway) {
    std::vector<qsizetype> fontWindowsWhenSunk;
    window.context().focusSink = [&] {
        fontWindowsWhenSunk.push_back(window.findChildren<FontWindow*>().size());
    };
    for (int click = 0; click < 2; ++click) {
        ui().mnuAbout->trigger();
        QTest::mouseClick(ui().Command3, Qt::LeftButton);
    }
    EXPECT_EQ(fontWindowsWhenSunk, (std::vector<qsizetype>{0, 1}));
    const auto about = window.findChildren<AboutWindow*>();
    const auto font = window.findChildren<FontWindow*>();
    ASSERT_EQ(about.size(), 1);
    ASSERT_EQ(font.size(), 1);
    EXPECT_TRUE(about.front()->isVisible() && font.front()->isVisible());
    EXPECT_FALSE(font.front()->isModal());
    const QPoint offCentre = about.front()->geometry().center() - window.geometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 4) << "placed centred over the main window";
}

TEST_F(HelpWindowTest, AboutShowsCreditsScrollsThemAndClosesOnEnterEscapeOrOk) {
    AboutWindow* about = showAbout();
    EXPECT_EQ(about->windowTitle(), "About HDL Kelvane GUI");
    EXPECT_FALSE(about->isModal());
    auto* text1 = child<QLabel>(about, "text1");
    ASSERT_NE(text1, nullptr);
    EXPECT_EQ(text1->text(), QString::fromStdString(creditsText()).replace("\r\n", "\n"));
    auto* timer = about->findChild<QTimer*>("Timer1");
    ASSERT_TRUE(timer && timer->isActive());
    EXPECT_EQ(timer->interval(), 10);
    EXPECT_EQ(text1->y(), 93);  // 1400 twips
    for (int i = 0; i < 1552; ++i) about->tick();
    EXPECT_EQ(text1->pos(), QPoint(8, 113));  // restarted at 1700 twips

    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_unknown}) {
        QPointer<AboutWindow> closing = showAbout();
        if (key == Qt::Key_unknown)
            QTest::mouseClick(child<QPushButton>(closing, "cmdOK"), Qt::LeftButton);
        else
            QTest::keyClick(closing.data(), key);
        flushDeletions();
        EXPECT_TRUE(closing.isNull()) << "key " << key;
    }
}

TEST_F(HelpWindowTest, AboutRaisesTheOpenWindowAndRebuildsAClosedOne) {
    AboutWindow* first = showAbout();
    for (int i = 0; i < 40; ++i) first->tick();
    EXPECT_EQ(showAbout(), first);
    EXPECT_EQ(first->scroll().top(), 1400 - 120);

    QPointer<AboutWindow> closed = first;
    first->close();
    // Before its deferred deletion the closed window must not come back.
    AboutWindow* second = showAbout();
    EXPECT_NE(second, closed.data());
    EXPECT_EQ(second->scroll().top(), 1400);
    flushDeletions();
    EXPECT_TRUE(closed.isNull());
    EXPECT_EQ(window.findChildren<AboutWindow*>().size(), 1);
}

TEST_F(HelpWindowTest, LinkTurnsRedOffItsRestColourOnlyOnTheBareWindowAndOpensTheSite) {
    const QColor atRest{0xC0, 0xC0, 0xFF};
    AboutWindow* about = showAbout();
    auto* label = child<QLabel>(about, "Label2");
    EXPECT_EQ(label->text().toStdString(), communityHost());
    EXPECT_EQ(labelColour(label), atRest);
    moveMouse(label);
    EXPECT_EQ(labelColour(label), kLinkUnderMouse);
    moveMouse(child(about, "Picture1"));
    moveMouse(child(about, "cmdOK"));
    EXPECT_EQ(labelColour(label), kLinkUnderMouse) << "other controls leave the link red";
    moveMouse(about, {180, 120});  // between the link and the button
    EXPECT_EQ(labelColour(label), atRest);

    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(platform.desktop.web,
              std::vector<QString>{QString::fromStdString(communityHomePage())});
}

}  // namespace
}  // namespace kelvane
