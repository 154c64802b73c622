#pragma once

#include <QObject>
#include <string>

#include "patch/patch_plan.h"
#include "platform/qt_app_context.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace kelvane {

// "Patch", the output name and "Pack": checks the request, runs HDLPatch (and
// ps2-packer) and shows what the verdict on the run says. A run that worked
// shows nothing beyond the tool console.
class PatchRunController : public QObject {
    Q_OBJECT
  public:
    struct Widgets {
        QPushButton* patchButton;  // Command2
        QLineEdit* outputName;     // text13
        QCheckBox* packBox;        // Check8
    };
    PatchRunController(Widgets widgets, AppContext& context, QObject* parent);

    // How a packing run is carried out; the system's own method by default.
    void setPackingMethod(PackingMethod method) { packingMethod_ = method; }
    // The directory that holds cmd.exe (batch-file method only).
    void setSystemDirectory(const std::string& directory) { systemDirectory_ = directory; }

    // What "Patch" does. Does nothing while another tool run is going.
    void patch();

  private:
    Widgets widgets_;
    AppContext& context_;
    PackingMethod packingMethod_;
    std::string systemDirectory_;
};

}  // namespace kelvane
