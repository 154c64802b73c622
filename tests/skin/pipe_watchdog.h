#pragma once

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <QStringList>
#include <atomic>
#include <chrono>
#include <thread>

namespace kelvane::testing {

// Frees a reader stuck on one of the given named pipes: after a grace time it
// keeps opening each for writing (which succeeds only while it has a reader)
// and closing it, so a regression fails its test instead of hanging it.
class PipeWatchdog {
  public:
    explicit PipeWatchdog(QStringList pipes)
        : thread_([this, pipes](std::stop_token stop) {
              using namespace std::chrono_literals;
              const auto deadline = std::chrono::steady_clock::now() + 5s;
              for (; !stop.stop_requested(); std::this_thread::sleep_for(10ms)) {
                  if (std::chrono::steady_clock::now() < deadline) continue;
                  for (const QString& pipe : pipes) {
                      const int fd = ::open(QFile::encodeName(pipe).constData(),
                                            O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                      if (fd >= 0) freed_ = true, ::close(fd);
                  }
              }
          }) {}

    // True when a reader had to be freed.
    bool stop() {
        thread_.request_stop();
        return freed_;
    }

  private:
    std::atomic<bool> freed_{false};
    std::jthread thread_;
};

}  // namespace kelvane::testing

#endif  // named pipes in the file system exist only on POSIX systems
