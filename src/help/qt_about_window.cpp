#include "help/qt_about_window.h"

#include <QMouseEvent>
#include <QTimer>
#include <cmath>

#include "core/version.h"
#include "help/credits_text.h"
#include "help/qt_link_label.h"
#include "help/web_addresses.h"
#include "platform/desktop/qt_open_with_report.h"
#include "platform/layout/qt_design_layout.h"
#include "platform/qt_text.h"
#include "ui_qt_about_window.h"

namespace kelvane {

namespace {

const QColor kLabel2AtRest{0xC0, 0xC0, 0xFF};
constexpr int kTickMilliseconds = 10;

// The credits are held with CR LF line ends; a label breaks lines at LF only
// and would draw each CR as a blank.
QString creditsForDisplay() {
    return qtText(creditsText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

AboutWindow::AboutWindow(DesktopServices& desktop, MessageBoxes& messages, QWidget* owner)
    : QDialog(owner), ui_(std::make_unique<Ui::AboutWindow>()), timer_(new QTimer(this)) {
    ui_->setupUi(this);
    DesignLayout layout(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("About ") + QString::fromLatin1(kProgramTitle));

    // Dark frame shade behind the band and the window, credits in the
    // active-border colour.
    QPalette framePalette = palette();
    framePalette.setColor(QPalette::Window, windowFrameColour(palette()));
    setPalette(framePalette);
    setAutoFillBackground(true);
    ui_->Picture1->setAutoFillBackground(true);
    QPalette textPalette = ui_->text1->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        textPalette.setColor(group, QPalette::WindowText, activeBorderColour(palette()));
    }
    ui_->text1->setPalette(textPalette);
    ui_->text1->setText(creditsForDisplay());

    // The rule is drawn on the window itself: the window's surface includes it.
    ui_->Line1->setAttribute(Qt::WA_TransparentForMouseEvents);

    // The link is the window's font in bold, so it follows the desktop's
    // font size like every other text.
    QFont linkFont = font();
    linkFont.setBold(true);
    makeLinkLabel(ui_->Label2, linkFont, [&desktop, &messages] {
        openWebAddress(desktop, messages, qtText(communityHomePage()));
    });
    ui_->Label2->setText(qtText(communityHost()));
    setLabelColour(ui_->Label2, kLabel2AtRest);
    ui_->Label2->installEventFilter(this);
    setMouseTracking(true);

    connect(ui_->cmdOK, &QPushButton::clicked, this, &QWidget::close);
    // "OK" comes first, then the link, which is reached with Tab too.
    setTabOrder(ui_->cmdOK, ui_->Label2);
    ui_->cmdOK->setFocus();

    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(kTickMilliseconds);
    connect(timer_, &QTimer::timeout, this, &AboutWindow::tick);
    // Sized for the font in use; the credits scroll in design units.
    scale_ = layout.fit(fontScale(font()));
    placeCredits();
    timer_->start();
}

AboutWindow::~AboutWindow() = default;

void AboutWindow::tick() {
    scroll_.tick();
    placeCredits();
}

void AboutWindow::placeCredits() {
    const double designTop = scroll_.top() / double(kTwipsPerDesignUnit);
    ui_->text1->move(ui_->text1->x(), int(std::floor(designTop * scale_.y)));
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->Label2 && event->type() == QEvent::MouseMove) {
        setLabelColour(ui_->Label2, kLinkUnderMouse);
    }
    return QDialog::eventFilter(watched, event);
}

void AboutWindow::mouseMoveEvent(QMouseEvent* event) {
    // Movements that reach the window from one of its controls do not count.
    if (!childAt(event->position().toPoint())) setLabelColour(ui_->Label2, kLabel2AtRest);
    QDialog::mouseMoveEvent(event);
}

AboutWindow* showAboutWindow(DesktopServices& desktop, MessageBoxes& messages, QWidget* owner) {
    // A closed window stays hidden until its deferred deletion; it never
    // comes back.
    AboutWindow* window = nullptr;
    for (AboutWindow* child : owner->findChildren<AboutWindow*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isHidden()) window = child;
    }
    if (!window) window = new AboutWindow(desktop, messages, owner);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace kelvane
