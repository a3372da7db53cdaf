// A slide's background fill effects (填充效果: gradients, textures, patterns,
// pictures) and its colour scheme.
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

quint32 mix32(quint32 x)
{
    x ^= x >> 16;
    x *= 0x7FEB352Du;
    x ^= x >> 15;
    x *= 0x846CA68Bu;
    x ^= x >> 16;
    return x;
}

// ---------------------------------------------------------------- gradients

struct Stop
{
    double at;
    QRgb colour;
};

// The colours of the preset gradients, top (or start) to bottom.
std::vector<Stop> presetStops(const QString& name)
{
    static const QHash<QString, std::vector<Stop>> presets = {
        {u"红日西斜"_s, {{0, 0xFFFF66}, {0.5, 0xFF9900}, {1, 0xCC0000}}},
        {u"暮霭沉沉"_s, {{0, 0x000066}, {0.5, 0x993366}, {1, 0xFF9966}}},
        {u"夜幕降临"_s, {{0, 0x000000}, {0.6, 0x000066}, {1, 0x3366CC}}},
        {u"雨后初晴"_s, {{0, 0x3399FF}, {0.5, 0xCCFFFF}, {1, 0x3366CC}}},
        {u"碧海青天"_s, {{0, 0x66CCFF}, {0.5, 0xCCFFFF}, {0.51, 0x3399CC}, {1, 0x003366}}},
        {u"漫漫黄沙"_s, {{0, 0xFFE6A6}, {0.5, 0xE6C27A}, {1, 0xB38F4C}}},
        {u"海洋"_s, {{0, 0x0099CC}, {1, 0x003366}}},
        {u"心如止水"_s, {{0, 0xCCFFFF}, {0.5, 0x99CCFF}, {1, 0x6699CC}}},
        {u"熊熊火焰"_s, {{0, 0xFF3300}, {0.5, 0xFFCC00}, {1, 0xFF3300}}},
        {u"薄雾浓云"_s, {{0, 0xCCCCCC}, {0.5, 0xFFFFFF}, {1, 0x999999}}},
        {u"茵茵绿原"_s, {{0, 0xCCFFCC}, {0.5, 0x66CC66}, {1, 0x006600}}},
        {u"孔雀开屏"_s, {{0, 0x3333CC}, {0.33, 0x00CCCC}, {0.66, 0x33CC66}, {1, 0x330099}}},
        {u"麦浪滚滚"_s, {{0, 0xFFFF99}, {0.5, 0xCC9933}, {1, 0xFFFF99}}},
        {u"羊皮纸"_s, {{0, 0xFFFFCC}, {0.5, 0xF2E6B3}, {1, 0xD9C28C}}},
        {u"红木"_s, {{0, 0x663300}, {0.5, 0xCC6633}, {1, 0x663300}}},
        {u"彩虹出岫"_s,
         {{0, 0xFF0000}, {0.2, 0xFF9900}, {0.4, 0xFFFF00}, {0.6, 0x00CC00}, {0.8, 0x0066FF}, {1, 0x6600CC}}},
        {u"彩虹出岫 II"_s,
         {{0, 0xFF3399}, {0.25, 0xFFCC00}, {0.5, 0x33CC33}, {0.75, 0x3399FF}, {1, 0xCC33FF}}},
        {u"金色年华"_s, {{0, 0xFFF2B3}, {0.5, 0xE6B800}, {1, 0xFFF2B3}}},
        {u"金乌坠地"_s, {{0, 0xFFCC00}, {0.5, 0xCC6600}, {1, 0x663300}}},
        {u"黄铜"_s, {{0, 0xCC9933}, {0.5, 0xFFE699}, {1, 0xCC9933}}},
        {u"铬色"_s, {{0, 0xFFFFFF}, {0.3, 0x999999}, {0.5, 0xEEEEEE}, {0.7, 0x777777}, {1, 0xFFFFFF}}},
        {u"铬色 II"_s, {{0, 0xCCCCCC}, {0.5, 0x333333}, {1, 0xCCCCCC}}},
        {u"银波荡漾"_s, {{0, 0xFFFFFF}, {0.25, 0xC0C0C0}, {0.5, 0xFFFFFF}, {0.75, 0xA0A0A0}, {1, 0xFFFFFF}}},
        {u"宝石蓝"_s, {{0, 0x000099}, {0.5, 0x3366FF}, {1, 0x000099}}},
    };
    return presets.value(name, {{0, 0xFFFFFF}, {1, 0x808080}});
}

std::vector<Stop> gradientStops(const BackgroundFill& fill)
{
    if (!fill.preset.isEmpty())
        return presetStops(fill.preset);
    const QColor first = colorFrom(fill.colors.value(0));
    // One colour shades from itself to a darker tone of it.
    const QColor second = fill.colors.size() > 1 ? colorFrom(fill.colors[1]) : mixed(first, Qt::black, 0.55);
    return {{0, first.rgb()}, {1, second.rgb()}};
}

// The gradient of a style and variant over the slide. Variants 1 and 2 run
// one way and the other; 3 and 4 run out from the middle and in to it.
// The corner style's variants each start at another corner.
QBrush gradientBrush(const BackgroundFill& fill)
{
    const std::vector<Stop> stops = gradientStops(fill);
    const int variant = std::clamp(fill.variant, 1, 4);
    const QRectF slide(0, 0, kSlideWidth, kSlideHeight);
    const QString style = fill.style.isEmpty() ? u"水平"_s : fill.style;
    QGradient* gradient = nullptr;
    QLinearGradient linear;
    QRadialGradient radial;
    bool mirrored = false, reversed = false;
    if (style == u"角部辐射"_s || style == u"中心辐射"_s) {
        const std::array<QPointF, 4> corners = {slide.topLeft(), slide.topRight(), slide.bottomLeft(),
                                                slide.bottomRight()};
        const QPointF centre =
            style == u"中心辐射"_s ? slide.center() : corners[static_cast<size_t>(variant - 1)];
        const double radius =
            style == u"中心辐射"_s ? kSlideWidth * 0.62 : std::hypot(kSlideWidth, kSlideHeight);
        radial = QRadialGradient(centre, radius);
        reversed = style == u"中心辐射"_s && variant == 2;
        gradient = &radial;
    } else {
        QPointF from(0, 0), to(0, kSlideHeight);
        if (style == u"垂直"_s)
            to = QPointF(kSlideWidth, 0);
        else if (style == u"斜上"_s)
            from = QPointF(0, kSlideHeight), to = QPointF(kSlideWidth, 0);
        else if (style == u"斜下"_s)
            to = QPointF(kSlideWidth, kSlideHeight);
        linear = QLinearGradient(from, to);
        reversed = variant == 2 || variant == 4;
        mirrored = variant >= 3;
        gradient = &linear;
    }
    for (const Stop& stop : stops) {
        double at = reversed ? 1 - stop.at : stop.at;
        if (mirrored) {
            gradient->setColorAt(at / 2, QColor::fromRgb(stop.colour));
            gradient->setColorAt(1 - at / 2, QColor::fromRgb(stop.colour));
        } else {
            gradient->setColorAt(at, QColor::fromRgb(stop.colour));
        }
    }
    return QBrush(*gradient);
}

// ----------------------------------------------------------------- textures

enum class Grain
{
    Paper,  // fibres and specks
    Marble, // soft veins
    Speck,  // granite, sand
    Wood,   // rings and grain
    Weave,  // a woven cloth
    Grid,   // a printed grid
    Drops,  // water drops
    Flowers,
    Fossil,
};

struct Texture
{
    const char16_t* name;
    QRgb base;
    QRgb ink;
    Grain grain;
};

constexpr std::array<Texture, 24> kTextures = {{
    {u"纸莎草纸", 0xE8D9A8, 0x8C7444, Grain::Paper},    {u"画布", 0xD9CBB0, 0x8F8169, Grain::Weave},
    {u"斜纹布", 0x4A6A9A, 0x1E3557, Grain::Weave},      {u"编织物", 0xD8C49A, 0x8A6E3E, Grain::Weave},
    {u"水滴", 0x5E8FC0, 0xDDEEFF, Grain::Drops},        {u"纸袋", 0xC8A878, 0x7A5A30, Grain::Paper},
    {u"鱼类化石", 0xD9CCB0, 0x7A6A50, Grain::Fossil},   {u"沙滩", 0xE6D3A3, 0x9C8656, Grain::Speck},
    {u"绿色大理石", 0x3E7A5C, 0xBFE3CF, Grain::Marble}, {u"白色大理石", 0xF0F0EE, 0x9A9A9A, Grain::Marble},
    {u"褐色大理石", 0x7A5238, 0xD9B894, Grain::Marble}, {u"花岗岩", 0xA8A8A8, 0x3C3C3C, Grain::Speck},
    {u"新闻纸", 0xE3E0D6, 0x8A877E, Grain::Paper},      {u"再生纸", 0xE0D6C0, 0x7E705A, Grain::Paper},
    {u"羊皮纸", 0xF2E3BF, 0xA0804A, Grain::Paper},      {u"信纸", 0xF5EFDC, 0xB0A58A, Grain::Paper},
    {u"蓝色面巾纸", 0xB8CCE8, 0x6E8AB8, Grain::Paper},  {u"粉色面巾纸", 0xF2C8D8, 0xC07A98, Grain::Paper},
    {u"紫色网格", 0xB8A8D8, 0x6A4A9A, Grain::Grid},     {u"花束", 0xF0E8D8, 0xC0506A, Grain::Flowers},
    {u"软木塞", 0xB88A58, 0x6A4520, Grain::Speck},      {u"胡桃", 0x6A4428, 0x3A2212, Grain::Wood},
    {u"栎木", 0xC89A62, 0x8A6032, Grain::Wood},         {u"深色木质", 0x4A2A18, 0x24120A, Grain::Wood},
}};

const Texture& textureNamed(const QString& name)
{
    for (const Texture& texture : kTextures)
        if (name == QStringView(texture.name))
            return texture;
    return kTextures[14]; // 羊皮纸
}

constexpr int kTileSide = 128;

// The tile's numbers at random, the same for the same `i` every time.
quint32 tileRandom(int i)
{
    return mix32(quint32(i) * 2654435761u + 12345u);
}

// A light mottle under every grain.
void paintMottle(QPainter& p, const QColor& base)
{
    constexpr int side = kTileSide;
    for (int i = 0; i < 260; ++i) {
        const quint32 r = tileRandom(i);
        p.setBrush(withAlpha(r % 2 ? base.lighter(112) : base.darker(110), 60));
        const double w = 6 + (r >> 8) % 18;
        p.drawEllipse(QRectF((r >> 12) % side - w / 2, (r >> 20) % side - w / 2, w, w * 0.7));
    }
}

void paintPaperGrain(QPainter& p, const QColor&, const QColor& ink)
{
    constexpr int side = kTileSide;
    for (int i = 0; i < 500; ++i) {
        const quint32 r = tileRandom(i + 1000);
        p.setBrush(withAlpha(ink, 20 + int(r % 50)));
        p.drawEllipse(QRectF((r >> 8) % side, (r >> 16) % side, 1 + (r >> 4) % 2, 1));
    }
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 40; ++i) {
        const quint32 r = tileRandom(i + 3000);
        p.setPen(QPen(withAlpha(ink, 30 + int(r % 40)), 0.6));
        const QPointF from((r >> 8) % side, (r >> 16) % side);
        p.drawLine(from, from + QPointF(4 + (r >> 3) % 10, ((r >> 24) % 7) - 3.0));
    }
}

void paintMarbleGrain(QPainter& p, const QColor&, const QColor& ink)
{
    constexpr int side = kTileSide;
    p.setBrush(Qt::NoBrush);
    for (int v = 0; v < 7; ++v) {
        QPainterPath vein;
        const quint32 r = tileRandom(v + 5000);
        double y = (r >> 8) % side;
        vein.moveTo(-4, y);
        for (int x = 0; x <= side + 8; x += 8) {
            y += (static_cast<int>(tileRandom(v * 97 + x) % 9) - 4) * 1.2;
            vein.lineTo(x, y);
        }
        p.setPen(QPen(withAlpha(ink, 70 + int(r % 90)), 0.6 + (r >> 4) % 3 * 0.5));
        p.drawPath(vein);
    }
}

void paintSpeckGrain(QPainter& p, const QColor& base, const QColor& ink)
{
    constexpr int side = kTileSide;
    for (int i = 0; i < 1400; ++i) {
        const quint32 r = tileRandom(i + 7000);
        const QColor c = r % 5 == 0 ? Qt::white : (r % 3 == 0 ? base.darker(150) : ink);
        p.setBrush(withAlpha(c, 90 + int(r % 140)));
        const double w = 0.8 + (r >> 5) % 3 * 0.6;
        p.drawEllipse(QRectF((r >> 8) % side, (r >> 16) % side, w, w));
    }
}

void paintWoodGrain(QPainter& p, const QColor&, const QColor& ink)
{
    constexpr int side = kTileSide;
    p.setBrush(Qt::NoBrush);
    for (int line = 0; line < 40; ++line) {
        const quint32 r = tileRandom(line + 9000);
        QPainterPath grain;
        const double y = line * side / 40.0;
        grain.moveTo(-4, y);
        grain.cubicTo(side * 0.3, y + ((r >> 4) % 7) - 3.0, side * 0.6, y + ((r >> 12) % 7) - 3.0, side + 4,
                      y);
        p.setPen(QPen(withAlpha(ink, 60 + int(r % 120)), 0.5 + (r >> 20) % 3 * 0.5));
        p.drawPath(grain);
    }
}

void paintWeaveGrain(QPainter& p, const QColor& base, const QColor& ink)
{
    constexpr int side = kTileSide;
    for (int y = 0; y < side; y += 4)
        for (int x = 0; x < side; x += 4) {
            const bool over = ((x / 4) + (y / 4)) % 2 == 0;
            p.fillRect(QRectF(x, y, over ? 4 : 1, over ? 1 : 4), withAlpha(ink, 120));
            p.fillRect(QRectF(x + (over ? 0 : 3), y + (over ? 3 : 0), over ? 4 : 1, over ? 1 : 4),
                       withAlpha(base.lighter(125), 140));
        }
}

void paintGridGrain(QPainter& p, const QColor&, const QColor& ink)
{
    constexpr int side = kTileSide;
    for (int i = 0; i < side; i += 8) {
        p.fillRect(QRectF(i, 0, 1.2, side), withAlpha(ink, 150));
        p.fillRect(QRectF(0, i, side, 1.2), withAlpha(ink, 150));
    }
}

void paintDropsGrain(QPainter& p, const QColor& base, const QColor& ink)
{
    constexpr int side = kTileSide;
    for (int i = 0; i < 70; ++i) {
        const quint32 r = tileRandom(i + 11000);
        const double w = 3 + (r >> 3) % 9;
        const QRectF drop((r >> 8) % side, (r >> 16) % side, w, w * 1.1);
        QRadialGradient shine(drop.topLeft() + QPointF(w * 0.3, w * 0.3), w);
        shine.setColorAt(0, withAlpha(ink, 230));
        shine.setColorAt(1, withAlpha(base.darker(140), 160));
        p.setBrush(shine);
        p.drawEllipse(drop);
    }
}

void paintFlowersGrain(QPainter& p, const QColor&, const QColor& ink)
{
    constexpr int side = kTileSide;
    for (int i = 0; i < 18; ++i) {
        const quint32 r = tileRandom(i + 13000);
        const QPointF at((r >> 8) % side, (r >> 16) % side);
        p.setBrush(withAlpha(i % 3 ? ink : QColor(0x6A, 0x9A, 0x4A), 200));
        p.drawPath(starPath(at, 6 + (r >> 4) % 4, 3, 5, (r % 90) / 57.0));
    }
}

void paintFossilGrain(QPainter& p, const QColor&, const QColor& ink)
{
    constexpr int side = kTileSide;
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 6; ++i) {
        const quint32 r = tileRandom(i + 15000);
        const QPointF at((r >> 8) % side, (r >> 16) % side);
        p.setPen(QPen(withAlpha(ink, 180), 1));
        p.drawEllipse(at, 9.0, 4.0);
        for (int k = -3; k <= 3; ++k)
            p.drawLine(at + QPointF(k * 2.2, -3.5), at + QPointF(k * 2.2, 3.5));
    }
}

using GrainPainter = void (*)(QPainter& p, const QColor& base, const QColor& ink);

GrainPainter grainPainter(Grain grain)
{
    switch (grain) {
    case Grain::Paper:
        return paintPaperGrain;
    case Grain::Marble:
        return paintMarbleGrain;
    case Grain::Speck:
        return paintSpeckGrain;
    case Grain::Wood:
        return paintWoodGrain;
    case Grain::Weave:
        return paintWeaveGrain;
    case Grain::Grid:
        return paintGridGrain;
    case Grain::Drops:
        return paintDropsGrain;
    case Grain::Flowers:
        return paintFlowersGrain;
    case Grain::Fossil:
        return paintFossilGrain;
    }
    return nullptr;
}

// A tile of a texture, made once per texture: its base colour worked over
// with its grain, so that no two neighbouring spots are quite alike.
QImage makeTextureTile(const Texture& texture)
{
    QImage image(kTileSide, kTileSide, QImage::Format_RGB32);
    const QColor base = QColor::fromRgb(texture.base), ink = QColor::fromRgb(texture.ink);
    image.fill(base);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    paintMottle(p, base);
    if (const GrainPainter paintGrain = grainPainter(texture.grain))
        paintGrain(p, base, ink);
    return image;
}

const QImage& textureTile(const QString& name)
{
    static QHash<QString, QImage> tiles;
    const Texture& texture = textureNamed(name);
    const QString key = QString::fromUtf16(texture.name);
    auto it = tiles.find(key);
    if (it == tiles.end())
        it = tiles.insert(key, makeTextureTile(texture));
    return *it;
}

// ----------------------------------------------------------------- patterns

using Bits = std::array<quint8, 8>;

// A patterned share of dots, spread evenly (an ordered dither).
Bits percentBits(int percent)
{
    static constexpr std::array<std::array<int, 4>, 4> bayer = {
        {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}}};
    Bits bits{};
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if (bayer[static_cast<size_t>(y % 4)][static_cast<size_t>(x % 4)] < percent * 16 / 100)
                bits[static_cast<size_t>(y)] |= quint8(0x80 >> x);
    return bits;
}

// The 8 × 8 cells of the patterns, a row a byte, the leftmost cell the high bit.
Bits patternBits(const QString& name)
{
    static const QHash<QString, Bits> patterns = {
        {u"浅色下对角线"_s, {0x88, 0x44, 0x22, 0x11, 0x88, 0x44, 0x22, 0x11}},
        {u"浅色上对角线"_s, {0x11, 0x22, 0x44, 0x88, 0x11, 0x22, 0x44, 0x88}},
        {u"深色下对角线"_s, {0xCC, 0x66, 0x33, 0x99, 0xCC, 0x66, 0x33, 0x99}},
        {u"深色上对角线"_s, {0x33, 0x66, 0xCC, 0x99, 0x33, 0x66, 0xCC, 0x99}},
        {u"宽下对角线"_s, {0xE1, 0xF0, 0x78, 0x3C, 0x1E, 0x0F, 0x87, 0xC3}},
        {u"宽上对角线"_s, {0x87, 0x0F, 0x1E, 0x3C, 0x78, 0xF0, 0xE1, 0xC3}},
        {u"浅色竖线"_s, {0x88, 0x88, 0x88, 0x88, 0x88, 0x88, 0x88, 0x88}},
        {u"浅色横线"_s, {0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00}},
        {u"窄竖线"_s, {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}},
        {u"窄横线"_s, {0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00}},
        {u"深色竖线"_s, {0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC}},
        {u"深色横线"_s, {0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00}},
        {u"下对角虚线"_s, {0x00, 0x00, 0x88, 0x44, 0x00, 0x00, 0x22, 0x11}},
        {u"上对角虚线"_s, {0x00, 0x00, 0x11, 0x22, 0x00, 0x00, 0x44, 0x88}},
        {u"横虚线"_s, {0xF0, 0x00, 0x00, 0x00, 0x0F, 0x00, 0x00, 0x00}},
        {u"竖虚线"_s, {0x80, 0x80, 0x80, 0x80, 0x08, 0x08, 0x08, 0x08}},
        {u"小纸屑"_s, {0x80, 0x08, 0x40, 0x02, 0x10, 0x01, 0x20, 0x04}},
        {u"大纸屑"_s, {0xB0, 0x30, 0x03, 0x1B, 0xD8, 0xC0, 0x0C, 0x0D}},
        {u"之字形"_s, {0x81, 0x42, 0x24, 0x18, 0x81, 0x42, 0x24, 0x18}},
        {u"波浪线"_s, {0x00, 0x18, 0xA4, 0x03, 0x00, 0x18, 0xA4, 0x03}},
        {u"对角砖形"_s, {0x80, 0x40, 0x20, 0x10, 0x18, 0x24, 0x42, 0x81}},
        {u"横向砖形"_s, {0xFF, 0x80, 0x80, 0x80, 0xFF, 0x08, 0x08, 0x08}},
        {u"编织物"_s, {0x88, 0x54, 0x22, 0x45, 0x88, 0x14, 0x22, 0x51}},
        {u"划线"_s, {0xF0, 0x70, 0x30, 0x10, 0x0F, 0x07, 0x03, 0x01}},
        {u"草皮"_s, {0x28, 0x44, 0x82, 0x01, 0x01, 0x82, 0x44, 0x28}},
        {u"球体"_s, {0x77, 0x89, 0x8F, 0x8F, 0x77, 0x98, 0xF8, 0xF8}},
        {u"小网格"_s, {0xFF, 0x88, 0x88, 0x88, 0xFF, 0x88, 0x88, 0x88}},
        {u"大网格"_s, {0xFF, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80}},
        {u"小棋盘"_s, {0xCC, 0xCC, 0x33, 0x33, 0xCC, 0xCC, 0x33, 0x33}},
        {u"大棋盘"_s, {0xF0, 0xF0, 0xF0, 0xF0, 0x0F, 0x0F, 0x0F, 0x0F}},
        {u"虚线网格"_s, {0xAA, 0x00, 0x80, 0x00, 0x88, 0x00, 0x80, 0x00}},
        {u"实心菱形"_s, {0x10, 0x38, 0x7C, 0xFE, 0x7C, 0x38, 0x10, 0x00}},
        {u"轮廓式菱形"_s, {0x82, 0x44, 0x28, 0x10, 0x28, 0x44, 0x82, 0x01}},
        {u"瓦形"_s, {0x80, 0x80, 0x41, 0x3E, 0x08, 0x08, 0x14, 0xE3}},
        {u"点式网格"_s, {0xAA, 0x00, 0x80, 0x00, 0x80, 0x00, 0x80, 0x00}},
        {u"点式菱形"_s, {0x80, 0x00, 0x22, 0x00, 0x08, 0x00, 0x22, 0x00}},
    };
    if (name.endsWith(u'%'))
        return percentBits(name.chopped(1).toInt());
    return patterns.value(name, percentBits(50));
}

// A pattern's cells are drawn this many points wide, about a screen pixel at 100% zoom.
constexpr double kPatternCell = 1.5;

QBrush patternBrush(const BackgroundFill& fill)
{
    const QColor fore = colorFrom(fill.foreground).isValid() ? colorFrom(fill.foreground) : QColor(Qt::black);
    const QColor back = colorFrom(fill.background).isValid() ? colorFrom(fill.background) : QColor(Qt::white);
    const Bits bits = patternBits(fill.pattern);
    QImage tile(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            tile.setPixelColor(x, y, bits[static_cast<size_t>(y)] & (0x80 >> x) ? fore : back);
    QBrush brush(tile);
    brush.setTransform(QTransform::fromScale(kPatternCell, kPatternCell));
    return brush;
}

} // namespace

void paintBackgroundFill(QPainter& p, const BackgroundFill& fill)
{
    const QRectF slide(0, 0, kSlideWidth, kSlideHeight);
    if (fill.type == u"gradient"_s) {
        p.fillRect(slide, gradientBrush(fill));
    } else if (fill.type == u"texture"_s) {
        // Textures tile at their own size, about two inches a tile.
        QBrush brush(textureTile(fill.texture));
        brush.setTransform(QTransform::fromScale(1.2, 1.2));
        p.fillRect(slide, brush);
    } else if (fill.type == u"pattern"_s) {
        p.fillRect(slide, patternBrush(fill));
    } else if (fill.type == u"picture"_s) {
        paintPicture(p, slide);
    }
}

void paintFillSample(QPainter& p, const QRect& rect, const BackgroundFill& fill)
{
    p.save();
    p.translate(rect.topLeft());
    if (fill.type == u"pattern"_s) {
        // A pattern's cells are screen pixels, at any size.
        QBrush brush = patternBrush(fill);
        brush.setTransform(QTransform());
        p.fillRect(QRect(QPoint(0, 0), rect.size()), brush);
    } else {
        p.scale(rect.width() / kSlideWidth, rect.height() / kSlideHeight);
        paintBackgroundFill(p, fill);
    }
    p.restore();
}

QColor backgroundFillTone(const BackgroundFill& fill)
{
    if (fill.type == u"gradient"_s) {
        const std::vector<Stop> stops = gradientStops(fill);
        return mixed(QColor::fromRgb(stops.front().colour), QColor::fromRgb(stops.back().colour), 0.5);
    }
    if (fill.type == u"texture"_s)
        return QColor::fromRgb(textureNamed(fill.texture).base);
    if (fill.type == u"pattern"_s) {
        const QColor back =
            colorFrom(fill.background).isValid() ? colorFrom(fill.background) : QColor(Qt::white);
        return back;
    }
    if (fill.type == u"picture"_s)
        return QColor(0x8F, 0xBF, 0xE0);
    return {};
}

const std::vector<ColorScheme>& standardSchemes()
{
    // background, text and lines, shadow, title, fill, accent, hyperlink, followed hyperlink
    static const std::vector<ColorScheme> schemes = {
        {u"#FFFFFF"_s, u"#000000"_s, u"#808080"_s, u"#000000"_s, u"#BBE0E3"_s, u"#333399"_s, u"#009999"_s,
         u"#99CC00"_s},
        {u"#FFFFFF"_s, u"#333333"_s, u"#808080"_s, u"#003366"_s, u"#CCECFF"_s, u"#3366CC"_s, u"#FF9900"_s,
         u"#996633"_s},
        {u"#3A2460"_s, u"#FFFFFF"_s, u"#1E1230"_s, u"#FFFFFF"_s, u"#6A4A9A"_s, u"#9999FF"_s, u"#FFCC66"_s,
         u"#CC99FF"_s},
        {u"#000000"_s, u"#FFFFFF"_s, u"#333333"_s, u"#FFFF99"_s, u"#0066CC"_s, u"#00CCFF"_s, u"#FF3300"_s,
         u"#CCCC00"_s},
        {u"#003366"_s, u"#FFFFFF"_s, u"#001933"_s, u"#FFCC00"_s, u"#336699"_s, u"#99CCFF"_s, u"#FF9933"_s,
         u"#CCCCFF"_s},
        {u"#FFFFCC"_s, u"#333300"_s, u"#CCCC99"_s, u"#336600"_s, u"#99CC66"_s, u"#669933"_s, u"#CC6600"_s,
         u"#996633"_s},
        {u"#FFFFFF"_s, u"#000000"_s, u"#969696"_s, u"#CC0000"_s, u"#FFCC99"_s, u"#993300"_s, u"#0066CC"_s,
         u"#9999FF"_s},
        {u"#DDDDDD"_s, u"#000000"_s, u"#808080"_s, u"#333399"_s, u"#FFFFFF"_s, u"#669999"_s, u"#CC3300"_s,
         u"#996699"_s},
        {u"#006666"_s, u"#FFFFFF"_s, u"#003333"_s, u"#FFFF99"_s, u"#339999"_s, u"#66CCCC"_s, u"#FFCC66"_s,
         u"#CCFFCC"_s},
        {u"#FFFFFF"_s, u"#000000"_s, u"#808080"_s, u"#006600"_s, u"#CCFFCC"_s, u"#009933"_s, u"#0000CC"_s,
         u"#660066"_s},
        {u"#663300"_s, u"#FFFFCC"_s, u"#331A00"_s, u"#FFCC66"_s, u"#996633"_s, u"#CC9966"_s, u"#FF9900"_s,
         u"#FFFF99"_s},
        {u"#FFF0F5"_s, u"#330033"_s, u"#CC99CC"_s, u"#990066"_s, u"#FFCCE5"_s, u"#CC3399"_s, u"#6633CC"_s,
         u"#996699"_s},
    };
    return schemes;
}

void paintSchemeSample(QPainter& p, const QRect& r, const ColorScheme& scheme)
{
    p.fillRect(r, colorFrom(scheme.background));
    p.fillRect(QRect(r.left() + 4, r.top() + 4, r.width() - 8, r.height() / 5), colorFrom(scheme.title));
    const std::array<QString, 3> lines = {scheme.text, scheme.accent, scheme.hyperlink};
    for (size_t i = 0; i < lines.size(); ++i)
        p.fillRect(QRect(r.left() + 6, r.top() + r.height() / 2 + int(i) * 6, r.width() / 2, 3),
                   colorFrom(lines[i]));
    p.fillRect(QRect(r.right() - r.width() / 3, r.top() + r.height() / 2, r.width() / 4, r.height() / 3),
               colorFrom(scheme.fill));
}

Design withScheme(Design design, const ColorScheme& scheme)
{
    if (const QColor c = colorFrom(scheme.background); c.isValid()) {
        design.background = c;
        design.background2 = QColor();
        design.fill = Design::Fill::Solid;
    }
    if (const QColor c = colorFrom(scheme.text); c.isValid())
        design.text = design.bullet = c;
    if (const QColor c = colorFrom(scheme.title); c.isValid())
        design.title = c;
    if (const QColor c = colorFrom(scheme.fill); c.isValid()) {
        design.shapeFill = c;
        design.shapeLine = luminance(design.background) < 0.5 ? c.lighter(150) : c.darker(180);
    }
    if (const QColor c = colorFrom(scheme.accent); c.isValid())
        design.accent = c;
    if (const QColor c = colorFrom(scheme.hyperlink); c.isValid())
        design.accent2 = c;
    return design;
}

} // namespace pptdrill
