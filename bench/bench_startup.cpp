// Start-up of the program (its own start-up function, from its kit folder)
// against a bare Qt window built in the same tree: each is started alternately, ROUNDS times
// (default 20); the time from starting the process to its window shown and the event loop idle, and
// the peak memory by then, are compared by their medians. The main window's controls alone (its
// form with the program's font, no program code) are started in the same rounds and shown beside
// them, without a target: the part of the start-up that the window's controls take by themselves.
//
// Usage: bench_startup [ROUNDS]   (run under a display: xvfb-run)
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

long long monotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

struct Start {
    double ms = 0;
    double peakMiB = 0;
};

// Starts `program` and reads the line it prints once idle.
bool startOnce(const std::string& program, Start& start) {
    int out[2];
    if (pipe(out) != 0) return false;
    const long long began = monotonicNs();
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    std::string text;
    char buffer[256];
    ssize_t n = 0;
    while ((n = read(out[0], buffer, sizeof buffer)) > 0) text.append(buffer, std::size_t(n));
    close(out[0]);
    int status = 0;
    waitpid(child, &status, 0);
    long long readyNs = 0;
    long peakKiB = 0;
    if (std::sscanf(text.c_str(), "%lld %ld", &readyNs, &peakKiB) != 2) return false;
    start.ms = (readyNs - began) / 1e6;
    start.peakMiB = peakKiB / 1024.0;
    return true;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    // Holds a connection to the display for the whole run, as a desktop
    // session does. An X server that loses its last client resets itself,
    // and a window started during that reset waits for it: without this
    // connection every start would include a reset, which hides how much
    // slower one window starts than the other.
    QGuiApplication display(argc, argv);
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 20;
    std::string self = argv[0];
    const std::string dir = self.substr(0, self.rfind('/') + 1);
    const std::string bare = dir + "bench_startup_bare_window";
    const std::string form = dir + "bench_startup_form_window";
    const std::string program = std::string(KELVANE_KIT_DIR) + "/bench_startup_program_window";

    std::vector<double> bareMs, bareMiB, formMs, programMs, programMiB;
    Start start;
    // One start of each first, so that all find the libraries in the cache.
    if (!startOnce(bare, start) || !startOnce(form, start) || !startOnce(program, start)) {
        std::fprintf(stderr, "a window did not start (is there a display?)\n");
        return 2;
    }
    for (int i = 0; i < rounds; ++i) {
        if (!startOnce(bare, start)) return 2;
        bareMs.push_back(start.ms);
        bareMiB.push_back(start.peakMiB);
        if (!startOnce(form, start)) return 2;
        formMs.push_back(start.ms);
        if (!startOnce(program, start)) return 2;
        programMs.push_back(start.ms);
        programMiB.push_back(start.peakMiB);
    }
    const double timeRatio = median(programMs) / median(bareMs);
    const double memoryRatio = median(programMiB) / median(bareMiB);
    std::printf("start-up to shown and idle, median of %d: program %.1f ms, bare window %.1f ms\n",
                rounds, median(programMs), median(bareMs));
    std::printf("  ratio %.2fx   target <= 1.30x   %s\n", timeRatio,
                timeRatio <= 1.30 ? "ok" : "MISSED");
    std::printf("  the window's controls alone (its form, no program code): %.1f ms, %.2fx\n",
                median(formMs), median(formMs) / median(bareMs));
    std::printf("peak memory at that point, median: program %.1f MiB, bare window %.1f MiB\n",
                median(programMiB), median(bareMiB));
    std::printf("  ratio %.2fx   target <= 1.25x   %s\n", memoryRatio,
                memoryRatio <= 1.25 ? "ok" : "MISSED");
    return timeRatio <= 1.30 && memoryRatio <= 1.25 ? 0 : 1;
}
