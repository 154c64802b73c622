#pragma once

namespace Ui {
class MainWindow;
}

namespace kelvane {

// Gives the main window's twin controls names of their own, which a screen
// reader announces instead of the title of the frame they share: the decimal
// and hexadecimal fields of each coordinate and its spinner, and the "Load"
// buttons and file fields of the picture slots. Their captions stay as they
// are; the frame's title becomes their description.
void nameTwinControls(Ui::MainWindow& ui);

}  // namespace kelvane
