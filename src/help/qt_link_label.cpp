#include "help/qt_link_label.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

namespace kelvane {

namespace {

// Turns a press and release of the left button over the label, or Enter or
// Space while it has the focus, into a click.
class ClickFilter : public QObject {
  public:
    ClickFilter(QLabel* label, std::function<void()> clicked)
        : QObject(label), label_(label), clicked_(std::move(clicked)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != label_) return false;
        if (event->type() == QEvent::MouseButtonPress) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            pressed_ = mouse->button() == Qt::LeftButton;
            return pressed_;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton || !pressed_) return false;
            pressed_ = false;
            if (label_->rect().contains(mouse->position().toPoint())) clicked_();
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            switch (static_cast<QKeyEvent*>(event)->key()) {
                case Qt::Key_Return:
                case Qt::Key_Enter:
                case Qt::Key_Space:
                    clicked_();
                    return true;
                default:
                    return false;
            }
        }
        // The focus frame takes the dot of margin kept free for it, so the
        // text does not move.
        if (event->type() == QEvent::FocusIn) {
            label_->setContentsMargins(0, 0, 0, 0);
            label_->setFrameStyle(QFrame::Box | QFrame::Plain);
        } else if (event->type() == QEvent::FocusOut) {
            label_->setFrameStyle(QFrame::NoFrame);
            label_->setContentsMargins(1, 1, 1, 1);
        }
        return false;
    }

  private:
    QLabel* label_;
    std::function<void()> clicked_;
    bool pressed_ = false;
};

}  // namespace

void makeLinkLabel(QLabel* label, QFont font, std::function<void()> clicked) {
    font.setUnderline(true);
    label->setFont(font);
    label->setAutoFillBackground(false);
    label->setCursor(Qt::PointingHandCursor);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    label->setMouseTracking(true);
    label->setFocusPolicy(Qt::TabFocus);
    label->setFrameStyle(QFrame::NoFrame);
    label->setLineWidth(1);
    label->setContentsMargins(1, 1, 1, 1);
    label->installEventFilter(new ClickFilter(label, std::move(clicked)));
}

QColor windowFrameColour(const QPalette& palette) {
    QColor darkest = palette.color(QPalette::WindowText);
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Shadow}) {
        const QColor colour = palette.color(role);
        if (relativeLuminance(colour) < relativeLuminance(darkest)) darkest = colour;
    }
    return darkest;
}

QColor activeBorderColour(const QPalette& palette) {
    return readableOn(windowFrameColour(palette),
                      {palette.color(QPalette::Highlight), palette.color(QPalette::Light),
                       palette.color(QPalette::Midlight), palette.color(QPalette::Window),
                       palette.color(QPalette::WindowText)});
}

void setLabelColour(QLabel* label, const QColor& colour) {
    if (labelColour(label) == colour) return;
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

QColor labelColour(const QLabel* label) {
    return label->palette().color(QPalette::WindowText);
}

}  // namespace kelvane
