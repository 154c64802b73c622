#include "patch/qt_patch_run_controller.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "patch/patch_composition.h"
#include "patch/patch_validation.h"
#include "patch/patch_verdict.h"
#include "platform/console/qt_job_views.h"
#include "platform/files/batch_file_io.h"
#include "platform/qt_text.h"

namespace kelvane {

PatchRunController::PatchRunController(Widgets widgets, AppContext& context, QObject* parent)
    : QObject(parent),
      widgets_(widgets),
      context_(context),
      packingMethod_(nativePackingMethod()),
      systemDirectory_(systemDirectory()) {
    connect(widgets_.outputName, &QLineEdit::textChanged, this, [this](const QString& name) {
        outputNameChanged(context_.state, context_.programDir, stdText(name));
    });
    connect(widgets_.patchButton, &QPushButton::clicked, this, &PatchRunController::patch);
    connect(&context_.runs, &RunGuard::busyChanged, widgets_.patchButton,
            [button = widgets_.patchButton](bool busy) { button->setEnabled(!busy); });
}

void PatchRunController::patch() {
    context_.focusSink();
    if (context_.runs.busy()) return;

    PatchCheckOptions options;
    options.pack = widgets_.packBox->isChecked();
    options.method = packingMethod_;
    if (const auto refusal = checkPatchRequest(context_.state, context_.programDir, options)) {
        context_.messages.show(qtText(refusal->text), refusal->icon);
        return;
    }
    const PatchPlan plan = planPatchRun(context_.state, context_.programDir, options.pack,
                                        packingMethod_, systemDirectory_);
    if (plan.refusal) {
        context_.messages.show(qtText(*plan.refusal), MessageIcon::Error);
        return;
    }
    context_.runs.begin();
    const ToolJobResult result = runInToolConsole(
        context_.runner, plan.job, {context_.mainWindow, &context_.desktop, &context_.messages});
    context_.runs.end();
    if (const std::string problems = judgePatchRun(plan, result, context_.programDir);
        !problems.empty())
        context_.messages.show(qtText(problems), MessageIcon::Error);
}

}  // namespace kelvane
