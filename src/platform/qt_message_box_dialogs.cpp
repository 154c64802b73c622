#include "platform/qt_message_box_dialogs.h"

#include <QMessageBox>

#include "core/version.h"
#include "platform/qt_text.h"

namespace kelvane {

void QtMessageBoxes::show(const QString& text, MessageIcon icon) {
    QMessageBox::Icon qtIcon = QMessageBox::NoIcon;
    switch (icon) {
        case MessageIcon::None:
            qtIcon = QMessageBox::NoIcon;
            break;
        case MessageIcon::Information:
            qtIcon = QMessageBox::Information;
            break;
        case MessageIcon::Warning:
            qtIcon = QMessageBox::Warning;
            break;
        case MessageIcon::Error:
            qtIcon = QMessageBox::Critical;
            break;
    }
    QMessageBox box(qtIcon, qtText(kProgramTitle), text, QMessageBox::Ok, parent_);
    box.exec();
}

}  // namespace kelvane
