#include "help/credits_text.h"

#include "core/version.h"

namespace kelvane {

namespace {

// The people credited are named by their part in the work.
constexpr const char* kHdlPatchAuthor = "the HDLPatch author";
constexpr const char* kLoaderHacker = "the HDLoader hacker";
constexpr const char* kLbaPatchAuthor = "the 48bit patch author";
constexpr const char* kPackerAuthor = "the ps2-packer author";
constexpr const char* kProgramAuthor = "the HDL Kelvane GUI author";

}  // namespace

std::array<std::string, kCreditsLineCount> creditsLines() {
    using namespace std::string_literals;
    return {
        "HDLoader/HDAdvance KELVANE ver."s + versionText(),
        ""s,
        ""s,
        "Greetings:"s,
        ""s,
        "Thanks to "s + kHdlPatchAuthor + " for his HDLPatch",
        "Thanks to "s + kLoaderHacker + " for various HDLoader hacks and fixes",
        "Thanks to "s + kLbaPatchAuthor + " for the 48bit patch",
        "Thanks to "s + kPackerAuthor + " for his ps2packer",
        ""s,
        "Enjoy your HDLoader with 48-bit lba support :-)"s,
        ""s,
        ""s,
        " "s + kProgramAuthor + " - 2004",
    };
}

std::string creditsText() {
    const auto lines = creditsLines();
    std::string text = lines.front();
    for (std::size_t i = 1; i < lines.size(); ++i) text += "\r\n" + lines[i];
    return text;
}

}  // namespace kelvane
