#pragma once

namespace pptdrill {

// Where the main menu goes on a screen of the given size.
struct MenuLayout
{
    bool laidOut = false;     // false while minimized: the window stays as it is
    bool captionless = false; // exactly 800 × 600: no caption, at the top left
    bool btgrVisible = false; // the minimize / exit buttons of the captionless layout
    double leftTwips = 0;
    double topTwips = 0;
    bool screenTooSmall = false; // below 800 × 600: the resolution message, and the end
};

bool screenTooSmall(int screenWidth, int screenHeight);
MenuLayout computeMenuLayout(int screenWidth, int screenHeight, bool minimized);

} // namespace pptdrill
