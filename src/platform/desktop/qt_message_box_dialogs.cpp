#include "platform/desktop/qt_message_box_dialogs.h"

#include <QMessageBox>
#include <QPushButton>

#include "core/version.h"
#include "platform/qt_text.h"

namespace kelvane {
namespace {

QMessageBox::Icon toQtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::None:
            return QMessageBox::NoIcon;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Error:
            return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void QtMessageBoxes::show(const QString& text, MessageIcon icon) {
    QMessageBox box(toQtIcon(icon), qtText(kProgramTitle), text, QMessageBox::Ok, parent_);
    box.exec();
}

int QtMessageBoxes::ask(const QString& text, MessageIcon icon, const QStringList& buttons) {
    if (buttons.isEmpty()) {
        show(text, icon);
        return -1;
    }
    QMessageBox box(toQtIcon(icon), qtText(kProgramTitle), text, QMessageBox::NoButton, parent_);
    QList<QPushButton*> pushButtons;
    for (const QString& caption : buttons)
        pushButtons << box.addButton(caption, QMessageBox::ActionRole);
    box.setDefaultButton(pushButtons.first());
    box.setEscapeButton(pushButtons.last());
    box.exec();
    const qsizetype chosen = pushButtons.indexOf(qobject_cast<QPushButton*>(box.clickedButton()));
    return chosen < 0 ? int(buttons.size()) - 1 : int(chosen);
}

}  // namespace kelvane
