#include "skin/qt_extraction_controller.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>

#include "core/graphics_set.h"
#include "core/tool_paths.h"
#include "skin/graphics_extraction.h"
#include "skin/qt_picture_box.h"
#include "ui_qt_main_window.h"

namespace kelvane {
namespace {

QString toQt(const std::string& text) {
    return QString::fromStdString(text);
}

// How a tool that did start but did not end cleanly ended, or empty.
std::string howToolFailed(const ToolOutcome& outcome) {
    if (outcome.stopped) return "was stopped";
    if (outcome.crashed) return "ended abnormally";
    if (outcome.exitCode != 0) return "ended with exit code " + std::to_string(outcome.exitCode);
    return {};
}

}  // namespace

ExtractionController::ExtractionController(Ui::MainWindow& ui, AppContext& context, QObject* parent)
    : QObject(parent), ui_(ui), context_(context) {
    connect(ui_.Command13, &QPushButton::clicked, this, &ExtractionController::extractGraphics);
    connect(ui_.Command8, &QPushButton::clicked, this, &ExtractionController::preloadGraphics);
    connect(ui_.Command6, &QPushButton::clicked, this, &ExtractionController::viewCurrentSkin);
}

void ExtractionController::extractGraphics() {
    context_.focusSink();
    if (context_.state.openelf.empty()) {
        context_.messages.show(kPleaseLoadMessage, MessageIcon::None);
        return;
    }
    runExtraction(toQt(extractionDirectory(context_.programDir)), true);
}

void ExtractionController::preloadGraphics() {
    context_.focusSink();
    if (context_.state.openelf.empty()) {
        context_.messages.show(kPleaseLoadMessage, MessageIcon::None);
        return;
    }
    ui_.Command6->setEnabled(true);
    emit preloadRequested();
    runExtraction(toQt(previewDirectory(context_.programDir)), false);
}

void ExtractionController::runExtraction(const QString& directory, bool announceSuccess) {
    const ProgramDirectory& dir = context_.programDir;
    const std::string& loaded = context_.state.openelf;
    if (!extractionCommandLineIsFaithful(dir, loaded)) {
        const bool loadedIsOdd = loaded.find('"') != std::string::npos;
        showError(pathNotPassableMessage(loadedIsOdd ? loaded : hdlpatchPath(dir)));
        return;
    }
    // Without its own directory the tool would write into some other one.
    if (!QDir().mkpath(directory) || !QFileInfo(directory).isDir()) {
        showError(directoryNotMadeMessage(directory.toStdString()));
        return;
    }

    QPointer<ExtractionController> self(this);
    const ToolCommand command{toQt(graphicsExtractionCommandLine(dir, loaded)), directory};
    const StartOutcome start = context_.runner.shellStart(
        command, WindowStyle::Hidden, [self, directory, announceSuccess](const ToolOutcome& o) {
            if (self) self->toolFinished(directory, announceSuccess, o);
        });
    if (!start.started)
        showError(toolNotStartedMessage(hdlpatchPath(dir), start.error.toStdString()));
}

void ExtractionController::toolFinished(const QString& directory, bool announceSuccess,
                                        const ToolOutcome& outcome) {
    if (const std::string how = howToolFailed(outcome); !how.empty()) {
        showError(toolFailedMessage(hdlpatchPath(context_.programDir), how));
        return;
    }
    const std::string where = directory.toStdString();
    const char separator = context_.programDir.separator();
    std::vector<std::string> missing;
    for (const char* file : kGraphicsSetFiles) {
        if (!QFileInfo(toQt(graphicsFilePath(where, separator, file))).isFile())
            missing.emplace_back(file);
    }
    if (!missing.empty()) {
        showError(graphicsMissingMessage(where, missing));
        return;
    }
    if (announceSuccess)
        context_.messages.show(toQt(graphicsExtractedMessage(context_.programDir)),
                               MessageIcon::None);
}

void ExtractionController::viewCurrentSkin() {
    context_.focusSink();
    const std::string preview = previewDirectory(context_.programDir);
    const char separator = context_.programDir.separator();
    for (const auto& [box, file] :
         {std::pair{ui_.Image3, "hdl_splash.bmp"}, std::pair{ui_.Image2, "hdl_main.bmp"}}) {
        QString refusal;
        showInPictureBox(
            box, readPreviewPicture(toQt(graphicsFilePath(preview, separator, file)), &refusal));
        if (!refusal.isEmpty()) context_.messages.show(refusal, MessageIcon::Error);
    }
}

void ExtractionController::showError(const std::string& text) {
    context_.messages.show(toQt(text), MessageIcon::Error);
}

}  // namespace kelvane
