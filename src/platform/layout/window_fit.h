#pragma once

namespace kelvane {

struct Extent {
    int width = 0;
    int height = 0;
};

// The room a window's frame (title bar and borders) takes on each side.
struct FrameMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// A window's size inside its frame, and whether its form scrolls.
struct WindowFit {
    Extent window;
    bool scrollAcross = false;
    bool scrollDown = false;
    bool scrolls() const { return scrollAcross || scrollDown; }
};

// How large a window whose form has a fixed size can open on a screen: the
// form and the bars above and below it (`barsHeight`, kept in view) whole
// when the window with its frame fits the screen's available area; otherwise
// as large as the area allows, with the form scrolling in the direction it
// does not fit, and across too when a scroll bar (`scrollBarExtent` wide)
// takes the room the form needed. Never smaller than the bars and one scroll
// bar each way.
WindowFit fitWindow(Extent available, FrameMargins frame, Extent form, int barsHeight,
                    int scrollBarExtent);

}  // namespace kelvane
