#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace kelvane {

// How one command line is handed to QProcess on this system.
//
// On Windows the command line goes unchanged to process creation; the program
// is its first token. Elsewhere it is split into arguments by the Windows C
// runtime's rules (never by a shell); the program must exist and be
// executable, and a Windows program (a file starting with "MZ") is run through
// wine when wine is installed.
struct LaunchPlan {
    bool ok = false;
    QString error;          // why the command cannot be started; names the program
    QString program;        // what QProcess starts
    QStringList arguments;  // its arguments (not used on Windows)
    QString commandLine;    // the command line as given
    QString named;          // the program the command line names, for messages
};

// `wineSearchPath` lists the directories searched for wine; empty means PATH.
LaunchPlan planLaunch(const QString& commandLine, const QStringList& wineSearchPath = {});

// Sets program and arguments (on Windows: the exact command line) on `process`.
void applyLaunchPlan(QProcess& process, const LaunchPlan& plan);

// Checks a working directory before a start; empty means the program's own.
// Returns the error sentence, or an empty string when it can be used.
QString workingDirectoryError(const QString& directory);

// The reason QProcess gave for a failed start, naming the program.
QString startFailure(const LaunchPlan& plan, const QProcess& process);

#ifdef Q_OS_WIN
// Makes `process` pass `commandLine` to CreateProcess exactly as written;
// `applicationPath`, when given, names the program file to run.
void setExactCommandLine(QProcess& process, const QString& commandLine,
                         const QString& applicationPath = {});
#endif

}  // namespace kelvane
