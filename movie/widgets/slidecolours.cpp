#include "movie/widgets/slidepaintsupport.h"

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

QColor contrastingText(const QColor& fill)
{
    return luminance(fill) > 0.55 ? QColor(Qt::black) : QColor(Qt::white);
}

} // namespace pptdrill
