#pragma once

class QWidget;

namespace kelvane {

// Gives every control below `root` the name a screen reader announces: its
// own caption, or for a field, spinner or picture the title of the frame it
// stands in (the window's title outside any frame). Qt would otherwise name
// a frame's controls after an enclosing frame. A control given a name of its
// own beforehand keeps it. Where the frame's title is not the control's name,
// it becomes the control's description.
void nameControls(QWidget* root);

}  // namespace kelvane
