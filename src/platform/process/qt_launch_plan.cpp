#include "platform/process/qt_launch_plan.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <memory>
#include <string>
#include <vector>

#include "platform/process/command_line_split.h"

namespace kelvane {
namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

#ifndef Q_OS_WIN
// Windows programs and DLLs start with the two bytes "MZ".
bool isWindowsProgram(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    return file.read(2) == "MZ";
}

// Finds the file a program token names the way CreateProcess would for a
// token with a directory part (relative to our own working directory), and
// in PATH for a bare name.
QString locateProgram(const QString& named) {
    if (named.contains(QLatin1Char('/'))) return QFileInfo(named).absoluteFilePath();
    return QStandardPaths::findExecutable(named);
}
#endif

}  // namespace

LaunchPlan planLaunch(const QString& commandLine, const QStringList& wineSearchPath) {
    LaunchPlan plan;
    plan.commandLine = commandLine;

    const std::vector<std::string> argv = splitWindowsCommandLine(commandLine.toStdString());
    const QString named = QString::fromStdString(argv.front());
    if (named.isEmpty()) {
        plan.error = QStringLiteral("the command line names no program");
        return plan;
    }
    plan.named = named;

#ifdef Q_OS_WIN
    Q_UNUSED(wineSearchPath);
    plan.program = named;
    plan.ok = true;
    return plan;
#else
    QStringList arguments;
    for (std::size_t i = 1; i < argv.size(); ++i) arguments << QString::fromStdString(argv[i]);

    const QString program = locateProgram(named);
    const QFileInfo info(program);
    if (program.isEmpty() || !info.exists()) {
        plan.error = QStringLiteral("%1 does not exist").arg(shown(named));
        return plan;
    }
    if (info.isDir()) {
        plan.error = QStringLiteral("%1 is a directory, not a program").arg(shown(program));
        return plan;
    }
    if (isWindowsProgram(program)) {
        const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"), wineSearchPath);
        if (wine.isEmpty()) {
            plan.error = QStringLiteral("%1 is a Windows program; install wine to run it")
                             .arg(shown(program));
            return plan;
        }
        plan.named = program;
        plan.program = wine;
        plan.arguments = QStringList{program} + arguments;
        plan.ok = true;
        return plan;
    }
    if (!info.isExecutable()) {
        plan.error = QStringLiteral("%1 is not an executable program").arg(shown(program));
        return plan;
    }
    plan.named = program;
    // Started by the full path of the file itself, links resolved: a tool
    // that finds its data from the path it was started by (a modular
    // ps2-packer looks in ../share/ps2-packer) finds it also through a link
    // in the tools folder or on the PATH.
    const QString real = info.canonicalFilePath();
    plan.program = real.isEmpty() ? program : real;
    plan.arguments = arguments;
    plan.ok = true;
    return plan;
#endif
}

void applyLaunchPlan(QProcess& process, const LaunchPlan& plan) {
#ifdef Q_OS_WIN
    setExactCommandLine(process, plan.commandLine);
    process.setProgram(plan.program);
#else
    process.setProgram(plan.program);
    process.setArguments(plan.arguments);
#endif
}

QString workingDirectoryError(const QString& directory) {
    if (directory.isEmpty() || QFileInfo(directory).isDir()) return {};
    return QStringLiteral("the working directory %1 does not exist").arg(shown(directory));
}

QString startFailure(const LaunchPlan& plan, const QProcess& process) {
    return QStringLiteral("%1: %2").arg(shown(plan.named), process.errorString());
}

#ifdef Q_OS_WIN
void setExactCommandLine(QProcess& process, const QString& commandLine,
                         const QString& applicationPath) {
    // CreateProcess may write into the command line buffer, so it must be a
    // mutable buffer that lives as long as the modifier.
    auto line = std::make_shared<std::wstring>(commandLine.toStdWString());
    auto application = std::make_shared<std::wstring>(applicationPath.toStdWString());
    process.setCreateProcessArgumentsModifier(
        [line, application](QProcess::CreateProcessArguments* args) {
            args->arguments = line->data();
            if (!application->empty()) args->applicationName = application->c_str();
        });
}
#endif

}  // namespace kelvane
