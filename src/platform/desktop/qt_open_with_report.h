#pragma once

#include <QString>

#include "platform/desktop/qt_desktop_services.h"
#include "platform/desktop/qt_message_boxes.h"

namespace kelvane {

// Opens a text document in the user's editor. If the document is missing or
// the editor cannot be started, an error box names the file so that the user
// can open it another way.
// Returns whether the editor was started.
bool openDocument(DesktopServices& desktop, MessageBoxes& messages, const QString& path);

// Shows the folder that holds `file` in the file manager; on failure an
// error box names the folder. Returns whether the file manager was started.
bool openContainingFolder(DesktopServices& desktop, MessageBoxes& messages, const QString& file);

// Shows a web address in the browser; on failure an error box names the
// address. Returns whether the browser was started.
bool openWebAddress(DesktopServices& desktop, MessageBoxes& messages, const QString& address);

}  // namespace kelvane
