#pragma once

namespace kelvane {

// The surfaces of the main window whose mouse movements recolour the two link
// labels. Movements over any other control change nothing, so a label left
// for another control stays red until a resetting surface is crossed.
enum class HoverSurface {
    Label2,         // community link
    Label3,         // font-builder link
    WindowSurface,  // the main window outside every control
    Frame6,         // "BMP Fonts" outside its controls
    Frame9,         // "Skin your HDLoader/HDAdvance" outside its controls
};

enum class LinkColour { AtRest, UnderMouse };

struct LinkColours {
    LinkColour label2 = LinkColour::AtRest;
    LinkColour label3 = LinkColour::AtRest;

    friend bool operator==(const LinkColours&, const LinkColours&) = default;
};

// The colours after the mouse moved over `surface`.
LinkColours afterMouseMove(LinkColours colours, HoverSurface surface);

}  // namespace kelvane
