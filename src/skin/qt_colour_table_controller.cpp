#include "skin/qt_colour_table_controller.h"

#include <QFileInfo>

#include "platform/qt_open_with_report.h"
#include "ui_qt_main_window.h"

namespace kelvane {

ColourTableController::ColourTableController(Ui::MainWindow& ui, AppContext& context,
                                             QObject* parent)
    : QObject(parent), ui_(ui), context_(context) {
    connect(ui_.Command10, &QPushButton::clicked, this, &ColourTableController::showHelp);
    connect(ui_.Command12, &QPushButton::clicked, this, &ColourTableController::openTable);
    connect(ui_.Command11, &QPushButton::clicked, this, &ColourTableController::saveChanges);
    applyState();
}

void ColourTableController::showHelp() {
    context_.messages.show(QString::fromStdString(kColourTableHelpText), MessageIcon::None);
    context_.focusSink();
}

void ColourTableController::openTable() {
    const QString path = QString::fromStdString(colourTablePath(context_.programDir));
    if (!QFileInfo(path).isFile()) {
        context_.messages.show(
            QString::fromStdString(colourTableMissingMessage(path.toStdString())),
            MessageIcon::Error);
        return;
    }
    if (!openDocument(context_.desktop, context_.messages, path)) return;
    advance(ColourTableEvent::Opened);
}

void ColourTableController::saveChanges() {
    advance(ColourTableEvent::Saved);
    if (colourTableArmed(state_)) context_.state.colors = colourTableFragment(context_.programDir);
}

void ColourTableController::preloaded() {
    advance(ColourTableEvent::Preloaded);
}

void ColourTableController::advance(ColourTableEvent event) {
    state_ = nextColourTableState(state_, event);
    applyState();
}

void ColourTableController::applyState() {
    ui_.Command12->setEnabled(colourOpenEnabled(state_));
    ui_.Command11->setEnabled(colourSaveEnabled(state_));
}

}  // namespace kelvane
