#include "skin/qt_image_slots_controller.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/desktop/qt_file_dialogs.h"
#include "platform/qt_text.h"
#include "skin/picture_check.h"
#include "skin/qt_font_pair_choice.h"
#include "skin/qt_picture_box.h"
#include "skin/qt_picture_converter.h"
#include "skin/qt_picture_file.h"

namespace kelvane {
namespace {

// What the user is told about a file that does not fit its slot.
QString mismatchText(ImageSlot slot, const QString& path, const PictureInspection& inspection) {
    if (!inspection.opened.ok()) {
        QString title = qtText(slotTitle(slot));
        title[0] = title[0].toUpper();
        return QStringLiteral("%1\n\n%2 must be %3.")
            .arg(fileOpenProblemText(path, inspection.opened), title,
                 qtText(slotRequirement(slot)));
    }
    return qtText(
        pictureMismatchMessage(slot, path.toStdString(), inspection.facts, inspection.qtCanRead));
}

}  // namespace

ImageSlotsController::ImageSlotsController(Widgets widgets, AppContext& context, QObject* parent)
    : QObject(parent), widgets_(widgets), context_(context) {
    for (ImageSlot slot : {ImageSlot::ButtonImage, ImageSlot::MainMenuScreen,
                           ImageSlot::SplashScreen, ImageSlot::Font})
        connect(widgetsOf(slot).loadButton, &QPushButton::clicked, this,
                [this, slot] { load(slot); });
    connect(widgets_.buttonImageHelp, &QPushButton::clicked, this,
            &ImageSlotsController::showButtonImageHelp);
}

void ImageSlotsController::load(ImageSlot slot) {
    context_.focusSink();
    const ImageSlotRule& rule = imageSlotRule(slot);
    // The slot's own filter entries first, then every picture.
    const QString filter =
        QString::fromLatin1(rule.filter) + QLatin1Char('|') + allPicturesFilterEntry();
    const std::optional<QString> chosen = context_.dialogs.openFileIn(
        filter, folderOfChoice(qtText((context_.state.*rule.dialog).fullPath)));
    if (!chosen) return;

    if (!pathFitsFragment(chosen->toStdString())) {
        context_.messages.show(qtText(pathUnfitForFragmentMessage(chosen->toStdString())),
                               MessageIcon::Error);
        return;
    }

    // A font is checked as the pair the loader reads: sheet and widths.
    if (slot == ImageSlot::Font) {
        if (const std::optional<QString> font = checkFontChoice(context_, *chosen))
            arm(slot, *font, *chosen);
        return;
    }

    // Only the header is read, and only from a regular file: a named pipe
    // would block the window for good.
    const PictureInspection inspection = inspectPictureFile(*chosen);
    if (inspection.opened.problem == FileOpenProblem::NotRegular) {
        context_.messages.show(fileOpenProblemText(*chosen, inspection.opened), MessageIcon::Error);
        return;
    }
    const bool fits = inspection.opened.ok() && pictureFitsSlot(slot, inspection.facts);
    if (!fits) {
        const MismatchAnswer answer =
            askAboutMismatch(context_, mismatchText(slot, *chosen, inspection),
                             offersConversion(slot, inspection.qtCanRead));
        if (answer == MismatchAnswer::Cancel) return;
        if (answer == MismatchAnswer::Convert) {
            const std::optional<ConvertedPicture> converted =
                convertPictureFile(context_, *chosen, slot);
            if (converted) arm(slot, converted->path, *chosen);
            return;
        }
    }
    arm(slot, *chosen, *chosen);
}

void ImageSlotsController::arm(ImageSlot slot, const QString& path,
                               const std::optional<QString>& confirmed) {
    const ImageSlotRule& rule = imageSlotRule(slot);
    const char separator = context_.programDir.separator();
    const RememberedChoice before = context_.state.*rule.dialog;
    const std::string name = chooseSlotFile(context_.state, slot, path.toStdString(), separator);
    RememberedChoice& remembered = context_.state.*rule.dialog;
    if (!confirmed)
        remembered = before;
    else if (*confirmed != path)
        remembered = {bareFileName(confirmed->toStdString(), separator), confirmed->toStdString()};
    widgetsOf(slot).nameField->setText(qtText(name));

    // A file that cannot be shown still becomes the slot's choice; the preview
    // then keeps what it showed.
    if (QLabel* box = widgetsOf(slot).preview) {
        if (const QImage picture = readPreviewPicture(path); !picture.isNull())
            showInPictureBox(box, picture);
    }
}

void ImageSlotsController::showButtonImageHelp() {
    context_.focusSink();
    context_.messages.show(qtText(kButtonImageHelpText), MessageIcon::None);
}

const ImageSlotsController::SlotWidgets& ImageSlotsController::widgetsOf(ImageSlot slot) const {
    switch (slot) {
        case ImageSlot::ButtonImage:
            return widgets_.buttonImage;
        case ImageSlot::MainMenuScreen:
            return widgets_.mainMenuScreen;
        case ImageSlot::SplashScreen:
            return widgets_.splashScreen;
        case ImageSlot::Font:
            break;
    }
    return widgets_.font;
}

}  // namespace kelvane
