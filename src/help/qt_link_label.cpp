#include "help/qt_link_label.h"

#include <QEvent>
#include <QMouseEvent>

namespace kelvane {

namespace {

// Turns a press and release of the left button over the label into a click.
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
    label->installEventFilter(new ClickFilter(label, std::move(clicked)));
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
