#pragma once

#include <QObject>
#include <QString>

#include "platform/qt_app_context.h"

class QMenu;
class QMenuBar;

namespace kelvane {

class ColourTableController;
class ImageSlotsController;

// The "Tools" menu, placed right after "Readme(s)": "Convert Picture..." makes
// a fitting BMP for one of the three picture slots from any picture, "Edit
// Colour Table..." opens the colour table's editor, and "Make Font..." makes a
// font pair from any font and can put it into the font slot.
class SkinToolsController : public QObject {
    Q_OBJECT
  public:
    SkinToolsController(QMenuBar* menuBar, QMenu* menuBefore, AppContext& context,
                        ImageSlotsController& imageSlots, ColourTableController& colourTable,
                        QObject* parent);

    void convertPicture();
    void makeFont();

  private:
    AppContext& context_;
    ImageSlotsController& slots_;
    QString lastPicture_;  // the converter's last confirmed source
};

}  // namespace kelvane
