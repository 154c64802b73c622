#include "patch/qt_patch_run_controller.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <string>
#include <vector>

#include "patch/patch_composition.h"
#include "patch/patch_validation.h"
#include "patch/qt_output_stamp.h"
#include "ui_qt_main_window.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace kelvane {
namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

QString nativeSystemDirectory() {
#ifdef Q_OS_WIN
    wchar_t buffer[MAX_PATH];
    const UINT length = GetSystemDirectoryW(buffer, MAX_PATH);
    if (length > 0 && length < MAX_PATH) return QString::fromWCharArray(buffer, int(length));
    return qEnvironmentVariable("SystemRoot", QStringLiteral("C:\\Windows")) +
           QStringLiteral("\\System32");
#else
    return {};
#endif
}

// Whether the batch file's bytes mean `text` both in the code page they are
// written in and, on Windows, in the console code page that cmd.exe reads
// batch files in (the two differ for most non-ASCII characters).
bool readsBackUnchanged(const QByteArray& bytes, const QString& text) {
    if (QString::fromLocal8Bit(bytes) != text) return false;
#ifdef Q_OS_WIN
    if (bytes.isEmpty()) return true;
    const int length =
        MultiByteToWideChar(CP_OEMCP, 0, bytes.constData(), int(bytes.size()), nullptr, 0);
    std::wstring wide(std::size_t(length), L'\0');
    MultiByteToWideChar(CP_OEMCP, 0, bytes.constData(), int(bytes.size()), wide.data(), length);
    return QString::fromStdWString(wide) == text;
#else
    return true;
#endif
}

QString notStarted(const PlannedStep& step, const ToolOutcome& outcome) {
    return QStringLiteral("%1 could not be started:\n%2\n%3")
        .arg(q(step.tool), q(step.program), outcome.error);
}

QString notWritten(const ExpectedOutput& output) {
    const bool packed = output.tool == kPs2PackerName;
    return QStringLiteral("%1 did not write the %2:\n%3")
        .arg(q(output.tool),
             packed ? QStringLiteral("packed loader") : QStringLiteral("patched loader"),
             q(output.path));
}

}  // namespace

PatchRunController::PatchRunController(Ui::MainWindow& ui, AppContext& context, QObject* parent)
    : QObject(parent),
      ui_(ui),
      context_(context),
      packingMethod_(nativePackingMethod()),
      systemDirectory_(nativeSystemDirectory()) {
    connect(ui.text13, &QLineEdit::textChanged, this, [this](const QString& name) {
        outputNameChanged(context_.state, context_.programDir, name.toStdString());
    });
    connect(ui.Command2, &QPushButton::clicked, this, &PatchRunController::patch);
}

void PatchRunController::patch() {
    context_.focusSink();
    const FormState& state = context_.state;
    const ProgramDirectory& dir = context_.programDir;

    PatchCheckOptions options;
    options.pack = ui_.Check8->isChecked();
    options.method = packingMethod_;
    options.samePath = [](const std::string& a, const std::string& b) {
        return sameFilePath(q(a), q(b));
    };
    if (const auto refusal = checkPatchRequest(state, dir, options)) {
        context_.messages.show(q(refusal->text), refusal->icon == PatchRefusal::Icon::Error
                                                     ? MessageIcon::Error
                                                     : MessageIcon::None);
        return;
    }

    const PatchPlan plan =
        planPatchRun(state, dir, options.pack, packingMethod_, systemDirectory_.toStdString());
    std::vector<OutputStamp> before;
    for (const ExpectedOutput& output : plan.outputs) {
        before.push_back(OutputStamp::of(q(output.path)));
    }
    auto written = [&](std::size_t i) { return writtenSince(before[i], q(plan.outputs[i].path)); };

    if (!plan.batchFilePath.empty() && !writeBatchFile(plan)) return;

    // With one step per tool, a step runs only when the one before it wrote
    // its file: packing an older output would pass a stale loader off as new.
    const bool stepPerOutput = plan.steps.size() == plan.outputs.size();
    QList<ToolCommand> steps;
    for (std::size_t i = 0; i < plan.steps.size(); ++i) {
        const QString output = q(plan.outputs[stepPerOutput ? i : plan.outputs.size() - 1].path);
        const QString title = !stepPerOutput ? QStringLiteral("Patching and packing to %1")
                              : i == 0       ? QStringLiteral("Patching to %1")
                                             : QStringLiteral("Packing to %1");
        steps.push_back({q(plan.steps[i].commandLine), q(plan.steps[i].workingDirectory),
                         title.arg(QFileInfo(output).fileName()), output});
    }
    const QList<ToolOutcome> outcomes = context_.runner.shellWait(
        steps, WindowStyle::Normal,
        [&](int step, const ToolOutcome&) { return !stepPerOutput || written(std::size_t(step)); });

    QStringList problems;
    if (!plan.batchFilePath.empty()) removeBatchFile(plan, problems);

    if (stepPerOutput) {
        for (std::size_t i = 0; i < plan.steps.size(); ++i) {
            if (i >= std::size_t(outcomes.size())) {
                problems << QStringLiteral("%1 was not started, so that no older file is packed.")
                                .arg(q(plan.steps[i].tool));
                break;
            }
            if (!outcomes[qsizetype(i)].started) {
                problems << notStarted(plan.steps[i], outcomes[qsizetype(i)]);
            } else if (!written(i)) {
                problems << notWritten(plan.outputs[i]);
            }
        }
    } else if (outcomes.isEmpty() || !outcomes.front().started) {
        // The batch file's interpreter did not run, so neither tool did.
        problems << notStarted(plan.steps.front(),
                               outcomes.isEmpty() ? ToolOutcome{} : outcomes.front());
    } else {
        const bool patched = written(0);
        if (!patched) problems << notWritten(plan.outputs[0]);
        if (!written(1)) {
            problems << notWritten(plan.outputs[1]);
        } else if (!patched) {
            problems << QStringLiteral("The packed loader was made from an older file:\n%1")
                            .arg(q(plan.outputs[1].path));
        }
    }

    if (!problems.isEmpty()) {
        context_.messages.show(problems.join(QStringLiteral("\n\n")), MessageIcon::Error);
    }
}

bool PatchRunController::writeBatchFile(const PatchPlan& plan) {
    const QString path = q(plan.batchFilePath);
    // The batch file is written in the system's 8-bit code page. A path that
    // does not read back unchanged would name another file.
    const QString text = q(plan.batchFileText);
    const QByteArray bytes = text.toLocal8Bit();
    if (!readsBackUnchanged(bytes, text)) {
        context_.messages.show(
            QStringLiteral("The packing batch file cannot be written: a path holds characters "
                           "that the command interpreter would not read as they are.\n%1")
                .arg(path),
            MessageIcon::Error);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.close();
        QFile::remove(path);
        context_.messages.show(
            QStringLiteral("The packing batch file could not be written:\n%1\n%2")
                .arg(path, reason),
            MessageIcon::Error);
        return false;
    }
    file.close();
    return true;
}

void PatchRunController::removeBatchFile(const PatchPlan& plan, QStringList& problems) {
    QFile file(q(plan.batchFilePath));
    if (file.exists() && !file.remove()) {
        problems << QStringLiteral("The packing batch file could not be deleted:\n%1\n%2")
                        .arg(file.fileName(), file.errorString());
    }
}

}  // namespace kelvane
