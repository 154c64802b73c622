#include "help/qt_help_controller.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

#include "help/qt_about_window.h"
#include "help/qt_link_hover_controller.h"
#include "help/qt_link_label.h"
#include "help/web_addresses.h"
#include "platform/qt_open_with_report.h"
#include "ui_qt_main_window.h"

namespace kelvane {

namespace {

// Families tried in order, so that systems without the Windows fonts get a
// close relative rather than an arbitrary default.
QFont linkFont(const QStringList& families, qreal pointSize, bool bold) {
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

}  // namespace

HelpController::HelpController(Ui::MainWindow& ui, AppContext& context,
                               std::function<void(QWidget*)> showFontWindow, QObject* parent)
    : QObject(parent), ui_(ui), context_(context), showFontWindow_(std::move(showFontWindow)) {
    connect(ui_.mnuHDLReadme, &QAction::triggered, this,
            [this] { openReadme(ReadmeDocument::HdlPatch); });
    connect(ui_.mnuPackReadme3, &QAction::triggered, this,
            [this] { openReadme(ReadmeDocument::PackerV03); });
    connect(ui_.mnuPackReadme4, &QAction::triggered, this,
            [this] { openReadme(ReadmeDocument::PackerV04); });

    connect(ui_.mnuAbout, &QAction::triggered, this,
            [this] { showAboutWindow(context_.desktop, context_.messages, context_.mainWindow); });

    ui_.mnuWEB->setText(QString::fromStdString(communityHost()));
    connect(ui_.mnuWEB, &QAction::triggered, this, [this] { openPage(communityHomePage()); });
    connect(ui_.mnuList, &QAction::triggered, this, [this] { openPage(gameCompatibilityList()); });

    setUpLinkLabels();

    connect(ui_.Command3, &QPushButton::clicked, this, &HelpController::showFontHelp);
}

void HelpController::setUpLinkLabels() {
    ui_.Label2->setText(QString::fromStdString(communityHost()));
    makeLinkLabel(
        ui_.Label2,
        linkFont({QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue")}, 9, true),
        [this] { openPage(communityHomePage()); });
    ui_.Label2->resize(ui_.Label2->sizeHint().expandedTo(ui_.Label2->size()));

    ui_.Label3->setText(QString::fromStdString(fontBuilderPage()));
    makeLinkLabel(ui_.Label3,
                  linkFont({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                            QStringLiteral("Liberation Sans"), QStringLiteral("Arial")},
                           8.25, false),
                  [this] { openPage(fontBuilderPage()); });
    ui_.Label3->resize(ui_.Label3->sizeHint().expandedTo(ui_.Label3->size()));
    // The full address takes the frame's lower row; when it reaches the
    // "HELP" button, the button moves up to the free end of the title line.
    if (ui_.Label3->geometry().intersects(ui_.Command3->geometry())) {
        ui_.Command3->move(ui_.Command3->x(), 0);
    }

    new LinkHoverController({ui_.Label2, ui_.Label3, ui_.centralwidget, ui_.Frame6, ui_.Frame9},
                            this);
}

void HelpController::openReadme(ReadmeDocument document) {
    openDocument(context_.desktop, context_.messages,
                 QString::fromStdString(readmePath(context_.kitDir, document)));
}

void HelpController::openPage(const std::string& address) {
    openWebAddress(context_.desktop, context_.messages, QString::fromStdString(address));
}

void HelpController::showFontHelp() {
    context_.focusSink();
    showFontWindow_(context_.mainWindow);
}

}  // namespace kelvane
