#include "platform/layout/window_fit.h"

#include <algorithm>

namespace kelvane {

WindowFit fitWindow(Extent available, FrameMargins frame, Extent form, int barsHeight,
                    int scrollBarExtent) {
    const int roomAcross = available.width - frame.left - frame.right;
    const int roomDown = available.height - frame.top - frame.bottom - barsHeight;

    // A scroll bar one way takes room the other way. Scrolling is only ever
    // added, so this settles within three rounds.
    WindowFit fit;
    for (bool changed = true; changed;) {
        const bool across = form.width + (fit.scrollDown ? scrollBarExtent : 0) > roomAcross;
        const bool down = form.height + (fit.scrollAcross ? scrollBarExtent : 0) > roomDown;
        changed = across != fit.scrollAcross || down != fit.scrollDown;
        fit.scrollAcross = across;
        fit.scrollDown = down;
    }
    const int across = form.width + (fit.scrollDown ? scrollBarExtent : 0);
    const int down = form.height + (fit.scrollAcross ? scrollBarExtent : 0);
    fit.window.width = std::max(std::min(across, roomAcross), 2 * scrollBarExtent);
    fit.window.height = barsHeight + std::max(std::min(down, roomDown), 2 * scrollBarExtent);
    return fit;
}

}  // namespace kelvane
