#include "skin/qt_skin_tools_controller.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>

#include "platform/qt_file_dialogs.h"
#include "platform/qt_text.h"
#include "skin/colour_table.h"
#include "skin/colour_table_file.h"
#include "skin/picture_check.h"
#include "skin/qt_colour_table_editor.h"
#include "skin/qt_font_maker_dialog.h"
#include "skin/qt_image_slots_controller.h"
#include "skin/qt_picture_converter.h"
#include "skin/qt_picture_file.h"
#include "skin/qt_regular_file.h"

namespace kelvane {
namespace {

// A colour table is a few hundred bytes; anything far larger is not one.
constexpr qint64 kMaxColourTableBytes = 1024 * 1024;

}  // namespace

SkinToolsController::SkinToolsController(QMenuBar* menuBar, QMenu* menuBefore, AppContext& context,
                                         ImageSlotsController& imageSlots, QObject* parent)
    : QObject(parent), context_(context), slots_(imageSlots) {
    auto* menu = new QMenu(QStringLiteral("&Tools"), menuBar);
    menu->setObjectName(QStringLiteral("mnuTools"));
    QAction* convert = menu->addAction(QStringLiteral("Convert Picture..."));
    convert->setObjectName(QStringLiteral("mnuConvertPicture"));
    QAction* colours = menu->addAction(QStringLiteral("Edit Colour Table..."));
    colours->setObjectName(QStringLiteral("mnuEditColours"));
    QAction* font = menu->addAction(QStringLiteral("Make Font..."));
    font->setObjectName(QStringLiteral("mnuMakeFont"));
    connect(convert, &QAction::triggered, this, &SkinToolsController::convertPicture);
    connect(colours, &QAction::triggered, this, &SkinToolsController::editColourTable);
    connect(font, &QAction::triggered, this, &SkinToolsController::makeFont);

    // Right after the given menu, whatever follows it.
    const QList<QAction*> entries = menuBar->actions();
    const qsizetype at = menuBefore ? entries.indexOf(menuBefore->menuAction()) : -1;
    if (at >= 0 && at + 1 < entries.size())
        menuBar->insertMenu(entries[at + 1], menu);
    else
        menuBar->addMenu(menu);
}

void SkinToolsController::convertPicture() {
    const std::optional<QString> chosen =
        context_.dialogs.openFileIn(allPicturesFilterEntry(), folderOfChoice(lastPicture_));
    if (!chosen) return;
    lastPicture_ = *chosen;
    const std::optional<ConvertedPicture> converted =
        convertPictureFile(context_, *chosen, std::nullopt);
    if (!converted) return;

    const int answer = context_.messages.ask(
        QStringLiteral("The picture was converted and written to\n%1\n\nUse it as %2 now?")
            .arg(converted->path, qtText(slotTitle(converted->slot))),
        MessageIcon::Information, {QStringLiteral("Use It"), QStringLiteral("Not Now")});
    if (answer == 0) slots_.arm(converted->slot, converted->path, std::nullopt);
}

void SkinToolsController::editColourTable() {
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
        context_.state.colors = colourTableFragment(context_.programDir);
        context_.messages.show(QStringLiteral("The colour table %1 was saved. The next patch "
                                              "writes it into the loader (switch /IC).")
                                   .arg(path),
                               MessageIcon::Information);
    };
    editor.exec();
}

void SkinToolsController::makeFont() {
    FontMakerDialog dialog(
        context_, [this](const QString& path) { slots_.arm(ImageSlot::Font, path, path); },
        context_.mainWindow);
    dialog.exec();
}

}  // namespace kelvane
