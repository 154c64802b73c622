#include "skin/qt_extraction_controller.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include "core/messages.h"
#include "core/tool_paths.h"
#include "platform/qt_text.h"
#include "skin/graphics_extraction.h"
#include "skin/qt_picture_box.h"

namespace kelvane {

ExtractionController::ExtractionController(Widgets widgets, AppContext& context, QObject* parent)
    : QObject(parent), widgets_(widgets), context_(context) {
    connect(widgets_.extractButton, &QPushButton::clicked, this,
            &ExtractionController::extractGraphics);
    connect(widgets_.preloadButton, &QPushButton::clicked, this,
            &ExtractionController::preloadGraphics);
    connect(widgets_.viewButton, &QPushButton::clicked, this,
            &ExtractionController::viewCurrentSkin);
    connect(&context_.runs, &RunGuard::busyChanged, this, [this](bool busy) {
        widgets_.extractButton->setEnabled(!busy);
        widgets_.preloadButton->setEnabled(!busy);
    });
}

bool ExtractionController::mayStart() {
    context_.focusSink();
    if (context_.runs.busy()) return false;
    if (context_.state.openelf.empty()) {
        context_.messages.show(qtText(kPleaseLoadLoader), MessageIcon::None);
        return false;
    }
    return true;
}

void ExtractionController::extractGraphics() {
    if (!mayStart()) return;
    runExtraction(extractionDirectory(context_.programDir), true);
}

void ExtractionController::preloadGraphics() {
    if (!mayStart()) return;
    widgets_.viewButton->setEnabled(true);
    emit preloadRequested();
    runExtraction(previewDirectory(context_.programDir), false);
}

void ExtractionController::runExtraction(const std::string& directory, bool announceSuccess) {
    const ProgramDirectory& dir = context_.programDir;
    const std::string& loaded = context_.state.openelf;
    if (!extractionCommandLineIsFaithful(dir, loaded)) {
        const bool loadedIsOdd = loaded.find('"') != std::string::npos;
        showError(pathNotPassableMessage(loadedIsOdd ? loaded : hdlpatchPath(dir)));
        return;
    }
    // Without its own directory the tool would write into some other one.
    if (!QDir().mkpath(qtText(directory)) || !QFileInfo(qtText(directory)).isDir()) {
        showError(readOnlyFolder(context_.programDir.directory())
                      ? directoryNotWritableMessage(directory)
                      : directoryNotMadeMessage(directory));
        return;
    }
    if (readOnlyFolder(directory)) {
        showError(directoryNotWritableMessage(directory));
        return;
    }

    context_.runs.begin();
    const ToolJob job = graphicsExtractionJob(dir, loaded, directory);
    QPointer<ExtractionController> self(this);
    context_.runner.startJob(job, [self, job, announceSuccess](const ToolJobResult& result) {
        if (!self) return;
        self->context_.runs.end();
        if (const auto report =
                judgeExtraction(self->context_.programDir, job, result, announceSuccess))
            self->context_.messages.show(qtText(report->text), report->icon);
    });
}

void ExtractionController::viewCurrentSkin() {
    context_.focusSink();
    const std::string preview = previewDirectory(context_.programDir);
    const char separator = context_.programDir.separator();
    for (const auto& [box, file] : {std::pair{widgets_.splashPreview, "hdl_splash.bmp"},
                                    std::pair{widgets_.mainMenuPreview, "hdl_main.bmp"}}) {
        // A named pipe in the preview folder is refused, never waited on.
        QString refusal;
        showInPictureBox(
            box, readPreviewPicture(qtText(graphicsFilePath(preview, separator, file)), &refusal));
        if (!refusal.isEmpty()) context_.messages.show(refusal, MessageIcon::Error);
    }
}

void ExtractionController::showError(const std::string& text) {
    context_.messages.show(qtText(text), MessageIcon::Error);
}

}  // namespace kelvane
