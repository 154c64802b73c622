#include "skin/qt_image_slots_controller.h"

#include "skin/qt_picture_box.h"
#include "ui_qt_main_window.h"

namespace kelvane {

ImageSlotsController::ImageSlotsController(Ui::MainWindow& ui, AppContext& context, QObject* parent)
    : QObject(parent), ui_(ui), context_(context) {
    const auto bind = [this](QPushButton* button, ImageSlot slot) {
        connect(button, &QPushButton::clicked, this, [this, slot] { load(slot); });
    };
    bind(ui_.Command9, ImageSlot::ButtonImage);
    bind(ui_.Command5, ImageSlot::MainMenuScreen);
    bind(ui_.Command7, ImageSlot::SplashScreen);
    bind(ui_.Command4, ImageSlot::Font);
    connect(ui_.Command14, &QPushButton::clicked, this, &ImageSlotsController::showButtonImageHelp);
}

void ImageSlotsController::load(ImageSlot slot) {
    context_.focusSink();
    const ImageSlotRule& rule = imageSlotRule(slot);
    const std::optional<QString> chosen =
        context_.dialogs.openFile(QString::fromLatin1(rule.filter));
    if (!chosen) return;

    const std::string path = chosen->toStdString();
    if (!pathFitsFragment(path)) {
        context_.messages.show(QStringLiteral("The file %1 cannot be passed to HDLPatch: its "
                                              "path contains a double quote. Nothing was changed.")
                                   .arg(*chosen),
                               MessageIcon::Error);
        return;
    }
    const std::string name =
        chooseSlotFile(context_.state, slot, path, context_.programDir.separator());
    displayField(slot)->setText(QString::fromStdString(name));

    // A file that cannot be shown still becomes the slot's choice; the preview
    // then keeps what it showed.
    if (QLabel* box = preview(slot)) {
        if (const QImage picture = readPreviewPicture(*chosen); !picture.isNull())
            showInPictureBox(box, picture);
    }
}

void ImageSlotsController::showButtonImageHelp() {
    context_.focusSink();
    context_.messages.show(QString::fromStdString(kButtonImageHelpText), MessageIcon::None);
}

QLineEdit* ImageSlotsController::displayField(ImageSlot slot) const {
    switch (slot) {
        case ImageSlot::ButtonImage:
            return ui_.textbutton;
        case ImageSlot::MainMenuScreen:
            return ui_.Text7;
        case ImageSlot::SplashScreen:
            return ui_.Text8;
        case ImageSlot::Font:
            return ui_.textfont;
    }
    return nullptr;
}

QLabel* ImageSlotsController::preview(ImageSlot slot) const {
    switch (slot) {
        case ImageSlot::MainMenuScreen:
            return ui_.Image2;
        case ImageSlot::SplashScreen:
            return ui_.Image3;
        default:
            return nullptr;
    }
}

}  // namespace kelvane
