#include "platform/layout/qt_accessible_names.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QWidget>

namespace kelvane {

namespace {

QString withoutMnemonics(QString text) {
    static const QRegularExpression mnemonic(QStringLiteral("&(?!&)"));
    text.remove(mnemonic);
    return text.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

// The title of the frame that holds `control`, or the window's title.
QString enclosingTitle(const QWidget* control) {
    for (const QWidget* up = control->parentWidget(); up; up = up->parentWidget()) {
        if (auto* box = qobject_cast<const QGroupBox*>(up); box && !box->title().isEmpty())
            return withoutMnemonics(box->title());
        if (up->isWindow()) return up->windowTitle();
    }
    return {};
}

QString ownCaption(const QWidget* control) {
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return withoutMnemonics(button->text());
    if (auto* box = qobject_cast<const QGroupBox*>(control)) return withoutMnemonics(box->title());
    if (auto* label = qobject_cast<const QLabel*>(control)) return label->text();
    return {};
}

bool isPlainContainer(const QWidget* widget) {
    return widget->metaObject() == &QWidget::staticMetaObject;
}

void nameChildren(QWidget* parent) {
    for (QObject* child : parent->children()) {
        auto* control = qobject_cast<QWidget*>(child);
        if (!control || control->isWindow()) continue;
        // Frames and plain containers hold further controls; compound
        // controls such as text editors name their own parts.
        if (qobject_cast<QGroupBox*>(control) || isPlainContainer(control)) nameChildren(control);
        if (isPlainContainer(control)) continue;
        const QString frame = enclosingTitle(control);
        QString name = control->accessibleName();
        if (name.isEmpty()) {
            const QString caption = ownCaption(control);
            name = caption.isEmpty() ? frame : caption;
            if (name.isEmpty()) continue;
            control->setAccessibleName(name);
        }
        if (!frame.isEmpty() && frame != name && control->accessibleDescription().isEmpty())
            control->setAccessibleDescription(frame);
    }
}

}  // namespace

void nameControls(QWidget* root) {
    nameChildren(root);
}

}  // namespace kelvane
