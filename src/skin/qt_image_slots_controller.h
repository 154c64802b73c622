#pragma once

#include <QObject>
#include <QString>
#include <optional>

#include "platform/qt_app_context.h"
#include "skin/image_slots.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kelvane {

// The four "Load" buttons of the replacement graphics and the "?" of the
// button image. A chosen file is checked against what the loader needs; one
// that fits, or one the user takes anyway, sets the slot's display field,
// preview and switch fragment. One that does not fit can be converted instead.
// A cancelled dialog or question changes nothing.
class ImageSlotsController : public QObject {
    Q_OBJECT
  public:
    // A slot's "Load" button, display field and preview (none for two).
    struct SlotWidgets {
        QPushButton* loadButton;
        QLineEdit* nameField;
        QLabel* preview = nullptr;
    };
    struct Widgets {
        SlotWidgets buttonImage;       // Command9, textbutton
        SlotWidgets mainMenuScreen;    // Command5, Text7, Image2
        SlotWidgets splashScreen;      // Command7, Text8, Image3
        SlotWidgets font;              // Command4, textfont
        QPushButton* buttonImageHelp;  // Command14
    };
    ImageSlotsController(Widgets widgets, AppContext& context, QObject* parent);

    void load(ImageSlot slot);
    void showButtonImageHelp();

    // Makes `path` the slot's file: display field, preview and fragment. The
    // slot's dialog remembers `confirmed` (the file the user picked in it)
    // when given, and otherwise keeps what it remembered.
    void arm(ImageSlot slot, const QString& path, const std::optional<QString>& confirmed);

  private:
    const SlotWidgets& widgetsOf(ImageSlot slot) const;

    Widgets widgets_;
    AppContext& context_;
};

}  // namespace kelvane
