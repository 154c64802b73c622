#include "skin/qt_skin_tools_controller.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "platform/desktop/qt_file_dialogs.h"
#include "platform/qt_text.h"
#include "skin/picture_check.h"
#include "skin/qt_colour_table_controller.h"
#include "skin/qt_font_maker_dialog.h"
#include "skin/qt_image_slots_controller.h"
#include "skin/qt_picture_converter.h"
#include "skin/qt_picture_file.h"

namespace kelvane {

SkinToolsController::SkinToolsController(QMenuBar* menuBar, QMenu* menuBefore, AppContext& context,
                                         ImageSlotsController& imageSlots,
                                         ColourTableController& colourTable, QObject* parent)
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
    connect(colours, &QAction::triggered, &colourTable, &ColourTableController::editTable);
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

void SkinToolsController::makeFont() {
    FontMakerDialog dialog(
        context_, [this](const QString& path) { slots_.arm(ImageSlot::Font, path, path); },
        context_.mainWindow);
    dialog.exec();
}

}  // namespace kelvane
