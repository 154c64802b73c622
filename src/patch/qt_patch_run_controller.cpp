#include "patch/qt_patch_run_controller.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <vector>

#include "patch/patch_composition.h"
#include "patch/patch_validation.h"
#include "patch/patch_verdict.h"
#include "patch/ps2_program_check.h"
#include "platform/batch_file_io.h"
#include "platform/file_identity.h"
#include "platform/qt_text.h"
#include "platform/qt_tool_outcome_text.h"

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
    context_.runs.begin();
    run(plan);
    context_.runs.end();
}

void PatchRunController::run(const PatchPlan& plan) {
    std::vector<FileStamp> before;
    for (const ExpectedOutput& output : plan.outputs) before.push_back(stampBeforeRun(output.path));
    auto written = [&](std::size_t i) { return writtenDuringRun(before[i], plan.outputs[i].path); };
    // Whether a written output is not a PS2 program, and what it is instead.
    auto notAProgram = [&](std::size_t i) { return notAPs2Program(plan.outputs[i].path); };
    auto settle = [&] {
        for (std::size_t i = 0; i < plan.outputs.size(); ++i)
            restoreIfUnwritten(before[i], plan.outputs[i].path);
    };

    if (!plan.toolByTool() && !writeBatchFile(plan)) return settle();

    // Each step names the file it writes: tool by tool the patch and then the
    // packed loader, a batch run the packed loader at its end.
    QList<ToolCommand> steps;
    for (std::size_t i = 0; i < plan.steps.size(); ++i) {
        const QString output =
            qtText(plan.outputs[plan.toolByTool() ? i : plan.outputs.size() - 1].path);
        const QString title = !plan.toolByTool() ? QStringLiteral("Patching and packing to %1")
                              : i == 0           ? QStringLiteral("Patching to %1")
                                                 : QStringLiteral("Packing to %1");
        steps.push_back({qtText(plan.steps[i].commandLine), qtText(plan.steps[i].workingDirectory),
                         title.arg(QFileInfo(output).fileName()), output});
    }
    const QList<ToolOutcome> outcomes = context_.runner.shellWait(
        steps, WindowStyle::Normal, [&](int step, const ToolOutcome& outcome) {
            if (!plan.toolByTool()) return true;
            const bool wrote = written(std::size_t(step));
            return nextStepMayRun(toolEnd(outcome), wrote,
                                  wrote && !notAProgram(std::size_t(step)));
        });

    PatchRunFacts facts;
    for (const ToolOutcome& outcome : outcomes) facts.ends.push_back(toolEnd(outcome));
    for (std::size_t i = 0; i < plan.outputs.size(); ++i) {
        facts.written.push_back(written(i));
        facts.notAProgram.push_back(facts.written[i] ? notAProgram(i) : std::nullopt);
    }
    settle();
    if (!plan.toolByTool()) facts.batchFileLeft = removeFileIfPresent(plan.batchFilePath);

    std::vector<std::string> problems = judgePatchRun(plan, facts);
    // A tool that is missing: say where it goes.
    if (!problems.empty()) {
        for (const ExpectedOutput& output : plan.outputs) {
            const auto tool = toolWithDisplayName(output.tool);
            const std::string advice =
                tool ? context_.programDir.missingToolAdvice(*tool) : std::string();
            if (!advice.empty()) problems.push_back(advice);
        }
    }
    if (!problems.empty())
        context_.messages.show(qtText(joinParagraphs(problems)), MessageIcon::Error);
}

bool PatchRunController::writeBatchFile(const PatchPlan& plan) {
    const std::optional<std::string> bytes = batchFileBytes(plan.batchFileText);
    if (!bytes) {
        context_.messages.show(
            qtText("The packing batch file cannot be written: a path holds characters that the "
                   "command interpreter would not read as they are.\n" +
                   plan.batchFilePath),
            MessageIcon::Error);
        return false;
    }
    if (const auto reason = writeWholeFile(plan.batchFilePath, *bytes)) {
        context_.messages.show(qtText("The packing batch file could not be written:\n" +
                                      plan.batchFilePath + "\n" + *reason),
                               MessageIcon::Error);
        return false;
    }
    return true;
}

}  // namespace kelvane
