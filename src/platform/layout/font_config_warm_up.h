#pragma once

#include <thread>

namespace kelvane {

// Reads the system's font configuration (fontconfig's rules and font lists)
// on a second thread, so that this part of building the font database runs
// while the main thread starts the application and connects to the display.
// Where fonts are not configured through fontconfig it does nothing.
class FontConfigWarmUp {
  public:
    FontConfigWarmUp();
    ~FontConfigWarmUp();
    FontConfigWarmUp(const FontConfigWarmUp&) = delete;
    FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

    // Returns once the configuration is read; call before the first use of a
    // font.
    void wait();

  private:
    std::thread thread_;
};

}  // namespace kelvane
