#include "platform/console/qt_job_views.h"

#include <QEventLoop>

#include "platform/console/qt_tool_console.h"

namespace kelvane {

ToolJobResult runInToolConsole(ToolRunner& runner, const ToolJob& job, const ConsolePlace& place) {
    ToolConsole console(place.window, place.desktop, place.messages);
    QObject::connect(&console, &ToolConsole::stopRequested, &console, [&] { runner.stopJob(); });
    const ToolJobResult result = runner.runJob(job, &console);
    console.finish();
    // Shown with the first step; a job whose scratch file could not be
    // written never showed it.
    if (console.isVisible()) {
        QEventLoop loop;
        QObject::connect(&console, &QDialog::finished, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return result;
}

}  // namespace kelvane
