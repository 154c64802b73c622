// Started by the runner tests: prints its working directory, its arguments and
// a line on stderr, then acts on --exit=N, --crash, --sleep=MS, --ignore-term
// (then prints "ready"), --partial=TEXT (no line ending), --write=PATH (writes
// a small file), --empty=PATH (leaves it empty), --lines=N (N numbered lines), --flood=BYTES (that
// many bytes without a line end) and --spawn (starts a child that sleeps for a minute and prints
// "grandchild=PID").
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>

int main(int argc, char** argv) {
    std::cout << "cwd=" << std::filesystem::current_path().string() << "\nargc=" << argc << '\n';
    for (int i = 0; i < argc; ++i) std::cout << "arg" << i << "=" << argv[i] << '\n';
    std::cout.flush();
    std::cerr << "probe writes to stderr" << std::endl;

    int exitCode = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const std::string value = arg.substr(arg.find('=') + 1);
        if (arg.starts_with("--exit=")) exitCode = std::stoi(value);
        if (arg == "--crash") {
#ifdef _WIN32
            // abort() ends a Windows program with exit code 3, not as a crash.
            __builtin_trap();
#else
            std::abort();
#endif
        }
        if (arg.starts_with("--sleep="))
            std::this_thread::sleep_for(std::chrono::milliseconds(std::stoi(value)));
        if (arg == "--ignore-term") {
            std::signal(SIGTERM, SIG_IGN);
            std::cout << "ready" << std::endl;
        }
        if (arg.starts_with("--partial=")) std::cout << value << std::flush;
        if (arg.starts_with("--write=")) std::ofstream(value) << "written by the probe\n";
        if (arg.starts_with("--empty=")) std::ofstream{value};
        if (arg.starts_with("--lines=")) {
            const int count = std::stoi(value);
            for (int n = 1; n <= count; ++n) std::printf("line %d\n", n);
            std::fflush(stdout);
        }
        if (arg.starts_with("--flood=")) {
            const std::string block(1 << 16, 'x');
            for (long long left = std::stoll(value); left > 0; left -= 1 << 16)
                std::fwrite(block.data(), 1, std::size_t(std::min<long long>(left, 1 << 16)),
                            stdout);
            std::fflush(stdout);
        }
#ifndef _WIN32  // the Windows tree is tested with a Windows program of its own
        if (arg == "--spawn") {
            const pid_t child = fork();
            if (child == 0) {
                std::signal(SIGTERM, SIG_IGN);
                std::this_thread::sleep_for(std::chrono::seconds(60));
                _exit(0);
            }
            std::cout << "grandchild=" << child << std::endl;
        }
#endif
    }
    return exitCode;
}
