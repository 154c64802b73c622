#include "help/qt_help_controller.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

#include "help/qt_about_window.h"
#include "help/qt_link_hover_controller.h"
#include "help/qt_link_label.h"
#include "help/web_addresses.h"
#include "platform/desktop/qt_open_with_report.h"
#include "platform/layout/qt_font_families.h"
#include "platform/layout/qt_program_font.h"
#include "platform/qt_text.h"

namespace kelvane {

namespace {

// Families tried in order, so that systems without the Windows fonts get a
// close relative rather than an arbitrary default; with none of them
// installed, the window's font. The size grows with the program's font.
QFont linkFont(const QStringList& families, qreal pointSize, bool bold) {
    QFont font;
    if (const QStringList installed = installedFamilies(families); !installed.isEmpty())
        font.setFamilies(installed);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return grownLikeProgramFont(font);
}

}  // namespace

HelpController::HelpController(Widgets widgets, AppContext& context,
                               std::function<void(QWidget*)> showFontWindow, QObject* parent)
    : QObject(parent),
      widgets_(widgets),
      context_(context),
      showFontWindow_(std::move(showFontWindow)) {
    connect(widgets_.hdlPatchReadme, &QAction::triggered, this,
            [this] { openReadme(ReadmeDocument::HdlPatch); });
    connect(widgets_.packer03Readme, &QAction::triggered, this,
            [this] { openReadme(ReadmeDocument::PackerV03); });
    connect(widgets_.packer04Readme, &QAction::triggered, this,
            [this] { openReadme(ReadmeDocument::PackerV04); });

    connect(widgets_.about, &QAction::triggered, this,
            [this] { showAboutWindow(context_.desktop, context_.messages, context_.mainWindow); });

    widgets_.communityPage->setText(qtText(communityHost()));
    connect(widgets_.communityPage, &QAction::triggered, this,
            [this] { openPage(communityHomePage()); });
    connect(widgets_.compatibilityList, &QAction::triggered, this,
            [this] { openPage(gameCompatibilityList()); });

    setUpLinkLabels();

    connect(widgets_.fontHelpButton, &QPushButton::clicked, this, &HelpController::showFontHelp);
}

void HelpController::setUpLinkLabels() {
    widgets_.communityLink->setText(qtText(communityHost()));
    makeLinkLabel(
        widgets_.communityLink,
        linkFont({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue")}, 9, true),
        [this] { openPage(communityHomePage()); });

    widgets_.fontBuilderLink->setText(qtText(fontBuilderPage()));
    makeLinkLabel(widgets_.fontBuilderLink,
                  linkFont({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                            QStringLiteral("Liberation Sans"), QStringLiteral("Arial")},
                           8.25, false),
                  [this] { openPage(fontBuilderPage()); });

    // The main window sizes both links to their text when it lays out.
    new LinkHoverController({widgets_.communityLink, widgets_.fontBuilderLink,
                             widgets_.windowSurface, widgets_.fontFrame, widgets_.skinFrame},
                            this);
}

void HelpController::openReadme(ReadmeDocument document) {
    openDocument(context_.desktop, context_.messages,
                 qtText(readmePath(context_.kitDir, document)));
}

void HelpController::openPage(const std::string& address) {
    openWebAddress(context_.desktop, context_.messages, qtText(address));
}

void HelpController::showFontHelp() {
    context_.focusSink();
    showFontWindow_(context_.mainWindow);
}

}  // namespace kelvane
