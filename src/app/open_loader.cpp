#include "app/open_loader.h"

#include "core/messages.h"

namespace kelvane {

OpenLoaderOutcome openLoader(FormState& state, const std::optional<RememberedChoice>& confirmed,
                             const FileSizeProbe& measure) {
    RememberedChoice& remembered = state.CommonDialog1;
    if (confirmed && !confirmed->empty()) remembered = *confirmed;

    // Nothing remembered yet: nothing is measured and elflen keeps its value,
    // which can only be "no value" because no file was ever confirmed.
    std::optional<std::uint64_t> measured;
    if (!remembered.empty()) {
        measured = measure(remembered.fullPath);
        state.elflen = measured;
    }

    if (measured && *measured == kUnpackedLoaderSize) {
        state.openelf = remembered.fullPath;
        return {true, kLoaderAcceptedMessage, MessageIcon::Information,
                "Loaded: " + remembered.fileName};
    }
    return {false, kLoaderRejectedMessage, MessageIcon::Error, kPleaseLoadLoader};
}

}  // namespace kelvane
