#include "movie/widgets/slides/slidepaintsupport.h"

namespace pptdrill {

QColor colorFrom(const QString& text)
{
    if (text.trimmed().isEmpty())
        return {};
    const QColor color(text.trimmed());
    return color.isValid() ? color : QColor();
}

QColor mixed(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(
        float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
        float(a.blueF() + (b.blueF() - a.blueF()) * t), float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QColor withAlpha(QColor color, int alpha)
{
    color.setAlpha(alpha);
    return color;
}

double luminance(const QColor& color)
{
    return 0.299 * color.redF() + 0.587 * color.greenF() + 0.114 * color.blueF();
}

QColor hyperlinkColour(const Design& design, bool visited)
{
    const QColor link = design.accent2.isValid() ? design.accent2 : QColor(0x00, 0x99, 0x99);
    if (!visited)
        return link;
    // The blank presentation's scheme follows a link in yellow-green; the others in their accent darkened.
    if (link == QColor(0x00, 0x99, 0x99))
        return QColor(0x99, 0xCC, 0x00);
    return mixed(design.accent.isValid() ? design.accent : link, design.text, 0.35);
}

QColor contrastingText(const QColor& fill)
{
    return luminance(fill) > 0.55 ? QColor(Qt::black) : QColor(Qt::white);
}

} // namespace pptdrill
