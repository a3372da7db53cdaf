#include "movie/widgets/window/kitcolours.h"

#include "movie/kit/standardcolours.h"
#include "movie/widgets/slides/slidepaintsupport.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill::kit {

namespace {

// The eight colours of a presentation's scheme, as its palettes name them.
const char16_t* const kScheme[] = {
    u"遵循背景配色方案",
    u"遵循文本和线条配色方案",
    u"遵循阴影配色方案",
    u"遵循标题文本配色方案",
    u"遵循填充配色方案",
    u"遵循强调配色方案",
    u"遵循强调文字和超链接配色方案",
    u"遵循强调文字和已访问的超链接配色方案",
};

QColor schemeColour(int index, const QString& designName)
{
    const Design design = designFor(designName);
    switch (index) {
    case 0:
        return design.background;
    case 1:
        return design.text;
    case 2:
        return design.background.darker(200);
    case 3:
        return design.title;
    case 4:
        return design.shapeFill.isValid() ? design.shapeFill : design.background.darker(115);
    case 5:
        return design.accent.isValid() ? design.accent : design.text;
    case 6:
        return design.accent2.isValid() ? design.accent2 : design.text;
    default:
        // The followed hyperlink: the blank presentation's yellow-green, else a lighter link colour.
        if (designName.isEmpty() || designName == u"默认设计模板"_s)
            return QColor(0x99, 0xCC, 0x00);
        return (design.accent2.isValid() ? design.accent2 : design.text).lighter(150);
    }
}

// The greys beneath the hexagon, white to black.
const QRgb kGreys[] = {0xFFFFFF, 0xF0F0F0, 0xDDDDDD, 0xC0C0C0, 0xB2B2B2, 0x969696, 0x808080,
                       0x6B6B6B, 0x555555, 0x333333, 0x292929, 0x1C1C1C, 0x000000};

int webSafe(double channel)
{
    return std::clamp(static_cast<int>(std::lround(channel * 5)) * 0x33, 0, 0xFF);
}

int distance(const QColor& a, const QColor& b)
{
    const int r = a.red() - b.red(), g = a.green() - b.green(), bl = a.blue() - b.blue();
    return r * r + g * g + bl * bl;
}

} // namespace

QColor colourOf(const QString& name, const QString& design)
{
    if (const std::optional<Rgb> named = namedColour(name))
        return QColor(named->red, named->green, named->blue);
    for (int i = 0; i < 8; ++i) {
        if (name == QString::fromUtf16(kScheme[i]))
            return schemeColour(i, design);
    }
    if (name.startsWith(u'#') && QColor::isValidColorName(name))
        return QColor::fromString(name);
    return {};
}

bool isSwatch(const QString& item)
{
    if (isStandardColour(item))
        return true;
    for (const char16_t* scheme : kScheme) {
        if (item == QString::fromUtf16(scheme))
            return true;
    }
    return false;
}

QPolygonF hexagon(const QPointF& centre, double radius)
{
    QPolygonF poly;
    for (int i = 0; i < 6; ++i) {
        const double angle = (60.0 * i - 90) * M_PI / 180;
        poly << centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    return poly;
}

std::vector<HexCell> honeycomb(const QRect& box, const QStringList& names)
{
    constexpr int rings = 6;
    const int rows = 2 * rings + 1;
    const double sqrt3 = std::sqrt(3.0);
    // Pointy-top cells: 13 across the middle row, 13 rows, a gap, then the grey row.
    const double radius =
        std::min(box.width() / (rows * sqrt3), box.height() / (1.5 * (rows - 1) + 2 + 1.2 + 2.0));
    const double w = sqrt3 * radius;
    const QPointF centre(box.center().x() + 0.5, box.top() + radius + 1.5 * rings * radius);
    std::vector<HexCell> cells;
    for (int r = -rings; r <= rings; ++r) {
        for (int q = -rings; q <= rings; ++q) {
            const int s = -q - r;
            const int ring = std::max({std::abs(q), std::abs(r), std::abs(s)});
            if (ring > rings)
                continue;
            const QPointF at = centre + QPointF(w * (q + r / 2.0), 1.5 * radius * r);
            // White in the middle, pure hues half way out, darker towards the rim.
            const double lightness = 1.0 - 0.5 * std::min(ring, 4) / 4.0 - 0.11 * std::max(0, ring - 4);
            const double hue =
                std::fmod(std::atan2(at.y() - centre.y(), at.x() - centre.x()) * 180 / M_PI + 450, 360);
            const QColor pure = QColor::fromHslF(static_cast<float>(hue / 360), 1.0f,
                                                 static_cast<float>(ring == 0 ? 1.0 : lightness));
            cells.push_back({at,
                             radius,
                             QColor(webSafe(pure.redF()), webSafe(pure.greenF()), webSafe(pure.blueF())),
                             {}});
        }
    }
    const size_t hexCount = cells.size();
    const int greys = static_cast<int>(std::size(kGreys));
    const double greyY = centre.y() + 1.5 * radius * rings + 2.2 * radius;
    for (int i = 0; i < greys; ++i)
        cells.push_back(
            {QPointF(centre.x() + (i - (greys - 1) / 2.0) * w, greyY), radius, QColor(kGreys[i]), {}});
    // Each named colour takes the nearest free cell: greys in the grey row, the others in the hexagon.
    for (const QString& name : names) {
        const QColor colour = colourOf(name, {});
        if (!colour.isValid())
            continue;
        const bool grey = colour.red() == colour.green() && colour.green() == colour.blue();
        const size_t from = grey ? hexCount : 0, to = grey ? cells.size() : hexCount;
        size_t best = to;
        for (size_t i = from; i < to; ++i) {
            if (cells[i].name.isEmpty() &&
                (best == to || distance(cells[i].colour, colour) < distance(cells[best].colour, colour)))
                best = i;
        }
        if (best < to) {
            cells[best].colour = colour;
            cells[best].name = name;
        }
    }
    return cells;
}

void paintSpectrum(QPainter& p, const QRect& field, const QRect& bar, const QColor& colour)
{
    // The field is the same for every dialog: drawn once per size.
    static QImage image;
    if (image.size() != field.size()) {
        image = QImage(field.size(), QImage::Format_RGB32);
        for (int y = 0; y < field.height(); ++y) {
            const float saturation = 1.0f - static_cast<float>(y) / std::max(1, field.height() - 1);
            for (int x = 0; x < field.width(); ++x) {
                const float hue = static_cast<float>(x) / std::max(1, field.width());
                image.setPixel(x, y, QColor::fromHslF(hue, saturation, 0.5f).rgb());
            }
        }
    }
    p.drawImage(field.topLeft(), image);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(field.adjusted(-1, -1, 0, 0));
    float h = 0, s = 0, l = 0;
    colour.getHslF(&h, &s, &l);
    if (h < 0)
        h = 0;
    // The cross-hair where the colour's hue and saturation lie.
    const QPoint at(field.left() + static_cast<int>(h * (field.width() - 1)),
                    field.top() + static_cast<int>((1 - s) * (field.height() - 1)));
    p.save();
    p.setClipRect(field, Qt::IntersectClip);
    p.setPen(QPen(Qt::black, 2));
    for (const QPoint& d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
        p.drawLine(at + d * 3, at + d * 8);
    p.restore();
    // The luminance bar: white at the top, the colour's hue in the middle, black at the bottom.
    QLinearGradient g(bar.topLeft(), bar.bottomLeft());
    g.setColorAt(0, Qt::white);
    g.setColorAt(0.5, QColor::fromHslF(h, s, 0.5f));
    g.setColorAt(1, Qt::black);
    p.fillRect(bar, g);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(bar.adjusted(-1, -1, 0, 0));
    const int y = bar.top() + static_cast<int>((1 - l) * (bar.height() - 1));
    const QPoint tip(bar.right() + 3, y);
    const QPoint arrow[3] = {tip, tip + QPoint(6, -5), tip + QPoint(6, 5)};
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPolygon(arrow, 3);
    p.setBrush(Qt::NoBrush);
}

} // namespace pptdrill::kit
