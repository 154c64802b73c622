#include "app/qt_open_loader_controller.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>

#include "app/open_loader.h"

namespace kelvane {

namespace {

std::optional<std::uint64_t> measureFile(const std::string& fullPath) {
    const QFileInfo info(QString::fromStdString(fullPath));
    if (!info.exists() || !info.isFile()) return std::nullopt;
    return static_cast<std::uint64_t>(info.size());
}

MessageIcon toMessageIcon(NoticeIcon icon) {
    return icon == NoticeIcon::Information ? MessageIcon::Information : MessageIcon::Error;
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
    const RememberedChoice& remembered = context_.state.CommonDialog1;
    const QString folder =
        remembered.empty()
            ? QString()
            : QDir::toNativeSeparators(
                  QFileInfo(QString::fromStdString(remembered.fullPath)).absolutePath());
    const std::optional<QString> chosen =
        context_.dialogs.openFileIn(QString::fromUtf8(kOpenLoaderFilter), folder);

    std::optional<RememberedChoice> confirmed;
    if (chosen && !chosen->isEmpty()) {
        confirmed =
            RememberedChoice{QFileInfo(*chosen).fileName().toStdString(), chosen->toStdString()};
    }

    const OpenLoaderOutcome outcome = kelvane::openLoader(context_.state, confirmed, measureFile);
    context_.messages.show(QString::fromStdString(outcome.message), toMessageIcon(outcome.icon));
    setStatusMessage_(QString::fromStdString(outcome.statusMessage));
}

}  // namespace kelvane
