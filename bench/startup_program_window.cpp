// The program's own start-up (the same function main() runs), reporting once
// its main window has painted and the event loop is idle, for the start-up
// benchmark.
#include <QWidget>

#include "app/qt_program.h"
#include "startup_probe.h"

int main(int argc, char** argv) {
    return kelvane::runProgram(argc, argv, [](QWidget& window) { new ReportWhenIdle(window); });
}
