#include "app/qt_open_loader_controller.h"

#include <QAction>
#include <QFileInfo>

#include "app/open_loader.h"
#include "platform/desktop/qt_file_dialogs.h"
#include "platform/qt_text.h"

namespace kelvane {

namespace {

std::optional<std::uint64_t> measureFile(const std::string& fullPath) {
    const QFileInfo info(qtText(fullPath));
    if (!info.exists() || !info.isFile()) return std::nullopt;
    return static_cast<std::uint64_t>(info.size());
}

}  // namespace

OpenLoaderController::OpenLoaderController(QAction* trigger, AppContext& context,
                                           std::function<void(const QString&)> setStatusMessage,
                                           QObject* parent)
    : QObject(parent), context_(context), setStatusMessage_(std::move(setStatusMessage)) {
    connect(trigger, &QAction::triggered, this, &OpenLoaderController::openLoader);
}

void OpenLoaderController::openLoader() {
    // The dialog opens where the last confirmed choice was.
    const std::optional<QString> chosen = context_.dialogs.openFileIn(
        qtText(kOpenLoaderFilter), folderOfChoice(qtText(context_.state.CommonDialog1.fullPath)));

    std::optional<RememberedChoice> confirmed;
    if (chosen && !chosen->isEmpty()) {
        confirmed = RememberedChoice{stdText(QFileInfo(*chosen).fileName()), stdText(*chosen)};
    }

    const OpenLoaderOutcome outcome = kelvane::openLoader(context_.state, confirmed, measureFile);
    context_.messages.show(qtText(outcome.message), outcome.icon);
    setStatusMessage_(qtText(outcome.statusMessage));
}

}  // namespace kelvane
