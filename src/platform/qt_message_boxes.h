#pragma once

#include <QString>

#include "core/message_icon.h"

namespace kelvane {

// Every message box of the program goes through this, so tests can run
// headless and see exactly what the user was told. Each box has an OK button
// and the caption "HDL Kelvane GUI"; show() returns when the user closed it.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual void show(const QString& text, MessageIcon icon) = 0;
};

}  // namespace kelvane
