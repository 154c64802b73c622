#include "app/qt_keyboard_access.h"

#include <QAbstractSlider>
#include <QApplication>
#include <QButtonGroup>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include "ui_qt_main_window.h"

namespace kelvane {

namespace {

bool isMouseInput(QEvent::Type type) {
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
           type == QEvent::MouseButtonDblClick;
}

bool isKeyInput(QEvent::Type type) {
    return type == QEvent::KeyPress || type == QEvent::KeyRelease ||
           type == QEvent::ShortcutOverride || type == QEvent::Shortcut;
}

// Tab enters a group of options at the selected one, as arrow keys then move
// the selection within the group.
void enterOptionGroupAtSelection(QObject* watched, QEvent* event) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason) return;
    auto* option = qobject_cast<QRadioButton*>(watched);
    if (!option || !option->group() || !option->group()->exclusive()) return;
    QAbstractButton* selected = option->group()->checkedButton();
    if (selected && selected != option && selected->isEnabled()) selected->setFocus(reason);
}

}  // namespace

KeyboardAccess::KeyboardAccess(QWidget* area, QWidget* sink, QObject* parent)
    : QObject(parent), area_(area), sink_(sink) {
    qApp->installEventFilter(this);
}

KeyboardAccess::~KeyboardAccess() {
    qApp->removeEventFilter(this);
}

void KeyboardAccess::focusSinkAfterClick() {
    if (latestInputWasMouse_ && sink_) sink_->setFocus(Qt::MouseFocusReason);
}

bool KeyboardAccess::inArea(QObject* object) const {
    auto* widget = qobject_cast<QWidget*>(object);
    return widget && area_ && area_->isAncestorOf(widget);
}

bool KeyboardAccess::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (isMouseInput(type)) {
        latestInputWasMouse_ = true;
        // Once the click has been handled (and any message it raised has
        // been answered), the sink takes the focus.
        if (type == QEvent::MouseButtonRelease && inArea(watched) &&
            (qobject_cast<QAbstractButton*>(watched) || qobject_cast<QAbstractSlider*>(watched))) {
            QTimer::singleShot(0, this, [this] {
                if (latestInputWasMouse_ && sink_) sink_->setFocus(Qt::MouseFocusReason);
            });
        }
        return false;
    }
    if (type == QEvent::FocusIn && inArea(watched)) enterOptionGroupAtSelection(watched, event);
    if (isKeyInput(type)) {
        latestInputWasMouse_ = false;
        if (type == QEvent::KeyPress && inArea(watched)) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            auto* button = qobject_cast<QPushButton*>(watched);
            if (button && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
                button->animateClick();
                return true;
            }
        }
    }
    return false;
}

void setReadingTabOrder(Ui::MainWindow& ui) {
    const QList<QWidget*> order = {
        // Patches
        ui.Check1, ui.Check2, ui.Check3, ui.Check4, ui.Check5, ui.Check6, ui.Check7, ui.Option1,
        ui.Option2, ui.Option3, ui.Option4,
        // Language selector
        ui.Option5, ui.Option6, ui.Option7, ui.Option8, ui.Option9, ui.Option10, ui.Option11,
        // Video Position
        ui.textx, ui.textxhex, ui.VScroll2, ui.texty, ui.textyhex, ui.VScroll1, ui.Command1, ui.pal,
        ui.ntsc,
        // Skin: the top row, the right column of frames, then the bottom row
        ui.Command13, ui.Command8, ui.Command6, ui.textfont, ui.Command4, ui.Command3, ui.Label3,
        ui.textbutton, ui.Command14, ui.Command9, ui.Command10, ui.Command12, ui.Command11,
        ui.Text8, ui.Command7, ui.Text7, ui.Command5,
        // Bottom of the window
        ui.Label2, ui.text13, ui.Command2, ui.Check8};
    // The spinners are reached with Tab; a click on them does not take the focus.
    for (QScrollBar* spinner : {ui.VScroll1, ui.VScroll2}) spinner->setFocusPolicy(Qt::TabFocus);
    for (qsizetype i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void addButtonShortcuts(Ui::MainWindow& ui) {
    const struct {
        QAbstractButton* button;
        QKeySequence keys;
    } shortcuts[] = {
        {ui.Command2, QKeySequence(Qt::CTRL | Qt::Key_P)},
        {ui.Command13, QKeySequence(Qt::CTRL | Qt::Key_E)},
        {ui.Command8, QKeySequence(Qt::CTRL | Qt::Key_1)},
        {ui.Command6, QKeySequence(Qt::CTRL | Qt::Key_2)},
    };
    for (const auto& entry : shortcuts) {
        entry.button->setShortcut(entry.keys);
        entry.button->setToolTip(entry.button->text() + QStringLiteral(" (") +
                                 entry.keys.toString(QKeySequence::NativeText) + ')');
    }
}

}  // namespace kelvane
