#include "app/startup.h"

#include "core/messages.h"
#include "core/version.h"

namespace kelvane {

StartupTexts startupTexts() {
    return {
        "HDL/HDA Kelvane GUI  ver. " + versionText(),
        kPleaseLoadLoader,
        "HDL/HDA QRX " + versionText(),
    };
}

// The output name is appended as typed: only the fixed prefix goes through
// the separator conversion of ProgramDirectory::join.
std::string outputPath(const ProgramDirectory& dir, std::string_view outputName) {
    return dir.join("\\") + std::string(outputName);
}

std::string packedOutputPath(const ProgramDirectory& dir, std::string_view outputName) {
    return dir.join("\\PACKED_") + std::string(outputName);
}

void applyStartup(FormState& state, const ProgramDirectory& dir) {
    state.Text2 = outputPath(dir, state.text13);
    state.textpacked = packedOutputPath(dir, state.text13);
}

}  // namespace kelvane
