// A small program the runner tests start. It reports its working directory
// and arguments on standard output, one per line, then acts on its options in
// the order given:
//   --exit=N        end with exit code N (default 0)
//   --crash         end abnormally
//   --sleep=MS      sleep MS milliseconds
//   --ignore-term   ignore the polite request to end
//   --lines=N       print N numbered lines "line K"
//   --touch=NAME    create the file NAME (relative to the working directory)
//   --partial=TEXT  print TEXT without a line ending
// After --ignore-term it prints "ready".
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>

namespace {

bool option(const std::string& arg, const std::string& name, std::string* value) {
    if (arg.rfind(name, 0) != 0) return false;
    *value = arg.substr(name.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::cout << "cwd=" << std::filesystem::current_path().string() << std::endl;
    std::cout << "argc=" << argc << std::endl;
    for (int i = 0; i < argc; ++i) std::cout << "arg" << i << "=" << argv[i] << std::endl;
    std::cerr << "probe writes to stderr" << std::endl;

    int exitCode = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        std::string value;
        if (option(arg, "--exit=", &value)) {
            exitCode = std::stoi(value);
        } else if (arg == "--crash") {
            std::abort();
        } else if (option(arg, "--sleep=", &value)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::stoi(value)));
        } else if (arg == "--ignore-term") {
            std::signal(SIGTERM, SIG_IGN);
            std::cout << "ready" << std::endl;
        } else if (option(arg, "--lines=", &value)) {
            const int count = std::stoi(value);
            for (int k = 1; k <= count; ++k) std::cout << "line " << k << '\n';
            std::cout.flush();
        } else if (option(arg, "--touch=", &value)) {
            std::ofstream(value) << "touched\n";
        } else if (option(arg, "--partial=", &value)) {
            std::cout << value << std::flush;
        }
    }
    return exitCode;
}
