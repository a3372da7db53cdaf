#pragma once

#include <QRect>
#include <QString>

namespace pptdrill {

// One clickable element of the simulated window as it is laid out now.
struct Hot
{
    QRect rect;
    QString locator;
    QString action; // performed on a click; empty for structure (menu titles…)
    QString tooltip;
    int layer = 0;       // higher layers lie over lower ones
    bool swatch = false; // a colour swatch: its tooltip is drawn in the window
};

} // namespace pptdrill
