#pragma once

#include <QObject>

#include "platform/qt_app_context.h"
#include "skin/image_slots.h"

class QLabel;
class QLineEdit;

namespace Ui {
class MainWindow;
}

namespace kelvane {

// The four "Load" buttons of the replacement graphics and the "?" of the
// button image. A confirmed choice sets the slot's display field, preview and
// switch fragment; a cancelled dialog changes nothing.
class ImageSlotsController : public QObject {
    Q_OBJECT
  public:
    ImageSlotsController(Ui::MainWindow& ui, AppContext& context, QObject* parent);

    void load(ImageSlot slot);
    void showButtonImageHelp();

  private:
    QLineEdit* displayField(ImageSlot slot) const;
    QLabel* preview(ImageSlot slot) const;

    Ui::MainWindow& ui_;
    AppContext& context_;
};

}  // namespace kelvane
