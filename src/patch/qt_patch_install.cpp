#include "patch/qt_patch_install.h"

#include "patch/qt_patch_run_controller.h"
#include "patch/qt_patch_switches_controller.h"
#include "patch/qt_video_position_controller.h"
#include "ui_qt_main_window.h"

namespace kelvane {

void installPatchControllers(Ui::MainWindow& ui, AppContext& context, QObject* owner) {
    new PatchSwitchesController(ui, context, owner);
    new VideoPositionController(ui, context, owner);
    new PatchRunController(ui, context, owner);
}

}  // namespace kelvane
