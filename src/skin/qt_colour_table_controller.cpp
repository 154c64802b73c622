#include "skin/qt_colour_table_controller.h"

#include <QFile>
#include <QFileInfo>
#include <QPushButton>

#include "platform/desktop/qt_open_with_report.h"
#include "platform/qt_text.h"
#include "skin/colour_table_file.h"
#include "skin/qt_colour_table_editor.h"
#include "skin/qt_regular_file.h"

namespace kelvane {
namespace {

// A colour table is a few hundred bytes; anything far larger is not one.
constexpr qint64 kMaxColourTableBytes = 1024 * 1024;

}  // namespace

ColourTableController::ColourTableController(Widgets widgets, AppContext& context, QObject* parent)
    : QObject(parent), widgets_(widgets), context_(context) {
    connect(widgets_.helpButton, &QPushButton::clicked, this, &ColourTableController::showHelp);
    connect(widgets_.openButton, &QPushButton::clicked, this, &ColourTableController::openTable);
    connect(widgets_.saveButton, &QPushButton::clicked, this, &ColourTableController::saveChanges);
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
    if (colourTableArmed(state_)) arm();
}

void ColourTableController::preloaded() {
    advance(ColourTableEvent::Preloaded);
}

void ColourTableController::editTable() {
    const QString path = qtText(colourTablePath(context_.programDir));
    QFile file(path);
    const FileOpenResult opened = openRegularFile(file);
    if (opened.problem == FileOpenProblem::Missing) {
        context_.messages.show(qtText(colourTableMissingMessage(path.toStdString())),
                               MessageIcon::Error);
        return;
    }
    if (!opened.ok()) {
        context_.messages.show(fileOpenProblemText(path, opened), MessageIcon::Error);
        return;
    }
    if (file.size() > kMaxColourTableBytes) {
        context_.messages.show(
            QStringLiteral("The file %1 is too large to be a colour table (%2 bytes).")
                .arg(path)
                .arg(file.size()),
            MessageIcon::Error);
        return;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        context_.messages.show(
            QStringLiteral("The colour table %1 cannot be read: %2").arg(path, file.errorString()),
            MessageIcon::Error);
        return;
    }
    file.close();

    ColourTableEditor editor(path, parseColourTable(bytes.toStdString()), context_.messages,
                             context_.mainWindow);
    editor.saved = [this, &path] {
        arm();
        context_.messages.show(QStringLiteral("The colour table %1 was saved. The next patch "
                                              "writes it into the loader (switch /IC).")
                                   .arg(path),
                               MessageIcon::Information);
    };
    editor.exec();
}

void ColourTableController::advance(ColourTableEvent event) {
    state_ = nextColourTableState(state_, event);
    applyState();
}

void ColourTableController::applyState() {
    widgets_.openButton->setEnabled(colourOpenEnabled(state_));
    widgets_.saveButton->setEnabled(colourSaveEnabled(state_));
}

void ColourTableController::arm() {
    context_.state.colors = colourTableFragment(context_.programDir);
}

}  // namespace kelvane
