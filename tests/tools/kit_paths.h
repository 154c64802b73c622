#pragma once

#include <filesystem>

namespace kelvane::testing {

// The kit laid out by the build (passed in by CMake).
inline std::filesystem::path kitDir() {
    return KELVANE_TEST_KIT_DIR;
}
inline std::filesystem::path hdlpatchProgram() {
    return kitDir() / "tools" / "hdlpatch.exe";
}
inline std::filesystem::path packerProgram() {
    return kitDir() / "tools" / "ps2-packer.exe";
}
inline std::filesystem::path demoLoader() {
    return kitDir() / "samples" / "DEMO.ELF";
}

}  // namespace kelvane::testing
