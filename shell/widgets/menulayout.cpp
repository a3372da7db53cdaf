#include "shell/widgets/menulayout.h"

#include "shell/widgets/controls.h"

namespace pptdrill {

bool screenTooSmall(int screenWidth, int screenHeight)
{
    return screenWidth < 800 || screenHeight < 600;
}

MenuLayout computeMenuLayout(int screenWidth, int screenHeight, bool minimized)
{
    MenuLayout layout;
    layout.screenTooSmall = screenTooSmall(screenWidth, screenHeight);
    if (minimized)
        return layout;
    layout.laidOut = true;
    if (screenWidth == 800 && screenHeight == 600) {
        layout.captionless = true;
        layout.btgrVisible = true;
        return layout;
    }
    // Centred for an outer height of 643 pixels; a half pixel where the
    // difference is odd.
    layout.leftTwips = (screenWidth - 800) / 2.0 * twipsPerPixel;
    layout.topTwips = (screenHeight - 643) / 2.0 * twipsPerPixel;
    return layout;
}

} // namespace pptdrill
