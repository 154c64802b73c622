#pragma once

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <QStringList>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace kelvane::testing {

// Frees a thread that is stuck opening or reading one of the given named
// pipes: after a grace time it opens each pipe for writing (which succeeds
// only while someone has it open for reading) and closes it again, so the
// reader sees the end of the file. stop() tells whether that was needed, so a
// regression fails its test instead of hanging it.
class PipeWatchdog {
  public:
    explicit PipeWatchdog(QStringList pipes) : state_(std::make_shared<State>()) {
        std::thread([state = state_, pipes] {
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (!state->stopped && std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            while (!state->stopped) {
                for (const QString& pipe : pipes) {
                    const int fd = ::open(QFile::encodeName(pipe).constData(),
                                          O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                    if (fd >= 0) {
                        state->freed = true;
                        ::close(fd);
                    }
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        }).detach();
    }
    ~PipeWatchdog() { stop(); }

    // Ends the watch; true when a reader had to be freed.
    bool stop() {
        state_->stopped = true;
        return state_->freed;
    }

  private:
    struct State {
        std::atomic<bool> stopped{false};
        std::atomic<bool> freed{false};
    };
    std::shared_ptr<State> state_;
};

}  // namespace kelvane::testing

#endif  // named pipes in the file system exist only on POSIX systems
