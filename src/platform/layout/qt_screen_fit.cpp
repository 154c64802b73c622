#include "platform/layout/qt_screen_fit.h"

#include <QApplication>
#include <QEvent>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QWindow>
#include <cmath>

namespace kelvane {

namespace {

// A usual title bar and border, in the screen's own dots, assumed until the
// window manager has framed the window.
constexpr FrameMargins kAssumedFrame{4, 36, 4, 4};

bool operator==(const FrameMargins& a, const FrameMargins& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

ScreenFit::ScreenFit(QMainWindow* window, std::function<QRect()> availableArea)
    : QObject(window), window_(window), watched_(window), availableArea_(std::move(availableArea)) {
    window->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { showFocused(now); });
    fit();
}

ScreenFit::~ScreenFit() = default;

QWidget* ScreenFit::form() const {
    return scroll_ ? scroll_->widget() : window_->centralWidget();
}

FrameMargins ScreenFit::frameMargins() const {
    const QRect outer = window_->frameGeometry();
    const QRect inner = window_->geometry();
    if (window_->isVisible() && outer != inner)
        return {inner.left() - outer.left(), inner.top() - outer.top(),
                outer.right() - inner.right(), outer.bottom() - inner.bottom()};
    const double ratio = window_->devicePixelRatioF();
    const auto dots = [ratio](int device) { return int(std::lround(device / ratio)); };
    return {dots(kAssumedFrame.left), dots(kAssumedFrame.top), dots(kAssumedFrame.right),
            dots(kAssumedFrame.bottom)};
}

void ScreenFit::fit() {
    fitPending_ = false;
    QWidget* content = form();
    if (!window_ || !content) return;
    followScreen();
    const QRect area = availableArea_ ? availableArea_() : window_->screen()->availableGeometry();
    fittedFrame_ = frameMargins();
    const int bars =
        window_->menuBar()->sizeHint().height() + window_->statusBar()->sizeHint().height();
    const WindowFit fit = fitWindow(
        {area.width(), area.height()}, fittedFrame_, {content->width(), content->height()}, bars,
        window_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, window_));
    if (!fit.scrolls()) {
        unscrollForm();
        return;
    }
    scrollForm();
    window_->setFixedSize(fit.window.width, fit.window.height);
    // The whole frame inside the available area.
    const int outerWidth = fit.window.width + fittedFrame_.left + fittedFrame_.right;
    const int outerHeight = fit.window.height + fittedFrame_.top + fittedFrame_.bottom;
    const QPoint at = window_->frameGeometry().topLeft();
    const int x = qBound(area.left(), at.x(), qMax(area.left(), area.right() + 1 - outerWidth));
    const int y = qBound(area.top(), at.y(), qMax(area.top(), area.bottom() + 1 - outerHeight));
    if (QPoint(x, y) != at) window_->move(x, y);
}

void ScreenFit::scrollForm() {
    if (scroll_) return;
    QWidget* focused = QApplication::focusWidget();
    QWidget* content = window_->takeCentralWidget();
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("formScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    // Tab goes from control to control, not to the area they scroll in.
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setWidget(content);
    content->show();
    window_->setCentralWidget(scroll);
    if (window_->isVisible()) scroll->show();
    scroll_ = scroll;
    // The window's size is set from the fit now, not from its form.
    window_->layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
    if (focused && content->isAncestorOf(focused)) focused->setFocus();
}

void ScreenFit::unscrollForm() {
    if (!scroll_) return;
    QWidget* focused = QApplication::focusWidget();
    QWidget* content = scroll_->takeWidget();
    window_->setCentralWidget(content);  // the empty scroll area goes
    content->show();
    scroll_ = nullptr;
    window_->setMinimumSize(0, 0);
    window_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    window_->layout()->setSizeConstraint(QLayout::SetFixedSize);
    if (focused && content->isAncestorOf(focused)) focused->setFocus();
}

void ScreenFit::followScreen() {
    QScreen* screen = window_->screen();
    if (screen == screen_) return;
    if (screen_) disconnect(screen_, nullptr, this, nullptr);
    screen_ = screen;
    connect(screen, &QScreen::availableGeometryChanged, this, &ScreenFit::fit);
}

void ScreenFit::showFocused(QWidget* now) {
    if (!scroll_ || !now || !scroll_->widget() || !scroll_->widget()->isAncestorOf(now)) return;
    // A control clicked is in view already, and one of no size (a focus
    // holder) has nothing to show: the form stays where the user left it.
    if (QGuiApplication::mouseButtons() != Qt::NoButton || now->size().isEmpty()) return;
    scroll_->ensureWidgetVisible(now);
}

bool ScreenFit::eventFilter(QObject* watched, QEvent* event) {
    if (watched != watched_) return false;
    switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::ScreenChangeInternal:
            // Once framed, or moved to another screen: fit again if the frame
            // or the screen is not the one fitted to.
            if (!fitPending_ && window_->isVisible() &&
                (!(frameMargins() == fittedFrame_) || window_->screen() != screen_)) {
                fitPending_ = true;
                QTimer::singleShot(0, this, &ScreenFit::fit);
            }
            break;
        default:
            break;
    }
    return false;
}

}  // namespace kelvane
