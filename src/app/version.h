#pragma once

#include <string>

namespace kelvane {

inline constexpr int kVersionMajor = 2;
inline constexpr int kVersionMinor = 0;

// Caption of every message box.
inline constexpr const char* kProgramTitle = "HDL Kelvane GUI";

// "2.0": major and minor as plain decimal numbers.
inline std::string versionText() {
    return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor);
}

}  // namespace kelvane
