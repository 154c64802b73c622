#pragma once

#include <QObject>
#include <functional>

#include "help/readme_documents.h"
#include "platform/qt_app_context.h"

class QAction;
class QLabel;
class QPushButton;

namespace kelvane {

// The main window's help furniture: the read-me menu, the about window, the
// web entries and link labels, and the font window's "HELP" button.
class HelpController : public QObject {
    Q_OBJECT
  public:
    struct Widgets {
        QAction* hdlPatchReadme;      // mnuHDLReadme
        QAction* packer03Readme;      // mnuPackReadme3
        QAction* packer04Readme;      // mnuPackReadme4
        QAction* about;               // mnuAbout
        QAction* communityPage;       // mnuWEB
        QAction* compatibilityList;   // mnuList
        QLabel* communityLink;        // Label2
        QLabel* fontBuilderLink;      // Label3
        QPushButton* fontHelpButton;  // Command3
        // Where the mouse puts the link labels back to their resting colour.
        QWidget* windowSurface;  // centralwidget
        QWidget* fontFrame;      // Frame6
        QWidget* skinFrame;      // Frame9
    };
    // showFontWindow opens the font window over the given owner.
    HelpController(Widgets widgets, AppContext& context,
                   std::function<void(QWidget*)> showFontWindow, QObject* parent);

  private:
    void setUpLinkLabels();
    void openReadme(ReadmeDocument document);
    void openPage(const std::string& address);
    void showFontHelp();

    Widgets widgets_;
    AppContext& context_;
    std::function<void(QWidget*)> showFontWindow_;
};

}  // namespace kelvane
