#pragma once

#include <QObject>
#include <QString>
#include <optional>

#include "platform/qt_app_context.h"
#include "skin/image_slots.h"

class QLabel;
class QLineEdit;

namespace Ui {
class MainWindow;
}

namespace kelvane {

// The four "Load" buttons of the replacement graphics and the "?" of the
// button image. A chosen file is checked against what the loader needs; one
// that fits, or one the user takes anyway, sets the slot's display field,
// preview and switch fragment. One that does not fit can be converted instead.
// A cancelled dialog or question changes nothing.
class ImageSlotsController : public QObject {
    Q_OBJECT
  public:
    ImageSlotsController(Ui::MainWindow& ui, AppContext& context, QObject* parent);

    void load(ImageSlot slot);
    void showButtonImageHelp();

    // Makes `path` the slot's file: display field, preview and fragment. The
    // slot's dialog remembers `confirmed` (the file the user picked in it)
    // when given, and otherwise keeps what it remembered.
    void arm(ImageSlot slot, const QString& path, const std::optional<QString>& confirmed);

  private:
    QLineEdit* displayField(ImageSlot slot) const;
    QLabel* preview(ImageSlot slot) const;

    Ui::MainWindow& ui_;
    AppContext& context_;
};

}  // namespace kelvane
