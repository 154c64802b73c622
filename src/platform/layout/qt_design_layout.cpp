#include "platform/layout/qt_design_layout.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <algorithm>
#include <cmath>

namespace kelvane {

namespace {

// Scaling stops growing here; a window that still does not fit its texts at
// this size has a fault of its own.
constexpr int kMaxFitRounds = 40;

QString withoutMnemonics(QString text) {
    static const QRegularExpression mnemonic(QStringLiteral("&(?!&)"));
    text.remove(mnemonic);
    return text;
}

// Whether `widget` holds controls that are placed by hand and so belong to
// the design: frames and plain containers, not compound controls such as
// text editors, whose parts are placed by the control itself.
bool holdsDesignedControls(const QWidget* widget) {
    return qobject_cast<const QGroupBox*>(widget) ||
           widget->metaObject() == &QWidget::staticMetaObject;
}

void collect(QWidget* parent, std::vector<QWidget*>& out) {
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget->isWindow()) continue;
        out.push_back(widget);
        if (holdsDesignedControls(widget)) collect(widget, out);
    }
}

QSize pushButtonSize(const QPushButton* button) {
    // A button that draws its caption in its own way says so in its hint.
    if (button->inherits("kelvane::StackedCaptionButton")) return button->sizeHint();
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.rect = button->rect();
    const QRect contents =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const QFontMetrics metrics(button->font());
    const int textWidth = metrics.horizontalAdvance(withoutMnemonics(button->text()));
    // Two dots beside the text keep it clear of the button's edge.
    return {textWidth + 2 + button->width() - contents.width(),
            metrics.height() + button->height() - contents.height()};
}

QSize lineEditSize(const QLineEdit* field) {
    QStyleOptionFrame option;
    option.initFrom(field);
    option.rect = field->rect();
    option.lineWidth = field->hasFrame() ? field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth,
                                                                       &option, field)
                                         : 0;
    const QRect contents =
        field->style()->subElementRect(QStyle::SE_LineEditContents, &option, field);
    const QMargins margins = field->textMargins();
    const QFontMetrics metrics(field->font());
    // A line edit keeps two dots free at each side of its text and one above
    // and below it; one more dot holds the cursor.
    const int chromeWidth =
        field->width() - contents.width() + margins.left() + margins.right() + 2 * 2 + 1;
    const int chromeHeight =
        field->height() - contents.height() + margins.top() + margins.bottom() + 2 * 1;
    const int textWidth = field->text().isEmpty() ? 0 : metrics.horizontalAdvance(field->text());
    return {textWidth + chromeWidth, metrics.height() + chromeHeight};
}

QRect groupBoxTitle(const QGroupBox* box) {
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.lineWidth = 1;
    option.midLineWidth = 0;
    option.textAlignment = box->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    option.features = box->isFlat() ? QStyleOptionFrame::Flat : QStyleOptionFrame::None;
    option.rect = box->rect();
    return box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel,
                                        box);
}

}  // namespace

QSize sizeForText(const QWidget* control) {
    if (auto* button = qobject_cast<const QPushButton*>(control)) return pushButtonSize(button);
    if (qobject_cast<const QCheckBox*>(control) || qobject_cast<const QRadioButton*>(control)) {
        // Across: the indicator, its spacing and the caption, as the control
        // itself reckons. Down: the taller of caption and indicator.
        const bool radio = qobject_cast<const QRadioButton*>(control);
        const int indicator = control->style()->pixelMetric(
            radio ? QStyle::PM_ExclusiveIndicatorHeight : QStyle::PM_IndicatorHeight, nullptr,
            control);
        return {control->sizeHint().width(),
                std::max(QFontMetrics(control->font()).height(), indicator)};
    }
    if (auto* field = qobject_cast<const QLineEdit*>(control)) return lineEditSize(field);
    if (auto* box = qobject_cast<const QGroupBox*>(control)) {
        if (box->title().isEmpty()) return {};
        const QRect title = groupBoxTitle(box);
        // As much room after the title as before it.
        return {title.right() + 1 + std::max(0, title.left()), title.bottom() + 1};
    }
    if (auto* label = qobject_cast<const QLabel*>(control)) {
        if (label->text().isEmpty()) return {};
        if (label->wordWrap()) return {0, label->heightForWidth(label->width())};
        return label->sizeHint();
    }
    return {};
}

DesignLayout::DesignLayout(QWidget* root) : root_(root), rootSize_(root->size()) {
    std::vector<QWidget*> controls;
    collect(root, controls);
    for (QWidget* control : controls) {
        if (control->parentWidget()->layout()) continue;
        placed_.push_back({control, control->geometry()});
    }
}

void DesignLayout::apply(DialogScale scale) {
    if (!root_) return;
    for (const Placed& placed : placed_)
        if (placed.widget) placed.widget->setGeometry(scaledRect(placed.design, scale));
    root_->setFixedSize(scaledRect(QRect(QPoint(0, 0), rootSize_), scale).size());
}

DialogScale DesignLayout::neededScale() const {
    DialogScale needed{0.0, 0.0};
    for (const Placed& placed : placed_) {
        if (!placed.widget || placed.design.isEmpty()) continue;
        const QSize size = sizeForText(placed.widget);
        if (!size.isValid()) continue;
        // One dot more than needed: rounding the edges may take one away.
        needed.x = std::max(needed.x, (size.width() + 1.0) / placed.design.width());
        needed.y = std::max(needed.y, (size.height() + 1.0) / placed.design.height());

        // A frame's controls stand below its title.
        if (auto* box = qobject_cast<QGroupBox*>(placed.widget.data());
            box && !box->title().isEmpty()) {
            const int titleBottom = groupBoxTitle(box).bottom() + 1;
            for (const Placed& inner : placed_) {
                if (!inner.widget || inner.widget->parentWidget() != box) continue;
                if (inner.design.y() > 0)
                    needed.y = std::max(needed.y, (titleBottom + 1.0) / inner.design.y());
            }
        }
    }
    return needed;
}

DialogScale DesignLayout::fit(DialogScale start) {
    DialogScale scale = start;
    apply(scale);
    for (int round = 0; round < kMaxFitRounds; ++round) {
        const DialogScale needed = neededScale();
        if (needed.x <= scale.x && needed.y <= scale.y) break;
        // A little beyond what is needed, so that rounding settles at once.
        if (needed.x > scale.x) scale.x = needed.x * 1.005;
        if (needed.y > scale.y) scale.y = needed.y * 1.005;
        apply(scale);
    }
    return scale;
}

}  // namespace kelvane
