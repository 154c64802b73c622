#pragma once

#include <QString>
#include <QStringList>

#include "core/message_icon.h"

namespace kelvane {

// Every message box of the program goes through this, so tests can run
// headless and see exactly what the user was told. Each box has the caption
// "HDL Kelvane GUI"; show() has an OK button and returns when the user closed
// it.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual void show(const QString& text, MessageIcon icon) = 0;

    // Asks a question with the given buttons, left to right, and returns the
    // index of the one pressed. The last button is the escape answer: closing
    // the box any other way returns it too. The default shows the text and
    // answers with the last button, so a box that cannot ask never agrees.
    virtual int ask(const QString& text, MessageIcon icon, const QStringList& buttons) {
        show(text, icon);
        return buttons.isEmpty() ? -1 : int(buttons.size()) - 1;
    }
};

}  // namespace kelvane
