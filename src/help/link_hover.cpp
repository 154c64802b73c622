#include "help/link_hover.h"

namespace kelvane {

LinkColours afterMouseMove(LinkColours colours, HoverSurface surface) {
    switch (surface) {
        case HoverSurface::Label2:
            colours.label2 = LinkColour::UnderMouse;
            break;
        case HoverSurface::Label3:
            colours.label3 = LinkColour::UnderMouse;
            break;
        case HoverSurface::WindowSurface:
            colours.label2 = LinkColour::AtRest;
            colours.label3 = LinkColour::AtRest;
            break;
        case HoverSurface::Frame6:
        case HoverSurface::Frame9:
            colours.label3 = LinkColour::AtRest;
            break;
    }
    return colours;
}

}  // namespace kelvane
