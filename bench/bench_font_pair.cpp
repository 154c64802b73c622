// Making a font pair from a 12-pixel font (render, widths, both files
// written) and checking a chosen pair (both files read, every rule), as the
// median of many rounds, and what a change of family in Make Font costs the
// first time, each beside its target.
//
// Usage: bench_font_pair [ROUNDS]   (default 50)
// Run with QT_QPA_PLATFORM=offscreen or under a display.
#include <QDir>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "skin/font/font_pair_check.h"
#include "skin/qt_font_pair_files.h"
#include "skin/qt_font_renderer.h"

using namespace kelvane;

namespace {

double medianMs(int rounds, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer clock;
        clock.start();
        work();
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

bool report(const char* what, double ms, double targetMs) {
    const bool met = ms < targetMs;
    std::printf("%-58s %7.2f ms  (target under %.0f ms)%s\n", what, ms, targetMs,
                met ? "" : "  MISSED");
    return met;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    QTemporaryDir dir;
    const QString sheet = dir.filePath("bench.bmp");
    const QString family = QFontDatabase::hasFamily("DejaVu Sans Mono")
                               ? QStringLiteral("DejaVu Sans Mono")
                               : QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    std::printf("font: %s, 12 px; %d rounds\n", qPrintable(family), rounds);

    bool ok = true;
    QString error;
    int failures = 0;
    // The first render loads the font; a user sees that once per family.
    renderFontPair({family, 12, false, false});
    ok &= report("make a pair (render, widths, both files written)",
                 medianMs(rounds,
                          [&] {
                              const RenderedFont made = renderFontPair({family, 12, false, false});
                              failures += !writeFontPair(sheet, made.pair, &error);
                          }),
                 30);
    ok &= report(
        "check a chosen pair (both files read, every rule)",
        medianMs(rounds, [&] { failures += !checkFontPair(readFontPairFiles(sheet).files).ok(); }),
        5);
    ok &= report("render only (what the preview redraws on a change)",
                 medianMs(rounds,
                          [&] {
                              renderFontPair({family, 13, true, false});
                          }),
                 30);
    // A change of family in Make Font: the largest size that fits, then the
    // drawing, each family for the first time (its font files not yet loaded).
    std::vector<double> firsts;
    const QStringList families = QFontDatabase::families();
    for (qsizetype i = 0; i < families.size() && firsts.size() < 20;
         i += 1 + families.size() / 20) {
        QElapsedTimer clock;
        clock.start();
        FontRenderSettings settings{families[i], 12, false, false};
        settings.pixelSize = largestFittingPixelSize(settings);
        renderFontPair(settings);
        firsts.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(firsts.begin(), firsts.end());
    std::printf("change of family, first time (%zu families): median %.2f ms\n", firsts.size(),
                firsts[firsts.size() / 2]);
    ok &= report("change of family, first time: the slowest", firsts.back(), 100);
    if (failures) std::printf("%d rounds failed: %s\n", failures, qPrintable(error));
    return ok && failures == 0 ? 0 : 1;
}
