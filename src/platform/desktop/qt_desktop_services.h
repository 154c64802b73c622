#pragma once

#include <QString>

namespace kelvane {

// Opening a text file in the user's editor, a web address in the browser and
// a folder in the file manager. All return at once; on failure they return false and fill `error`
// with a sentence the caller can show (the caller names the file or address).
class DesktopServices {
  public:
    virtual ~DesktopServices() = default;
    virtual bool openInNotepad(const QString& path, QString* error) = 0;
    virtual bool openWebPage(const QString& address, QString* error) = 0;
    // Shows a folder in the desktop's file manager.
    virtual bool openFolder(const QString& folder, QString* error) = 0;
};

}  // namespace kelvane
