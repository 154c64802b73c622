#include "help/credits_scroll.h"

namespace kelvane {

namespace {
constexpr int kTwipsPerPixel = 15;
}

int twipsToPixels(int twips) {
    int pixels = twips / kTwipsPerPixel;
    if (twips % kTwipsPerPixel < 0) --pixels;
    return pixels;
}

void CreditsScroll::tick() {
    top_ -= kStep;
    if (top_ < -kTextHeight) top_ = kRestartTop;
}

}  // namespace kelvane
