#pragma once

// The colours of the simulated program's colour controls: the names its
// palettes give them, the hexagon of standard colours and the custom colour field.
#include <QColor>
#include <QPointF>
#include <QPolygonF>
#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

class QPainter;

namespace pptdrill::kit {

// The colour a palette item or a colour control's value names: one of the forty
// standard colours ("海绿"), a colour of the presentation's scheme
// ("遵循填充配色方案"), or "RGB(r,g,b)"; invalid for a command (自动, 其他颜色(M)...).
QColor colourOf(const QString& name, const QString& design);
// Whether a palette item is shown as a swatch rather than as a command.
bool isSwatch(const QString& item);

// One cell of the hexagon of standard colours, or of the grey row beneath it.
struct HexCell
{
    QPointF centre;
    double radius = 0;
    QColor colour;
    QString name; // the standard colour it shows; empty for an unnamed one
};
// The honeycomb and its grey row inside `box`. The colours of `names` (standard
// colour names) take the cells nearest to them.
std::vector<HexCell> honeycomb(const QRect& box, const QStringList& names);
QPolygonF hexagon(const QPointF& centre, double radius);

// The custom colours' field (hue across, saturation up) and the luminance bar
// beside it, each marked where `colour` lies.
void paintSpectrum(QPainter& p, const QRect& field, const QRect& bar, const QColor& colour);

} // namespace pptdrill::kit
