#pragma once

namespace kelvane {

// Screen dots of a length given in twips (1440 per inch) at 96 dots per inch,
// rounded down so that negative positions move in the same even steps.
int twipsToPixels(int twips);

// Vertical position of the about window's credits inside their clipping band,
// kept in twips. Each tick moves the text up a little; once it has left the
// band at the top it re-enters from below.
class CreditsScroll {
  public:
    static constexpr int kDesignTop = 1400;   // just below the band when the window opens
    static constexpr int kRestartTop = 1700;  // below the band's lower edge (1335)
    static constexpr int kTextHeight = 3255;
    static constexpr int kStep = 3;

    int top() const { return top_; }
    int topPixels() const { return twipsToPixels(top_); }

    // One step: up by kStep; a new top above -kTextHeight restarts at
    // kRestartTop in the same tick.
    void tick();

  private:
    int top_ = kDesignTop;
};

}  // namespace kelvane
