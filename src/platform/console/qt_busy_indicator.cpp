#include "platform/console/qt_busy_indicator.h"

#include <QPainter>

namespace kelvane {
namespace {

constexpr int kSteps = 16;       // positions of the block from one end to the other
constexpr int kIntervalMs = 80;  // one position every so often

}  // namespace

BusyIndicator::BusyIndicator(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    timer_.setInterval(kIntervalMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
        step_ = (step_ + 1) % (2 * kSteps);
        update();
    });
}

void BusyIndicator::setBusy(bool busy) {
    if (busy) {
        timer_.start();
    } else {
        timer_.stop();
    }
    setVisible(busy);
}

void BusyIndicator::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect track = rect().adjusted(0, 0, -1, -1);
    painter.setPen(palette().color(QPalette::Mid));
    painter.setBrush(palette().color(QPalette::Base));
    painter.drawRect(track);
    const int position = step_ < kSteps ? step_ : 2 * kSteps - step_;
    const int block = track.width() / 4;
    const int x = track.left() + 1 + (track.width() - block - 1) * position / kSteps;
    painter.fillRect(QRect(x, track.top() + 1, block, track.height() - 1),
                     palette().color(QPalette::Highlight));
}

}  // namespace kelvane
