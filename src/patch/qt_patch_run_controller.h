#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include "patch/patch_plan.h"
#include "platform/qt_app_context.h"

namespace Ui {
class MainWindow;
}

namespace kelvane {

// "Patch" (Command2), the output name (text13) and "Pack" (Check8): checks the
// request, runs HDLPatch (and ps2-packer) and tells the user when a tool could
// not be started or did not write its file. A run that worked shows nothing
// beyond the tool console.
class PatchRunController : public QObject {
    Q_OBJECT
  public:
    PatchRunController(Ui::MainWindow& ui, AppContext& context, QObject* parent);

    // How a packing run is carried out; the system's own method by default.
    void setPackingMethod(PackingMethod method) { packingMethod_ = method; }
    // The directory that holds cmd.exe (batch-file method only).
    void setSystemDirectory(const QString& directory) { systemDirectory_ = directory; }

    // What "Patch" does.
    void patch();

  private:
    bool writeBatchFile(const PatchPlan& plan);
    void removeBatchFile(const PatchPlan& plan, QStringList& problems);

    Ui::MainWindow& ui_;
    AppContext& context_;
    PackingMethod packingMethod_;
    QString systemDirectory_;
};

}  // namespace kelvane
