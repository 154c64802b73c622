#include "skin/qt_skin_install.h"

#include "skin/qt_colour_table_controller.h"
#include "skin/qt_extraction_controller.h"
#include "skin/qt_image_slots_controller.h"
#include "skin/qt_skin_tools_controller.h"
#include "ui_qt_main_window.h"

namespace kelvane {

void installSkinControllers(Ui::MainWindow& ui, AppContext& context, QObject* owner) {
    auto* extraction = new ExtractionController(ui, context, owner);
    auto* colours = new ColourTableController(ui, context, owner);
    auto* imageSlots = new ImageSlotsController(ui, context, owner);
    new SkinToolsController(ui.menubar, ui.mnuReadme, context, *imageSlots, owner);
    QObject::connect(extraction, &ExtractionController::preloadRequested, colours,
                     &ColourTableController::preloaded);
}

}  // namespace kelvane
