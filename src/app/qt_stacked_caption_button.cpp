#include "app/qt_stacked_caption_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>

namespace kelvane {

namespace {
// Dots kept free between the letters and the button's edge on every side.
constexpr int kPadding = 3;
}  // namespace

QSize StackedCaptionButton::sizeHint() const {
    const QFontMetrics metrics(font());
    int widest = 0;
    for (const QChar letter : text()) widest = std::max(widest, metrics.horizontalAdvance(letter));
    return {widest + 2 * kPadding, metrics.height() * int(text().size()) + 2 * kPadding};
}

void StackedCaptionButton::paintEvent(QPaintEvent* /*event*/) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    const QString caption = text();
    if (caption.isEmpty()) return;
    const QFontMetrics metrics(font());
    const int lineHeight = metrics.height();
    const int top = (height() - lineHeight * int(caption.size())) / 2;
    const QPalette::ColorRole role = QPalette::ButtonText;
    for (int i = 0; i < caption.size(); ++i) {
        const QRect line(0, top + i * lineHeight, width(), lineHeight);
        style()->drawItemText(&painter, line, Qt::AlignCenter, palette(), isEnabled(),
                              QString(caption.at(i)), role);
    }
}

}  // namespace kelvane
