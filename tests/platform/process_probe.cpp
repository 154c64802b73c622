// Started by the runner tests: prints its working directory, its arguments and
// a line on stderr, then acts on each option in turn.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

int main(int argc, char** argv) {
    std::printf("cwd=%s\nargc=%d\n", std::filesystem::current_path().string().c_str(), argc);
    for (int i = 0; i < argc; ++i) std::printf("arg%d=%s\n", i, argv[i]);
    std::fflush(stdout);
    std::fputs("probe writes to stderr\n", stderr);
    std::fflush(stderr);  // Windows buffers stderr when it is a pipe

    const std::string block(1 << 16, 'x');
    int exitCode = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i], value = arg.substr(arg.find('=') + 1);
        const auto is = [&](const char* option) { return arg.starts_with(option); };
        if (is("--exit=")) exitCode = std::stoi(value);
        if (is("--sleep="))
            std::this_thread::sleep_for(std::chrono::milliseconds(std::stoi(value)));
        if (is("--partial=")) std::fputs(value.c_str(), stdout);  // no line end
        if (is("--write=")) std::ofstream(value) << "written by the probe\n";
        if (is("--empty=")) std::ofstream{value};
        for (int n = 1; is("--lines=") && n <= std::stoi(value); ++n) std::printf("line %d\n", n);
        // That many bytes without a line end.
        for (long long left = is("--flood=") ? std::stoll(value) : 0; left > 0; left -= 1 << 16)
            std::fwrite(block.data(), 1, std::size_t(std::min<long long>(left, 1 << 16)), stdout);
        if (arg == "--ignore-term") {
            std::signal(SIGTERM, SIG_IGN);
            std::puts("ready");
        }
        // abort() ends a Windows program with exit code 3, not as a crash.
#ifdef _WIN32
        if (arg == "--crash") __builtin_trap();
#else
        if (arg == "--crash") std::abort();
        // A child that ignores the request to end and sleeps for a minute.
        if (arg == "--spawn") {
            const pid_t child = fork();
            if (child == 0) {
                std::signal(SIGTERM, SIG_IGN);
                std::this_thread::sleep_for(std::chrono::seconds(60));
                _exit(0);
            }
            std::printf("grandchild=%d\n", int(child));
        }
#endif
        std::fflush(stdout);
    }
    return exitCode;
}
