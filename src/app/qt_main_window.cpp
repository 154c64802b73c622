#include "app/qt_main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFont>
#include <QFontInfo>
#include <QLabel>
#include <QLayout>
#include <QPalette>
#include <QRadioButton>
#include <QStatusBar>

#include "app/preview_cleanup.h"
#include "app/qt_banner.h"
#include "app/qt_keyboard_access.h"
#include "app/qt_main_window_names.h"
#include "app/qt_open_loader_controller.h"
#include "app/startup.h"
#include "help/qt_help_controller.h"
#include "patch/qt_patch_run_controller.h"
#include "patch/qt_patch_switches_controller.h"
#include "patch/qt_video_position_controller.h"
#include "platform/layout/qt_accessible_names.h"
#include "platform/layout/qt_design_layout.h"
#include "platform/layout/qt_font_families.h"
#include "platform/qt_text.h"
#include "skin/qt_colour_table_controller.h"
#include "skin/qt_extraction_controller.h"
#include "skin/qt_font_window.h"
#include "skin/qt_image_slots_controller.h"
#include "skin/qt_skin_tools_controller.h"
#include "ui_qt_main_window.h"

namespace kelvane {

namespace {

const QColor kCaptionYellow(0xFF, 0xFF, 0xC0);

QPalette optionPalette(QPalette palette) {
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, kCaptionYellow);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, kCaptionYellow.darker(170));
    palette.setColor(QPalette::Disabled, QPalette::Base, QColor(0xC0, 0xC0, 0xC0));
    return palette;
}

constexpr const char* kStatusPanel3Text = "HDLPatch + PS2-Packer";

}  // namespace

MainWindow::MainWindow(ProgramDirectory programDir, PlatformServices services, QWidget* parent)
    : MainWindow(programDir, programDir, services, parent) {}

MainWindow::MainWindow(ProgramDirectory workDir, ProgramDirectory kitDir, PlatformServices services,
                       QWidget* parent)
    : QMainWindow(parent), ui_(std::make_unique<Ui::MainWindow>()) {
    ui_->setupUi(this);
    designLayout_ = std::make_unique<DesignLayout>(ui_->centralwidget);
    setUpLook();
    setUpStatusBar();
    setUpFocusSink();

    keyboard_ = new KeyboardAccess(ui_->centralwidget, focusSink_, this);
    KeyboardAccess* keyboard = keyboard_;
    context_ = std::make_unique<AppContext>(
        AppContext{state_, std::move(workDir), services.messages, services.dialogs, services.runner,
                   services.desktop, this, [keyboard] { keyboard->focusSinkAfterClick(); },
                   *new RunGuard(this), std::move(kitDir)});

    runStartup();

    new OpenLoaderController(
        ui_->mnuOpen, *context_, [this](const QString& text) { setStatusMessage(text); }, this);
    connect(ui_->mnuClose, &QAction::triggered, this, &QWidget::close);
    setUpControllers();
}

void MainWindow::setUpControllers() {
    Ui::MainWindow& ui = *ui_;
    AppContext& context = *context_;

    new PatchSwitchesController(
        {{ui.Check1, ui.Check2, ui.Check3, ui.Check4, ui.Check5, ui.Check6},
         ui.Check7,
         {ui.Option1, ui.Option2, ui.Option3, ui.Option4},
         ui.dateFixGroup,
         {ui.Option5, ui.Option6, ui.Option7, ui.Option8, ui.Option9, ui.Option10, ui.Option11}},
        context, this);
    new VideoPositionController({ui.ntsc, ui.pal, ui.VScroll2, ui.VScroll1, ui.textx, ui.texty,
                                 ui.textxhex, ui.textyhex, ui.Command1},
                                context, this);
    new PatchRunController({ui.Command2, ui.text13, ui.Check8}, context, this);

    auto* extraction = new ExtractionController(
        {ui.Command13, ui.Command8, ui.Command6, ui.Image3, ui.Image2}, context, this);
    auto* colours =
        new ColourTableController({ui.Command10, ui.Command12, ui.Command11}, context, this);
    auto* imageSlots = new ImageSlotsController({{ui.Command9, ui.textbutton},
                                                 {ui.Command5, ui.Text7, ui.Image2},
                                                 {ui.Command7, ui.Text8, ui.Image3},
                                                 {ui.Command4, ui.textfont},
                                                 ui.Command14},
                                                context, this);
    // "Tools" follows "Readme(s)" in the menu bar.
    new SkinToolsController(ui.menubar, ui.mnuReadme, context, *imageSlots, *colours, this);
    connect(extraction, &ExtractionController::preloadRequested, colours,
            &ColourTableController::preloaded);

    new HelpController(
        {ui.mnuHDLReadme, ui.mnuPackReadme3, ui.mnuPackReadme4, ui.mnuAbout, ui.mnuWEB, ui.mnuList,
         ui.Label2, ui.Label3, ui.Command3, ui.centralwidget, ui.Frame6, ui.Frame9},
        context, &showFontWindow, this);

    setReadingTabOrder(ui);
    addButtonShortcuts(ui);
    nameTwinControls(ui);
    nameControls(ui.centralwidget);
    layOut();
}

MainWindow::~MainWindow() = default;

void MainWindow::setStatusMessage(const QString& text) {
    statusPanel1_->setText(text);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    cleanUpPreviewDirectory(context_->programDir);
    event->accept();
}

void MainWindow::setUpLook() {
    // Light-yellow captions on black; the indicator keeps its white box and
    // dark mark. A palette does this where a style sheet would also recolour
    // the indicator and hide it.
    for (QCheckBox* box : ui_->centralwidget->findChildren<QCheckBox*>())
        box->setPalette(optionPalette(box->palette()));
    for (QRadioButton* option : ui_->centralwidget->findChildren<QRadioButton*>())
        option->setPalette(optionPalette(option->palette()));

    // "Patch" stands out in the Zrnic face where it is installed; otherwise
    // it is the window's own font in bold.
    QFont patchFont = font();
    patchFont.setFamilies(installedFamilies({QStringLiteral("Zrnic")}) +
                          QStringList{QFontInfo(font()).family()});
    patchFont.setBold(true);
    ui_->Command2->setFont(patchFont);

    // Fixed size: the controls are placed at absolute positions.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

// The controls keep the places of the design, in units that grow with the
// font in use (the desktop's font and size, on a screen of any scale) until
// every text shows whole.
void MainWindow::layOut() {
    designLayout_->fit(fontScale(font()));
    ui_->Image1->setPixmap(makeBanner(ui_->Image1->size(), devicePixelRatioF(), font()));
}

void MainWindow::setUpStatusBar() {
    QStatusBar* bar = ui_->StatusBar1;
    bar->setSizeGripEnabled(false);
    statusPanel1_ = new QLabel(bar);
    statusPanel1_->setObjectName(QStringLiteral("statusPanel1"));
    statusPanel2_ = new QLabel(bar);
    statusPanel2_->setObjectName(QStringLiteral("statusPanel2"));
    statusPanel3_ = new QLabel(qtText(kStatusPanel3Text), bar);
    statusPanel3_->setObjectName(QStringLiteral("statusPanel3"));
    bar->addWidget(statusPanel1_, 1);
    bar->addPermanentWidget(statusPanel2_);
    bar->addPermanentWidget(statusPanel3_);
}

// An invisible, zero-sized widget that takes the keyboard focus after clicks,
// so that keys typed afterwards reach no field and no switch. It accepts no
// text and is never reached with Tab.
void MainWindow::setUpFocusSink() {
    focusSink_ = new QWidget(ui_->centralwidget);
    focusSink_->setObjectName(QStringLiteral("focusSink"));
    focusSink_->setFocusPolicy(Qt::ClickFocus);
    focusSink_->setAttribute(Qt::WA_InputMethodEnabled, false);
    focusSink_->setGeometry(0, 0, 0, 0);
    // A screen reader announces it when a click has moved the focus here.
    focusSink_->setAccessibleName(QStringLiteral("No control"));
    focusSink_->setAccessibleDescription(QStringLiteral("Press Tab to move to a control"));
}

void MainWindow::runStartup() {
    const StartupTexts texts = startupTexts();
    setWindowTitle(qtText(texts.caption));
    statusPanel2_->setText(qtText(texts.panel2));
    statusPanel1_->setText(qtText(texts.panel1));
    applyStartup(state_, context_->programDir);
}

}  // namespace kelvane
