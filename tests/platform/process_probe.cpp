// Started by the runner tests: prints its working directory, its arguments and
// a line on stderr, then acts on --exit=N, --crash, --sleep=MS, --ignore-term
// (then prints "ready") and --partial=TEXT (no line ending).
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
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
    }
    return exitCode;
}
