#pragma once

#include <QObject>
#include <functional>

#include "help/readme_documents.h"
#include "platform/qt_app_context.h"

namespace Ui {
class MainWindow;
}

namespace kelvane {

// The main window's help furniture: the read-me menu, the about window, the
// web entries and link labels, and the font window's "HELP" button.
class HelpController : public QObject {
    Q_OBJECT
  public:
    // showFontWindow opens the font window over the given owner.
    HelpController(Ui::MainWindow& ui, AppContext& context,
                   std::function<void(QWidget*)> showFontWindow, QObject* parent);

  private:
    void setUpLinkLabels();
    void openReadme(ReadmeDocument document);
    void openPage(const std::string& address);
    void showFontHelp();

    Ui::MainWindow& ui_;
    AppContext& context_;
    std::function<void(QWidget*)> showFontWindow_;
};

}  // namespace kelvane
