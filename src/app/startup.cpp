#include "app/startup.h"

#include "core/messages.h"
#include "core/tool_paths.h"
#include "core/version.h"

namespace kelvane {

StartupTexts startupTexts() {
    return {
        "HDL/HDA Kelvane GUI  ver. " + versionText(),
        kPleaseLoadLoader,
        "HDL/HDA QRX " + versionText(),
    };
}

void applyStartup(FormState& state, const ProgramDirectory& dir) {
    state.Text2 = outputPath(dir, state.text13);
    state.textpacked = packedOutputPath(dir, state.text13);
}

}  // namespace kelvane
