// How fast the tool console takes a chatty tool's output: lines appended to
// the capped log while the window is shown.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "platform/qt_tool_console.h"

namespace {

void BM_ConsoleAppendLines(benchmark::State& st) {
    kelvane::ToolConsole console;
    console.show();
    console.beginStep(
        QStringLiteral("\"C:\\Kit\\tools\\hdlpatch.exe\" /X \"C:\\PS2\\HDLOADER.ELF\""));
    const QString line = QStringLiteral("Patching offset 0x0012F4A0: 00 00 00 00 -> 01 02 03 04");
    for (auto _ : st) {
        for (int i = 0; i < 1000; ++i) console.appendOutput(line);
        QCoreApplication::processEvents();
    }
    st.SetItemsProcessed(st.iterations() * 1000);
}
BENCHMARK(BM_ConsoleAppendLines)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
