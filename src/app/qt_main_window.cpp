#include "app/qt_main_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFont>
#include <QLabel>
#include <QLayout>
#include <QPalette>
#include <QRadioButton>
#include <QStatusBar>

#include "app/preview_cleanup.h"
#include "app/qt_banner.h"
#include "app/qt_open_loader_controller.h"
#include "app/startup.h"
#include "help/qt_help_controller.h"
#include "patch/qt_patch_run_controller.h"
#include "patch/qt_patch_switches_controller.h"
#include "patch/qt_video_position_controller.h"
#include "platform/qt_text.h"
#include "skin/qt_colour_table_controller.h"
#include "skin/qt_extraction_controller.h"
#include "skin/qt_font_window.h"
#include "skin/qt_image_slots_controller.h"
#include "ui_qt_main_window.h"

namespace kelvane {

namespace {

// The window is laid out for an 11 px sans serif of the classic Windows
// dialog font's metrics; the first family present wins.
const QStringList kDialogFontFamilies = {
    QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Tahoma"),
    QStringLiteral("Liberation Sans"), QStringLiteral("Arial")};

QFont dialogFont() {
    QFont font;
    font.setFamilies(kDialogFontFamilies);
    font.setPixelSize(11);
    return font;
}

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

void widenToFitCaption(QWidget* control) {
    const int needed = control->sizeHint().width();
    if (needed > control->width()) control->resize(needed, control->height());
}

constexpr const char* kStatusPanel3Text = "HDLPatch + PS2-Packer";

}  // namespace

MainWindow::MainWindow(ProgramDirectory programDir, PlatformServices services, QWidget* parent)
    : QMainWindow(parent), ui_(std::make_unique<Ui::MainWindow>()) {
    setFont(dialogFont());
    ui_->setupUi(this);
    setUpLook();
    setUpStatusBar();
    setUpFocusSink();

    QWidget* sink = focusSink_;
    context_ = std::make_unique<AppContext>(
        AppContext{state_, std::move(programDir), services.messages, services.dialogs,
                   services.runner, services.desktop, this,
                   [sink] { sink->setFocus(Qt::OtherFocusReason); }, *new RunGuard(this)});

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
    auto* colours = new ColourTableController(ui, context, this);
    new ImageSlotsController(ui, context, this);
    connect(extraction, &ExtractionController::preloadRequested, colours,
            &ColourTableController::preloaded);

    new HelpController(
        {ui.mnuHDLReadme, ui.mnuPackReadme3, ui.mnuPackReadme4, ui.mnuAbout, ui.mnuWEB, ui.mnuList,
         ui.Label2, ui.Label3, ui.Command3, ui.centralwidget, ui.Frame6, ui.Frame9},
        context, &showFontWindow, this);
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
    // The central widget's style sheet keeps the window font from reaching
    // the controls inside the frames, so each control gets it directly.
    for (QWidget* control : ui_->centralwidget->findChildren<QWidget*>())
        control->setFont(dialogFont());

    // Light-yellow captions on black; the indicator keeps its white box and
    // dark mark. A palette does this where a style sheet would also recolour
    // the indicator and hide it. The long captions of the check boxes and of
    // Label5 get the room they need in the platform's font (the option
    // buttons stand in rows and keep their places).
    for (QCheckBox* box : ui_->centralwidget->findChildren<QCheckBox*>()) {
        box->setPalette(optionPalette(box->palette()));
        widenToFitCaption(box);
    }
    for (QRadioButton* option : ui_->centralwidget->findChildren<QRadioButton*>())
        option->setPalette(optionPalette(option->palette()));
    widenToFitCaption(ui_->Label5);

    // "Patch" stands out in the Zrnic face where it is installed; otherwise
    // it is the window's own font in bold.
    QFont patchFont = dialogFont();
    patchFont.setFamilies(QStringList{QStringLiteral("Zrnic")} + kDialogFontFamilies);
    patchFont.setBold(true);
    ui_->Command2->setFont(patchFont);

    // The spinners VScroll1 and VScroll2 keep Qt's default orientation: the
    // lower arrow adds a step, as on any vertical scroll bar. Qt keeps that
    // arrow at the bottom even with invertedAppearance, which would only make
    // the handle run upwards, so the default is the right choice.

    ui_->Image1->setPixmap(makeBanner(ui_->Image1->size(), devicePixelRatioF()));

    // Fixed size: the controls are placed at absolute positions.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
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
}

void MainWindow::runStartup() {
    const StartupTexts texts = startupTexts();
    setWindowTitle(qtText(texts.caption));
    statusPanel2_->setText(qtText(texts.panel2));
    statusPanel1_->setText(qtText(texts.panel1));
    applyStartup(state_, context_->programDir);
}

}  // namespace kelvane
