#pragma once

#include <QUrl>
#include <functional>

#include "platform/desktop/qt_desktop_services.h"

namespace kelvane {

// Opens text files in the editor and web pages in the browser.
//
// On Windows a text file opens in Notepad from the system directory with the
// command line notepad.exe "<path>". Elsewhere it opens in the desktop's
// application for the file, once the file is known to exist. Web pages open
// in the default browser. The opener (QDesktopServices::openUrl unless given)
// can be replaced, so that tests need no desktop.
class QtDesktopServices : public DesktopServices {
  public:
    using UrlOpener = std::function<bool(const QUrl&)>;

    explicit QtDesktopServices(UrlOpener opener = {});

    bool openInNotepad(const QString& path, QString* error) override;
    bool openWebPage(const QString& address, QString* error) override;
    bool openFolder(const QString& folder, QString* error) override;

  private:
    // Hands a local file or folder to the opener once `present` holds; on
    // failure `error` gets the text for what went wrong.
    bool openLocal(const QString& path, bool present, const QString& missingText,
                   const QString& notStartedText, QString* error);

    UrlOpener opener_;
};

}  // namespace kelvane
