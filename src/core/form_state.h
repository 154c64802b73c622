#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kelvane {

// The last choice a user confirmed in one file-open dialog. Each dialog keeps
// its own; cancelling a dialog leaves it as it was.
struct RememberedChoice {
    std::string fileName;  // bare name, no directory
    std::string fullPath;  // empty until a file has been confirmed

    bool empty() const { return fullPath.empty(); }
};

// Everything the user has chosen in one run of the program. Each option writes
// its switch fragment here at once; "Patch" reads the fragments as they stand.
// An empty fragment means the switch is off. Field names follow the controls
// of the main window that own them.
struct FormState {
    // Loaded loader executable (full path) and the size last measured.
    std::string openelf;
    std::optional<std::uint64_t> elflen;

    // Plain fixes: "/n", "/c", "/s", "/b", "/f", "/l" or empty.
    std::string uno, due, tre, quattro, cinque, sei;
    // Date/time fix "/D0".."/D3" and language "/T1".."/T6", or empty.
    std::string Dx;
    std::string Text4;

    // Video position: decimal displays and the hexadecimal fields sent to the
    // tool; "00" only before any position was chosen.
    std::string textx = "00";
    std::string texty = "00";
    std::string textxhex = "00";
    std::string textyhex = "00";
    // The hidden sliders the default buttons store their values in (0..255).
    int Slider1 = 0;
    int Slider2 = 0;

    // Replacement graphics and colour table: a switch, a blank and a quoted path.
    std::string Text1;     // font image      "/IF \"...\""
    std::string Text9;     // splash screen   " /IS \"...\""
    std::string Text10;    // main-menu screen " /IM \"...\""
    std::string pulsanti;  // button image    "/IB \"...\""
    std::string colors;    // colour table    "/IC \"...\""

    // Output name as typed, the output path and the packed output path.
    std::string text13 = "OUTFILE.ELF";
    std::string Text2;
    std::string textpacked;

    // Remembered choices of the five file-open dialogs.
    RememberedChoice CommonDialog1;  // Open HDL/HDA
    RememberedChoice CommonDialog2;  // font
    RememberedChoice CommonDialog3;  // main-menu screen
    RememberedChoice CommonDialog4;  // splash screen
    RememberedChoice CommonDialog5;  // button image
};

}  // namespace kelvane
