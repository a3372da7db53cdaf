// The design templates of the slides: colour schemes, backgrounds and master graphics.
#include "movie/widgets/slides/slidepaintsupport.h"

#include <QHash>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <array>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {
namespace {

// ----------------------------------------------------------------- designs

// The scheme of the blank presentation ("默认设计模板").
Design defaultDesign()
{
    Design design;
    design.shapeFill = QColor(0xBB, 0xE0, 0xE3);
    design.shapeLine = QColor(0x33, 0x33, 0x99);
    design.accent = QColor(0x33, 0x33, 0x99);
    design.accent2 = QColor(0x00, 0x99, 0x99);
    return design;
}

QPainterPath wave(double baseline, double amplitude, double phase, double wavelength)
{
    QPainterPath path;
    path.moveTo(0, kSlideHeight);
    path.lineTo(0, baseline + amplitude * std::sin(phase));
    for (double x = 0; x <= kSlideWidth; x += 12)
        path.lineTo(x, baseline + amplitude * std::sin(phase + x / wavelength * 2 * kPi));
    path.lineTo(kSlideWidth, kSlideHeight);
    path.closeSubpath();
    return path;
}

} // namespace

QPainterPath starPath(const QPointF& centre, double outer, double inner, int points, double rotation)
{
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        const double angle = rotation + i * kPi / points;
        const double radius = i % 2 == 0 ? outer : inner;
        const QPointF point(centre.x() + radius * std::sin(angle), centre.y() - radius * std::cos(angle));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}
namespace {

void decorateBlends(QPainter& p, const Design& d, bool titleSlide)
{
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        QPainterPath band;
        const double o = i * 34;
        band.moveTo(0, 400 + o);
        band.cubicTo(220, 330 + o, 430, 560 + o, kSlideWidth, 430 + o);
        band.lineTo(kSlideWidth, kSlideHeight);
        band.lineTo(0, kSlideHeight);
        band.closeSubpath();
        p.fillPath(band, withAlpha(Qt::white, 22 + i * 12));
    }
    QLinearGradient sweep(0, 0, kSlideWidth, 0);
    sweep.setColorAt(0, withAlpha(d.accent, 0));
    sweep.setColorAt(0.5, withAlpha(d.accent, 200));
    sweep.setColorAt(1, withAlpha(d.accent, 0));
    p.fillRect(QRectF(0, titleSlide ? 294 : 116, kSlideWidth, 3), sweep);
}

void decorateCapsules(QPainter& p, const Design& d, bool titleSlide)
{
    p.setPen(Qt::NoPen);
    const std::array<QColor, 3> colours = {d.accent, d.accent2, mixed(d.accent, Qt::white, 0.55)};
    const std::array<QRectF, 3> capsules = {QRectF(-30, 5, 250, 13), QRectF(236, 5, 120, 13),
                                            QRectF(372, 5, 60, 13)};
    for (size_t i = 0; i < capsules.size(); ++i) {
        p.setBrush(colours[i]);
        p.drawRoundedRect(capsules[i], 6.5, 6.5);
    }
    p.setBrush(withAlpha(d.accent2, 150));
    p.drawRoundedRect(QRectF(560, 512, 200, 13), 6.5, 6.5);
    p.fillRect(titleSlide ? QRectF(108, 294, 504, 2) : QRectF(36, 116, 648, 2), d.accent);
}

void decorateOcean(QPainter& p, const Design& d, bool)
{
    p.setPen(Qt::NoPen);
    p.fillPath(wave(492, 9, 0.0, 360), withAlpha(d.accent2, 90));
    p.fillPath(wave(505, 7, 1.8, 260), withAlpha(d.accent, 120));
    p.fillPath(wave(520, 5, 3.1, 200), withAlpha(Qt::white, 60));
}

void decorateNetwork(QPainter& p, const Design& d, bool)
{
    static constexpr std::array<QPointF, 9> nodes = {QPointF(560, 30), QPointF(640, 14),  QPointF(700, 60),
                                                     QPointF(610, 96), QPointF(690, 150), QPointF(28, 470),
                                                     QPointF(80, 520), QPointF(14, 530),  QPointF(130, 500)};
    static constexpr std::array<std::pair<int, int>, 10> links = {
        {{0, 1}, {1, 2}, {0, 3}, {3, 2}, {2, 4}, {3, 4}, {5, 6}, {5, 7}, {6, 8}, {5, 8}}};
    p.setPen(QPen(withAlpha(d.accent, 140), 1.2));
    for (const auto& [from, to] : links)
        p.drawLine(nodes[static_cast<size_t>(from)], nodes[static_cast<size_t>(to)]);
    p.setPen(Qt::NoPen);
    p.setBrush(d.accent2);
    for (const QPointF& node : nodes)
        p.drawEllipse(node, 4, 4);
    p.fillRect(QRectF(0, kSlideHeight - 6, kSlideWidth, 6), withAlpha(d.accent, 160));
}

void decorateLayers(QPainter& p, const Design& d, bool)
{
    p.fillRect(QRectF(0, 0, 26, kSlideHeight), withAlpha(d.accent, 150));
    p.fillRect(QRectF(10, 0, 10, kSlideHeight), withAlpha(d.accent2, 150));
    p.fillRect(QRectF(0, 0, kSlideWidth, 12), withAlpha(d.accent, 120));
    p.fillRect(QRectF(200, 6, kSlideWidth - 200, 10), withAlpha(d.accent2, 110));
    p.fillRect(QRectF(0, 512, kSlideWidth, 28), withAlpha(d.accent, 90));
    p.fillRect(QRectF(0, 522, 480, 18), withAlpha(d.accent2, 110));
}

void decorateMaple(QPainter& p, const Design& d, bool)
{
    p.setPen(Qt::NoPen);
    struct Leaf
    {
        QPointF centre;
        double radius;
        double turn;
        bool accent;
    };
    static constexpr std::array<Leaf, 4> leaves = {{{{690, 24}, 40, 0.4, true},
                                                    {{640, 10}, 22, -0.3, false},
                                                    {{30, 510}, 36, 0.9, false},
                                                    {{84, 528}, 20, 0.2, true}}};
    for (const Leaf& leaf : leaves) {
        p.setBrush(withAlpha(leaf.accent ? d.accent : d.accent2, 200));
        p.drawPath(starPath(leaf.centre, leaf.radius, leaf.radius * 0.5, 7, leaf.turn));
    }
    p.fillRect(QRectF(36, 116, 648, 1.5), withAlpha(d.title, 160));
}

void decorateMountainTop(QPainter& p, const Design& d, bool)
{
    p.setPen(Qt::NoPen);
    QPainterPath far;
    far.moveTo(0, kSlideHeight);
    for (const QPointF& point : {QPointF(0, 500), QPointF(110, 470), QPointF(220, 505), QPointF(350, 476),
                                 QPointF(470, 508), QPointF(600, 466), QPointF(720, 498)})
        far.lineTo(point);
    far.lineTo(kSlideWidth, kSlideHeight);
    far.closeSubpath();
    p.fillPath(far, withAlpha(d.accent2, 150));
    QPainterPath near;
    near.moveTo(0, kSlideHeight);
    for (const QPointF& point : {QPointF(0, 515), QPointF(70, 492), QPointF(160, 522), QPointF(280, 496),
                                 QPointF(420, 526), QPointF(560, 490), QPointF(660, 520), QPointF(720, 506)})
        near.lineTo(point);
    near.lineTo(kSlideWidth, kSlideHeight);
    near.closeSubpath();
    p.fillPath(near, d.accent);
    // Snow on the high peaks.
    p.setBrush(Qt::white);
    for (const QPointF& peak : {QPointF(110, 470), QPointF(600, 466), QPointF(350, 476)}) {
        QPainterPath cap;
        cap.moveTo(peak);
        cap.lineTo(peak.x() + 14, peak.y() + 9);
        cap.lineTo(peak.x() + 4, peak.y() + 6);
        cap.lineTo(peak.x() - 4, peak.y() + 10);
        cap.lineTo(peak.x() - 14, peak.y() + 9);
        cap.closeSubpath();
        p.drawPath(cap);
    }
}

// A small deterministic sequence for patterns that must look random.
quint32 scramble(quint32 x)
{
    x ^= x >> 16;
    x *= 0x7FEB352Du;
    x ^= x >> 15;
    x *= 0x846CA68Bu;
    x ^= x >> 16;
    return x;
}

void decoratePixel(QPainter& p, const Design& d, bool)
{
    const std::array<QColor, 4> colours = {d.accent, d.accent2, mixed(d.accent, Qt::white, 0.5),
                                           mixed(d.accent2, Qt::white, 0.5)};
    constexpr double cell = 9;
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 80; ++col) {
            const quint32 r = scramble(quint32(row * 131 + col));
            if (row == 1 && r % 3 != 0)
                continue;
            p.fillRect(QRectF(col * cell, row * cell, cell - 1, cell - 1), colours[r % 4]);
        }
    }
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 30; ++col) {
            const quint32 r = scramble(quint32(977 + row * 57 + col));
            if (r % 2 == 0)
                p.fillRect(QRectF(kSlideWidth - (col + 1) * cell, kSlideHeight - (row + 1) * cell, cell - 1,
                                  cell - 1),
                           colours[r % 4]);
        }
}

void decorateRadial(QPainter& p, const Design& d, bool)
{
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 6; ++i) {
        p.setPen(QPen(withAlpha(d.accent2, 36), 2));
        p.drawEllipse(QPointF(kSlideWidth / 2, kSlideHeight / 2), i * 70.0, i * 70.0 * 0.8);
    }
}

void decorateStream(QPainter& p, const Design& d, bool)
{
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        QPainterPath stream;
        const double o = i * 12;
        stream.moveTo(0, 470 + o);
        stream.cubicTo(180, 420 + o, 360, 560 + o, kSlideWidth, 480 + o);
        stream.lineTo(kSlideWidth, 492 + o);
        stream.cubicTo(360, 572 + o, 180, 432 + o, 0, 484 + o);
        stream.closeSubpath();
        p.fillPath(stream, withAlpha(i == 1 ? d.accent2 : d.accent, 170 - i * 30));
    }
    p.fillRect(QRectF(0, 0, 12, kSlideHeight), withAlpha(d.accent, 90));
}

void decorateWatermark(QPainter& p, const Design& d, bool)
{
    p.setPen(QPen(withAlpha(d.accent, 40), 26));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(610, 420), 170, 170);
    p.setPen(QPen(withAlpha(d.accent, 28), 10));
    p.drawEllipse(QPointF(610, 420), 110, 110);
    p.fillRect(QRectF(36, 116, 648, 1), withAlpha(d.accent2, 200));
}

void decorateCliff(QPainter& p, const Design& d, bool)
{
    p.setPen(Qt::NoPen);
    QPainterPath cliff;
    cliff.moveTo(0, 120);
    for (const QPointF& point : {QPointF(22, 128), QPointF(18, 190), QPointF(30, 240), QPointF(24, 320),
                                 QPointF(34, 380), QPointF(28, 460), QPointF(40, 540)})
        cliff.lineTo(point);
    cliff.lineTo(0, kSlideHeight);
    cliff.closeSubpath();
    p.fillPath(cliff, withAlpha(d.accent, 210));
    p.fillRect(QRectF(0, 518, kSlideWidth, 22), withAlpha(d.accent2, 120));
    p.fillRect(QRectF(36, 116, 648, 1.5), withAlpha(d.accent, 200));
}

void decorateDigitalDots(QPainter& p, const Design& d, bool)
{
    const std::array<QColor, 4> colours = {d.accent, d.accent2, QColor(0xFF, 0x99, 0x33),
                                           QColor(0x99, 0xDD, 0x44)};
    p.setPen(Qt::NoPen);
    for (int col = 0; col < 60; ++col)
        for (int row = 0; row < 2; ++row) {
            const quint32 r = scramble(quint32(col * 7 + row * 1013));
            const double radius = 1.2 + (r % 4) * 0.8;
            p.setBrush(withAlpha(colours[(r >> 3) % 4], 120 + int(r % 120)));
            p.drawEllipse(QPointF(8 + col * 12, 6 + row * 10), radius, radius);
        }
    for (int row = 0; row < 40; ++row) {
        const quint32 r = scramble(quint32(row * 31 + 5));
        const double radius = 1.2 + (r % 4) * 0.8;
        p.setBrush(withAlpha(colours[(r >> 3) % 4], 120 + int(r % 120)));
        p.drawEllipse(QPointF(12, 40 + row * 12), radius, radius);
    }
}

void decorateEcho(QPainter& p, const Design& d, bool)
{
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 8; ++i) {
        p.setPen(QPen(withAlpha(d.accent, 120 - i * 12), 3));
        p.drawEllipse(QPointF(kSlideWidth, kSlideHeight), i * 42.0, i * 42.0);
    }
    p.fillRect(QRectF(36, 116, 400, 2), d.accent2);
}

void decorateEdge(QPainter& p, const Design& d, bool)
{
    QLinearGradient band(0, 0, 0, kSlideHeight);
    band.setColorAt(0, d.accent);
    band.setColorAt(1, d.accent2);
    p.fillRect(QRectF(0, 0, 22, kSlideHeight), band);
    p.fillRect(QRectF(26, 0, 2, kSlideHeight), withAlpha(d.accent, 180));
    p.fillRect(QRectF(36, 116, 648, 1.5), withAlpha(d.accent, 200));
}

void decorateFireworks(QPainter& p, const Design& d, bool)
{
    struct Burst
    {
        QPointF centre;
        double radius;
        QColor colour;
    };
    const std::array<Burst, 3> bursts = {
        {{{650, 60}, 56, d.accent}, {{70, 480}, 44, d.accent2}, {{690, 490}, 30, QColor(0xFF, 0x88, 0xCC)}}};
    for (const Burst& burst : bursts) {
        for (int i = 0; i < 18; ++i) {
            const double angle = i * 2 * kPi / 18;
            const QPointF tip(burst.centre.x() + burst.radius * std::cos(angle),
                              burst.centre.y() + burst.radius * std::sin(angle));
            const QPointF from(burst.centre.x() + burst.radius * 0.3 * std::cos(angle),
                               burst.centre.y() + burst.radius * 0.3 * std::sin(angle));
            QLinearGradient ray(from, tip);
            ray.setColorAt(0, withAlpha(burst.colour, 0));
            ray.setColorAt(1, burst.colour);
            p.setPen(QPen(QBrush(ray), 1.6));
            p.drawLine(from, tip);
            p.setPen(Qt::NoPen);
            p.setBrush(burst.colour);
            p.drawEllipse(tip, 1.8, 1.8);
        }
    }
}

void decorateGlassLayers(QPainter& p, const Design& d, bool)
{
    p.setPen(QPen(withAlpha(Qt::white, 160), 1));
    const std::array<QRectF, 3> panes = {QRectF(560, -40, 150, 300), QRectF(610, 120, 140, 300),
                                         QRectF(520, 330, 220, 260)};
    for (size_t i = 0; i < panes.size(); ++i) {
        p.save();
        p.translate(panes[i].center());
        p.rotate(12);
        p.translate(-panes[i].center());
        p.setBrush(withAlpha(i % 2 ? d.accent2 : Qt::white, 70));
        p.drawRect(panes[i]);
        p.restore();
    }
    p.fillRect(QRectF(36, 116, 648, 2), withAlpha(d.accent, 160));
}

void decorateGlobe(QPainter& p, const Design& d, bool)
{
    const QPointF centre(650, 470);
    const double radius = 200;
    p.setBrush(withAlpha(d.accent, 50));
    p.setPen(QPen(withAlpha(d.accent2, 110), 2));
    p.drawEllipse(centre, radius, radius);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(withAlpha(d.accent2, 70), 1.4));
    for (int i = 1; i < 4; ++i)
        p.drawEllipse(centre, radius * i / 4.0, radius);
    for (int i = -3; i <= 3; ++i) {
        const double y = centre.y() + radius * i / 4.0;
        const double half = std::sqrt(radius * radius - (y - centre.y()) * (y - centre.y()));
        p.drawLine(QPointF(centre.x() - half, y), QPointF(centre.x() + half, y));
    }
}

void decorateKimono(QPainter& p, const Design& d, bool)
{
    p.fillRect(QRectF(0, 0, 30, kSlideHeight), d.accent);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 24; ++i) {
        const double y = 12 + i * 22.0;
        QPainterPath diamond;
        diamond.moveTo(15, y - 8);
        diamond.lineTo(23, y);
        diamond.lineTo(15, y + 8);
        diamond.lineTo(7, y);
        diamond.closeSubpath();
        p.fillPath(diamond, i % 2 ? d.accent2 : QColor(0x1A, 0x1A, 0x1A));
    }
    p.fillRect(QRectF(33, 0, 2, kSlideHeight), d.accent2);
    p.fillRect(QRectF(36, 116, 648, 1.5), d.accent2);
}

void decorateProposal(QPainter& p, const Design& d, bool titleSlide)
{
    p.fillRect(QRectF(0, 0, kSlideWidth, 14), d.accent);
    p.fillRect(QRectF(0, 16, kSlideWidth, 2), d.accent2);
    p.fillRect(QRectF(0, 524, kSlideWidth, 16), withAlpha(d.accent, 60));
    if (titleSlide)
        p.fillRect(QRectF(108, 294, 504, 3), d.accent2);
}

void decorateSatelliteDish(QPainter& p, const Design& d, bool)
{
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 4; ++i) {
        p.setPen(QPen(withAlpha(d.accent2, 150 - i * 25), 3));
        p.drawArc(QRectF(-i * 46.0, -i * 46.0, i * 92.0, i * 92.0), -90 * 16, 90 * 16);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(Qt::white, 170));
    for (int i = 0; i < 24; ++i) {
        const quint32 r = scramble(quint32(i + 401));
        const QPointF star(230 + (r % 480), 4 + ((r >> 10) % 14));
        p.drawEllipse(star, 1.1, 1.1);
    }
    p.fillRect(QRectF(36, 116, 648, 1.5), withAlpha(d.accent2, 200));
}

void decorateTextured(QPainter& p, const Design& d, bool)
{
    p.setPen(QPen(withAlpha(d.accent, 200), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(8, 8, kSlideWidth - 16, kSlideHeight - 16));
    p.setPen(QPen(withAlpha(d.accent, 120), 1));
    p.drawRect(QRectF(14, 14, kSlideWidth - 28, kSlideHeight - 28));
}

void decorateBanded(QPainter& p, const Design& d, bool titleSlide)
{
    p.fillRect(QRectF(0, 0, kSlideWidth, 14), d.accent);
    p.fillRect(QRectF(0, 14, kSlideWidth, 3), d.accent2);
    p.fillRect(titleSlide ? QRectF(108, 294, 504, 2) : QRectF(36, 116, 648, 2), d.accent2);
}

void decorateStriped(QPainter& p, const Design& d, bool)
{
    QLinearGradient stripe(0, 0, 0, kSlideHeight);
    stripe.setColorAt(0, d.accent);
    stripe.setColorAt(1, d.accent2);
    p.fillRect(QRectF(0, 0, 24, kSlideHeight), stripe);
    p.fillRect(QRectF(0, 526, kSlideWidth, 3), d.accent);
}

void decorateCorners(QPainter& p, const Design& d, bool)
{
    p.setPen(Qt::NoPen);
    QPainterPath corner;
    corner.moveTo(kSlideWidth, 0);
    corner.lineTo(kSlideWidth - 150, 0);
    corner.lineTo(kSlideWidth, 110);
    corner.closeSubpath();
    p.fillPath(corner, withAlpha(d.accent, 170));
    QPainterPath foot;
    foot.moveTo(0, kSlideHeight);
    foot.lineTo(190, kSlideHeight);
    foot.lineTo(0, 440);
    foot.closeSubpath();
    p.fillPath(foot, withAlpha(d.accent2, 150));
}

struct DesignEntry
{
    const char16_t* name;
    QRgb background;
    QRgb background2;
    Design::Fill fill;
    QRgb title;
    QRgb text;
    QRgb accent;
    QRgb accent2;
    QRgb shapeFill;
    bool titleBold;
    Decoration decorate;
};

using F = Design::Fill;
// Known templates by their lower-case names, without ".pot".
constexpr std::array<DesignEntry, 22> kDesigns = {{
    {u"blends", 0x1B3668, 0x3F70B8, F::Vertical, 0xFFFFFF, 0xF2F6FC, 0xFFCC33, 0x9FC3F0, 0x5B8BD6, true,
     decorateBlends},
    {u"capsules", 0xFFFFFF, 0xE6ECF5, F::Vertical, 0x1F3864, 0x262626, 0x5B7DB4, 0x9DB3D6, 0xA7B9D6, true,
     decorateCapsules},
    {u"ocean", 0x0A2F63, 0x0D7BA6, F::Vertical, 0xFFFFFF, 0xE4F1FB, 0x2DA4C9, 0x7FD3E8, 0x2E8BC0, false,
     decorateOcean},
    {u"network", 0x0B1E39, 0x16406E, F::Diagonal, 0xFFE38A, 0xFFFFFF, 0x6FA8DC, 0xFFE38A, 0x2F5F9F, true,
     decorateNetwork},
    {u"layers", 0xEEF1E8, 0xDCE3D1, F::Vertical, 0x3D5229, 0x2B2B2B, 0x8DA66E, 0x5E7A48, 0xB9C9A3, true,
     decorateLayers},
    {u"maple", 0xF8EDD7, 0xEBD3A6, F::Vertical, 0x7A2E0B, 0x3B2614, 0xD9541E, 0xE8A33C, 0xE7A35B, true,
     decorateMaple},
    {u"mountain top", 0x8DB9E3, 0xEEF5FC, F::Vertical, 0x15325C, 0x17243A, 0x3E5A7E, 0x8AA3C2, 0x7FA7CF, true,
     decorateMountainTop},
    {u"pixel", 0xFFFFFF, 0, F::Solid, 0x1F4E79, 0x222222, 0x2E75B6, 0x70AD47, 0x8DB4E2, true, decoratePixel},
    {u"radial", 0x5C8BDB, 0x10295A, F::Radial, 0xFFFFFF, 0xF0F4FF, 0xFFD966, 0xFFFFFF, 0x6C94D8, true,
     decorateRadial},
    {u"stream", 0xEAF5EF, 0xFFFFFF, F::Vertical, 0x0B5345, 0x1C2833, 0x2E9E7E, 0x8FD1B8, 0x76C7A7, true,
     decorateStream},
    {u"watermark", 0xFBFBF8, 0, F::Solid, 0x4D4D4D, 0x333333, 0x7F7F7F, 0xA6A6A6, 0xD9D9D9, false,
     decorateWatermark},
    {u"cliff", 0xF6E7C8, 0xDDAE72, F::Vertical, 0x5B3A1A, 0x3B2A1A, 0x8A5A2B, 0xB98A55, 0xC8894A, true,
     decorateCliff},
    {u"digital dots", 0x0E0E12, 0x22232B, F::Vertical, 0x66CCFF, 0xF0F0F0, 0x33AAFF, 0xFF4FA0, 0x3377AA, true,
     decorateDigitalDots},
    {u"echo", 0xFFFFFF, 0xE1EAF6, F::Diagonal, 0x17375E, 0x222222, 0x7DA7D9, 0x2F5597, 0x9DC3E6, true,
     decorateEcho},
    {u"edge", 0x2A2B33, 0x3B3D48, F::Vertical, 0xFFB347, 0xF2F2F2, 0xF28C28, 0xC0392B, 0xE07B39, true,
     decorateEdge},
    {u"fireworks", 0x05061A, 0x1B1C4D, F::Vertical, 0xFFD966, 0xFFFFFF, 0xFFD966, 0x66E0FF, 0x7F6FD9, true,
     decorateFireworks},
    {u"glass layers", 0xE2F2F3, 0xA6D2D8, F::Diagonal, 0x0D4F5C, 0x13303A, 0x2A8C9A, 0x7CC3CC, 0x7CC3CC, true,
     decorateGlassLayers},
    {u"globe", 0x0D2846, 0x1F5B8C, F::Vertical, 0xFFFFFF, 0xDDEBF7, 0x3D85C6, 0x9FC5E8, 0x3D85C6, true,
     decorateGlobe},
    {u"kimono", 0xFBF6EA, 0, F::Solid, 0x8B0000, 0x2A1A10, 0x9E1B1B, 0xC9A227, 0xD9826B, true,
     decorateKimono},
    {u"proposal", 0xFFFFFF, 0, F::Solid, 0x7B1E1E, 0x333333, 0x7B1E1E, 0xC9A227, 0xC9A9A6, true,
     decorateProposal},
    {u"satellite dish", 0x0C1B33, 0x2A4E7E, F::Vertical, 0xFFFFFF, 0xE0E8F5, 0x5B7FB8, 0xAFC8EE, 0x5B7FB8,
     true, decorateSatelliteDish},
    {u"textured", 0xEADFC5, 0, F::Parchment, 0x5A3E1B, 0x3A2A14, 0x8C6A3A, 0xB08D57, 0xC7B38A, true,
     decorateTextured},
}};

Design designFromEntry(const DesignEntry& entry)
{
    Design design;
    design.background = QColor::fromRgb(entry.background);
    design.fill = entry.fill;
    if (entry.fill != F::Solid && entry.fill != F::Parchment)
        design.background2 = QColor::fromRgb(entry.background2);
    design.title = QColor::fromRgb(entry.title);
    design.text = QColor::fromRgb(entry.text);
    design.accent = QColor::fromRgb(entry.accent);
    design.accent2 = QColor::fromRgb(entry.accent2);
    design.bullet = luminance(design.background) < 0.5 ? design.accent : design.accent.darker(115);
    design.shapeFill = QColor::fromRgb(entry.shapeFill);
    design.shapeLine =
        luminance(design.background) < 0.5 ? design.shapeFill.lighter(150) : design.shapeFill.darker(180);
    design.titleBold = entry.titleBold;
    design.decorate = entry.decorate;
    return design;
}

quint32 nameHash(const QString& name)
{
    quint32 hash = 2166136261u;
    for (const QChar c : name) {
        hash ^= c.unicode();
        hash *= 16777619u;
    }
    return scramble(hash);
}

// Any other template gets a tasteful scheme that its name always picks.
Design derivedDesign(const QString& key)
{
    const quint32 hash = nameHash(key);
    const int hue = int(hash % 360);
    const int hue2 = (hue + 25 + int((hash >> 9) % 40)) % 360;
    Design design;
    design.accent = QColor::fromHsl(hue, 150, 95);
    design.accent2 = QColor::fromHsl(hue2, 140, 150);
    design.shapeFill = QColor::fromHsl(hue, 110, 190);
    design.titleBold = (hash >> 17) % 2 == 0;
    switch ((hash >> 12) % 3) {
    case 0:
        design.background = QColor::fromHsl(hue, 60, 250);
        design.title = QColor::fromHsl(hue, 120, 60);
        design.text = QColor(0x26, 0x26, 0x26);
        design.decorate = decorateBanded;
        break;
    case 1:
        design.background = Qt::white;
        design.background2 = QColor::fromHsl(hue, 80, 232);
        design.fill = Design::Fill::Vertical;
        design.title = QColor::fromHsl(hue, 120, 70);
        design.text = QColor(0x26, 0x26, 0x26);
        design.decorate = decorateStriped;
        break;
    default:
        design.background = QColor::fromHsl(hue, 120, 40);
        design.background2 = QColor::fromHsl(hue, 110, 85);
        design.fill = Design::Fill::Vertical;
        design.title = Qt::white;
        design.text = QColor::fromHsl(hue, 60, 240);
        design.accent = QColor::fromHsl(hue2, 150, 150);
        design.accent2 = QColor::fromHsl(hue, 100, 160);
        design.decorate = decorateCorners;
        break;
    }
    const bool dark = luminance(design.background) < 0.5;
    design.bullet = dark ? design.accent2 : design.accent;
    design.shapeLine = dark ? design.shapeFill.lighter(150) : design.shapeFill.darker(180);
    return design;
}

} // namespace

Design designFor(const QString& name)
{
    QString key = name.trimmed();
    if (key.endsWith(u".pot"_s, Qt::CaseInsensitive))
        key.chop(4);
    key = key.trimmed().toLower();
    if (key.isEmpty() || key == u"默认设计模板"_s || key == u"default design"_s)
        return defaultDesign();
    for (const DesignEntry& entry : kDesigns)
        if (key == QStringView(entry.name))
            return designFromEntry(entry);
    return derivedDesign(key);
}
namespace {

// A parchment grain, made once and tiled.
const QImage& parchmentTile()
{
    static const QImage tile = [] {
        QImage image(96, 96, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 420; ++i) {
            const quint32 r = scramble(quint32(i * 2654435761u));
            const bool dark = r % 3 != 0;
            p.setBrush(dark ? QColor(0x6B, 0x4A, 0x1E, 14 + int(r % 26))
                            : QColor(0xFF, 0xFF, 0xF0, 30 + int(r % 40)));
            const double w = 1 + (r >> 8) % 5;
            p.drawEllipse(QRectF((r >> 12) % 96, (r >> 20) % 96, w, w * 0.6));
        }
        return image;
    }();
    return tile;
}

} // namespace

void paintBackground(QPainter& p, const Design& design, const QColor& override)
{
    const QRectF slide(0, 0, kSlideWidth, kSlideHeight);
    if (override.isValid()) {
        p.fillRect(slide, override);
        return;
    }
    switch (design.fill) {
    case Design::Fill::Solid:
        p.fillRect(slide, design.background);
        break;
    case Design::Fill::Vertical:
    case Design::Fill::Horizontal:
    case Design::Fill::Diagonal: {
        const QPointF end = design.fill == Design::Fill::Vertical     ? QPointF(0, kSlideHeight)
                            : design.fill == Design::Fill::Horizontal ? QPointF(kSlideWidth, 0)
                                                                      : QPointF(kSlideWidth, kSlideHeight);
        QLinearGradient gradient(QPointF(0, 0), end);
        gradient.setColorAt(0, design.background);
        gradient.setColorAt(1, design.background2);
        p.fillRect(slide, gradient);
        break;
    }
    case Design::Fill::Radial: {
        QRadialGradient gradient(QPointF(kSlideWidth / 2, kSlideHeight / 2), kSlideWidth * 0.62);
        gradient.setColorAt(0, design.background);
        gradient.setColorAt(1, design.background2);
        p.fillRect(slide, gradient);
        break;
    }
    case Design::Fill::Parchment:
        p.fillRect(slide, design.background);
        p.fillRect(slide, QBrush(parchmentTile()));
        break;
    }
}

QColor backgroundTone(const Design& design, const QColor& override)
{
    if (override.isValid())
        return override;
    return design.background2.isValid() ? mixed(design.background, design.background2, 0.5)
                                        : design.background;
}
} // namespace pptdrill
