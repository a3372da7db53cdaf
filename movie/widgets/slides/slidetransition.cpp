#include "movie/widgets/slides/slidetransition.h"

#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <numbers>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

// The way a name says the picture moves: 向右 is (1, 0), 向左下 (-1, 1).
QPoint directionIn(const QString& name, QPoint fallback)
{
    int dx = 0, dy = 0;
    if (name.contains(u"左"_s))
        dx = -1;
    if (name.contains(u"右"_s))
        dx = 1;
    if (name.contains(u"上"_s))
        dy = -1;
    if (name.contains(u"下"_s))
        dy = 1;
    return dx == 0 && dy == 0 ? fallback : QPoint(dx, dy);
}

// A number from 0 to 1 for cell `i` of a pattern, the same for the same seed.
double cellThreshold(unsigned seed, unsigned i)
{
    unsigned h = (i + 1) * 2654435761u ^ seed * 40503u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return (h % 10007u) / 10007.0;
}

QRect sweep(const QRect& r, QPoint direction, double t)
{
    const int w = static_cast<int>(std::lround(r.width() * t));
    const int h = static_cast<int>(std::lround(r.height() * t));
    QRect out = r;
    if (direction.x() > 0)
        out.setWidth(w);
    else if (direction.x() < 0)
        out.setLeft(r.right() + 1 - w);
    if (direction.y() > 0)
        out.setHeight(h);
    else if (direction.y() < 0)
        out.setTop(r.bottom() + 1 - h);
    return out;
}

QRect centred(const QRect& r, double fx, double fy)
{
    const int w = static_cast<int>(std::lround(r.width() * fx));
    const int h = static_cast<int>(std::lround(r.height() * fy));
    return QRect(r.center().x() - w / 2, r.center().y() - h / 2, w, h);
}

void addBlinds(QPainterPath& path, const QRect& r, const Reveal& v, double t)
{
    const int strips = 6;
    for (int i = 0; i < strips; ++i) {
        if (v.vertical) {
            const double w = r.width() / double(strips);
            path.addRect(QRectF(r.left() + i * w, r.top(), w * t, r.height()));
        } else {
            const double h = r.height() / double(strips);
            path.addRect(QRectF(r.left(), r.top() + i * h, r.width(), h * t));
        }
    }
}

// Squares that fill along the sweep, every other row (or column) half a square behind.
void addCheckerboard(QPainterPath& path, const QRect& r, const Reveal& v, double t)
{
    const int along = 8, across = 6;
    const double lead = (v.vertical ? r.height() : r.width()) / double(along);
    const double side = (v.vertical ? r.width() : r.height()) / double(across);
    for (int line = 0; line < across; ++line) {
        const double behind = line % 2 ? 0.5 : 0.0;
        const double shown = std::clamp((t * 1.5 - behind) * lead, 0.0, lead);
        const double offset = line % 2 ? lead / 2 : 0.0;
        for (int cell = -1; cell < along; ++cell) {
            const double a = cell * lead + offset;
            const QRectF square = v.vertical ? QRectF(r.left() + line * side, r.top() + a, side, shown)
                                             : QRectF(r.left() + a, r.top() + line * side, shown, side);
            path.addRect(square.intersected(QRectF(r)));
        }
    }
}

// Squares come on along the diagonals, from the corner opposite the direction.
void addStairs(QPainterPath& path, const QRect& r, const Reveal& v, double t)
{
    const int cols = 8, rows = 6;
    const double cw = r.width() / double(cols), ch = r.height() / double(rows);
    const double reached = t * (cols + rows - 1);
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < cols; ++col) {
            const int c = v.direction.x() < 0 ? cols - 1 - col : col;
            const int rr = v.direction.y() < 0 ? rows - 1 - row : row;
            if (c + rr < reached)
                path.addRect(QRectF(r.left() + col * cw, r.top() + row * ch, cw + 0.5, ch + 0.5));
        }
    }
}

// The shapes that grow from (or shrink to) the middle: boxes, circle, diamond, plus, split.
void addCentredShape(QPainterPath& path, const QRect& r, const Reveal& v, double t)
{
    const double diagonal = std::hypot(r.width(), r.height());
    switch (v.family) {
    case Reveal::BoxOut:
        path.addRect(centred(r, t, t));
        break;
    case Reveal::BoxIn: {
        path.addRect(r);
        QPainterPath hole;
        hole.addRect(centred(r, 1 - t, 1 - t));
        path = path.subtracted(hole);
        break;
    }
    case Reveal::Circle:
        path.addEllipse(QPointF(r.center()), diagonal / 2 * t, diagonal / 2 * t);
        break;
    case Reveal::Diamond: {
        const QPointF c = r.center();
        const double a = diagonal * t;
        path.moveTo(c + QPointF(0, -a));
        path.lineTo(c + QPointF(a, 0));
        path.lineTo(c + QPointF(0, a));
        path.lineTo(c + QPointF(-a, 0));
        path.closeSubpath();
        break;
    }
    case Reveal::Plus:
        path.addRect(centred(r, t, 1));
        path.addRect(centred(r, 1, t));
        path = path.simplified();
        break;
    case Reveal::SplitOut:
        path.addRect(v.vertical ? centred(r, t, 1) : centred(r, 1, t));
        break;
    case Reveal::SplitIn: {
        path.addRect(r);
        QPainterPath middle;
        middle.addRect(v.vertical ? centred(r, 1 - t, 1) : centred(r, 1, 1 - t));
        path = path.subtracted(middle);
        break;
    }
    default:
        break;
    }
}

// The sectors that sweep round the middle: the wheel's spokes, or one wedge opening both ways.
void addSectors(QPainterPath& path, const QRect& r, const Reveal& v, double t)
{
    const double diagonal = std::hypot(r.width(), r.height());
    const QPointF c = r.center();
    const QRectF around(c.x() - diagonal, c.y() - diagonal, 2 * diagonal, 2 * diagonal);
    if (v.family == Reveal::Wedge) {
        path.moveTo(c);
        path.arcTo(around, 90 - 180 * t, 360 * t);
        path.closeSubpath();
        return;
    }
    const double sector = 360.0 / v.spokes;
    for (int i = 0; i < v.spokes; ++i) {
        path.moveTo(c);
        path.arcTo(around, 90 - i * sector, -sector * t);
        path.closeSubpath();
    }
}

// The part of `r` shown at `t` for the families that show a part in place.
QPainterPath revealedPath(const QRect& r, const Reveal& v, double t)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    switch (v.family) {
    case Reveal::Wipe:
        path.addRect(sweep(r, v.direction, t));
        break;
    case Reveal::Blinds:
        addBlinds(path, r, v, t);
        break;
    case Reveal::Checkerboard:
        addCheckerboard(path, r, v, t);
        break;
    case Reveal::BoxOut:
    case Reveal::BoxIn:
    case Reveal::Circle:
    case Reveal::Diamond:
    case Reveal::Plus:
    case Reveal::SplitOut:
    case Reveal::SplitIn:
        addCentredShape(path, r, v, t);
        break;
    case Reveal::Stairs:
        addStairs(path, r, v, t);
        break;
    case Reveal::Wheel:
    case Reveal::Wedge:
        addSectors(path, r, v, t);
        break;
    default:
        if (t >= 1)
            path.addRect(r);
        break;
    }
    return path;
}

// The squares of a dissolve (or the lines of random lines) shown at `t`, as a
// mask the size of `r` scaled up from one pixel a square.
QImage patternMask(const QRect& r, const Reveal& v, double t)
{
    const int cell = 8;
    const bool lines = v.family == Reveal::RandomLines;
    const int cols = lines ? (v.vertical ? (r.width() + 1) / 2 : 1) : (r.width() + cell - 1) / cell;
    const int rows = lines ? (v.vertical ? 1 : (r.height() + 1) / 2) : (r.height() + cell - 1) / cell;
    QImage small(std::max(cols, 1), std::max(rows, 1), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < small.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(small.scanLine(y));
        for (int x = 0; x < small.width(); ++x)
            line[x] =
                cellThreshold(v.seed, static_cast<unsigned>(y * small.width() + x)) < t ? 0xFF000000u : 0u;
    }
    return small.scaled(r.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// `picture`'s part of `area` through `mask` (opaque where shown).
void drawMasked(QPainter& p, const QRect& area, const QRect& part, const QImage& picture, const QImage& mask)
{
    QImage shown =
        picture.copy(part.translated(-area.topLeft())).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter m(&shown);
    m.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    m.drawImage(0, 0, mask);
    m.end();
    p.drawImage(part.topLeft(), shown);
}

const QStringList& randomChoices()
{
    static const QStringList names = {u"水平百叶窗"_s,   u"垂直百叶窗"_s, u"盒状收缩"_s,
                                      u"盒状展开"_s,     u"横向棋盘式"_s, u"纵向棋盘式"_s,
                                      u"溶解"_s,         u"向下插入"_s,   u"向右擦除"_s,
                                      u"向左推出"_s,     u"圆形"_s,       u"阶梯状向右下展开"_s,
                                      u"随机水平线条"_s, u"向上揭开"_s};
    return names;
}

} // namespace

Reveal transitionReveal(const QString& effect, unsigned seed)
{
    Reveal v;
    v.seed = seed;
    const QString& e = effect;
    if (e == u"随机"_s)
        return transitionReveal(randomChoices()[static_cast<qsizetype>(seed % randomChoices().size())], seed);
    v.vertical = e.contains(u"垂直"_s) || e.contains(u"纵向"_s) || e.contains(u"左右"_s);
    v.direction = directionIn(e, QPoint(1, 0));
    if (e.contains(u"百叶窗"_s))
        v.family = Reveal::Blinds;
    else if (e.contains(u"棋盘"_s))
        v.family = Reveal::Checkerboard;
    else if (e == u"盒状展开"_s)
        v.family = Reveal::BoxOut;
    else if (e == u"盒状收缩"_s)
        v.family = Reveal::BoxIn;
    else if (e.contains(u"梳理"_s))
        v.family = Reveal::Comb;
    else if (e.contains(u"擦除"_s))
        v.family = Reveal::Wipe;
    else if (e.contains(u"插入"_s) || e.contains(u"覆盖"_s))
        v.family = Reveal::Cover;
    else if (e.contains(u"推出"_s))
        v.family = Reveal::Push;
    else if (e.contains(u"揭开"_s))
        v.family = Reveal::Uncover;
    else if (e == u"溶解"_s)
        v.family = Reveal::Dissolve;
    else if (e.startsWith(u"随机"_s) && e.contains(u"线条"_s))
        v.family = Reveal::RandomLines;
    else if (e == u"平滑淡出"_s)
        v.family = Reveal::Fade;
    else if (e == u"从全黑淡出"_s)
        v.family = Reveal::FadeThroughBlack;
    else if (e == u"全黑切出"_s)
        v.family = Reveal::CutThroughBlack;
    else if (e == u"圆形"_s)
        v.family = Reveal::Circle;
    else if (e == u"菱形"_s)
        v.family = Reveal::Diamond;
    else if (e == u"加号"_s)
        v.family = Reveal::Plus;
    else if (e.endsWith(u"展开"_s) && e.contains(u"阶梯"_s))
        v.family = Reveal::Stairs;
    else if (e.endsWith(u"展开"_s))
        v.family = Reveal::SplitOut;
    else if (e.endsWith(u"收缩"_s))
        v.family = Reveal::SplitIn;
    else if (e.contains(u"回旋"_s)) {
        v.family = Reveal::Wheel;
        for (int n : {8, 4, 3, 2})
            if (e.contains(QString::number(n)))
                return v.spokes = n, v;
    } else if (e == u"楔入"_s)
        v.family = Reveal::Wedge;
    else if (e == u"新闻快报"_s)
        v.family = Reveal::Zoom;
    else
        v.family = Reveal::Cut;
    // 上下 splits open across the slide, 左右 down it.
    if (v.family == Reveal::SplitOut || v.family == Reveal::SplitIn)
        v.vertical = e.startsWith(u"左右"_s);
    return v;
}

Reveal effectReveal(const QString& effect, const QString& direction)
{
    Reveal v;
    const QString& e = effect;
    v.vertical = e.contains(u"垂直"_s) || e.contains(u"纵向"_s);
    if (e.contains(u"飞"_s) || e.contains(u"挥鞭"_s) || e.contains(u"切入"_s) || e.contains(u"弹跳"_s) ||
        e.contains(u"升起"_s) || e.contains(u"下降"_s)) {
        v.family = Reveal::Fly;
        // 自左侧: comes from the left, so it moves to the right; without a side, from the bottom.
        const QPoint from = directionIn(QString(direction).replace(u"顶部"_s, u"上"_s), QPoint(0, 1));
        v.direction = -from;
        return v;
    }
    if (e.contains(u"百叶窗"_s))
        v.family = Reveal::Blinds;
    else if (e.contains(u"棋盘"_s))
        v.family = Reveal::Checkerboard;
    else if (e.contains(u"盒状"_s))
        v.family = e.contains(u"收缩"_s) || direction == u"外"_s ? Reveal::BoxIn : Reveal::BoxOut;
    else if (e.contains(u"菱形"_s))
        v.family = Reveal::Diamond;
    else if (e.contains(u"圆形"_s))
        v.family = Reveal::Circle;
    else if (e.contains(u"十字形"_s) || e.contains(u"加号"_s))
        v.family = Reveal::Plus;
    else if (e.contains(u"溶解"_s))
        v.family = Reveal::Dissolve;
    else if (e.contains(u"随机线条"_s))
        v.family = Reveal::RandomLines;
    else if (e.contains(u"阶梯"_s))
        v.family = Reveal::Stairs;
    else if (e.contains(u"轮子"_s))
        v.family = Reveal::Wheel;
    else if (e.contains(u"楔入"_s))
        v.family = Reveal::Wedge;
    else if (e.contains(u"擦除"_s)) {
        v.family = Reveal::Wipe;
        const QPoint from = directionIn(QString(direction).replace(u"顶部"_s, u"上"_s), QPoint(0, 1));
        v.direction = -from;
    } else if (e == u"出现"_s || e == u"消失"_s)
        v.family = Reveal::Cut;
    else
        v.family = Reveal::Fade;
    return v;
}

int transitionMilliseconds(const QString& speed)
{
    if (speed == u"慢速"_s)
        return 1500;
    if (speed == u"中速"_s)
        return 1000;
    return 500;
}

int effectMilliseconds(const QString& speed)
{
    if (speed == u"非常慢"_s)
        return 5000;
    if (speed == u"慢速"_s)
        return 3000;
    if (speed == u"快速"_s)
        return 1000;
    if (speed == u"非常快"_s)
        return 500;
    return 2000;
}

void paintRevealed(QPainter& p, const QRect& area, const QRect& bounds, const QImage& picture,
                   const Reveal& v, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    if (t <= 0 || bounds.isEmpty())
        return;
    p.save();
    p.setClipRect(area);
    const QRect source = bounds.translated(-area.topLeft());
    switch (v.family) {
    case Reveal::Cut:
    case Reveal::CutThroughBlack:
        p.drawImage(bounds.topLeft(), picture, source);
        break;
    case Reveal::Fade:
    case Reveal::FadeThroughBlack:
    case Reveal::Zoom:
        if (v.family == Reveal::Zoom) {
            // Spins in from the middle, growing.
            p.translate(QPointF(bounds.center()));
            p.rotate(720 * (1 - t));
            p.scale(t, t);
            p.translate(-QPointF(bounds.center()));
        } else {
            p.setOpacity(t);
        }
        p.drawImage(bounds.topLeft(), picture, source);
        break;
    case Reveal::Dissolve:
    case Reveal::RandomLines:
        drawMasked(p, area, bounds, picture, patternMask(bounds, v, t));
        break;
    case Reveal::Comb: {
        const int teeth = 8;
        for (int i = 0; i < teeth; ++i) {
            const int sign = i % 2 ? 1 : -1;
            QRect tooth = bounds;
            QPoint shift;
            if (v.vertical) {
                tooth.setLeft(bounds.left() + bounds.width() * i / teeth);
                tooth.setRight(bounds.left() + bounds.width() * (i + 1) / teeth - 1);
                shift = QPoint(0, static_cast<int>(sign * (1 - t) * bounds.height()));
            } else {
                tooth.setTop(bounds.top() + bounds.height() * i / teeth);
                tooth.setBottom(bounds.top() + bounds.height() * (i + 1) / teeth - 1);
                shift = QPoint(static_cast<int>(sign * (1 - t) * bounds.width()), 0);
            }
            p.drawImage(tooth.topLeft() + shift, picture, tooth.translated(-area.topLeft()));
        }
        break;
    }
    case Reveal::Cover:
    case Reveal::Push:
    case Reveal::Uncover:
    case Reveal::Fly: {
        // Slides in against its direction: from beyond the area's edge to its place.
        const int dx = v.direction.x() > 0   ? bounds.right() - area.left() + 1
                       : v.direction.x() < 0 ? area.right() - bounds.left() + 1
                                             : 0;
        const int dy = v.direction.y() > 0   ? bounds.bottom() - area.top() + 1
                       : v.direction.y() < 0 ? area.bottom() - bounds.top() + 1
                                             : 0;
        const double left = 1 - t;
        const QPoint shift(static_cast<int>(-v.direction.x() * dx * left),
                           static_cast<int>(-v.direction.y() * dy * left));
        p.drawImage(bounds.topLeft() + shift, picture, source);
        break;
    }
    default:
        p.setClipPath(revealedPath(bounds, v, t), Qt::IntersectClip);
        p.drawImage(bounds.topLeft(), picture, source);
        break;
    }
    p.restore();
}

void paintTransition(QPainter& p, const QRect& area, const QImage& from, const QImage& to, const Reveal& v,
                     double t)
{
    t = std::clamp(t, 0.0, 1.0);
    p.save();
    p.setClipRect(area);
    switch (v.family) {
    case Reveal::Push: {
        const QPoint shift(static_cast<int>(v.direction.x() * area.width() * t),
                           static_cast<int>(v.direction.y() * area.height() * t));
        p.drawImage(area.topLeft() + shift, from);
        p.drawImage(area.topLeft() + shift -
                        QPoint(v.direction.x() * area.width(), v.direction.y() * area.height()),
                    to);
        break;
    }
    case Reveal::Uncover: {
        p.drawImage(area.topLeft(), to);
        const QPoint shift(static_cast<int>(v.direction.x() * area.width() * t),
                           static_cast<int>(v.direction.y() * area.height() * t));
        p.drawImage(area.topLeft() + shift, from);
        break;
    }
    case Reveal::CutThroughBlack:
    case Reveal::FadeThroughBlack: {
        // Through black: the old slide goes dark in the first half, the new one comes up in the second.
        const bool first = t < 0.5;
        p.fillRect(area, Qt::black);
        if (v.family == Reveal::FadeThroughBlack) {
            p.setOpacity(first ? 1 - 2 * t : 2 * t - 1);
            p.drawImage(area.topLeft(), first ? from : to);
        } else if (!first) {
            p.drawImage(area.topLeft(), to);
        }
        break;
    }
    case Reveal::Cut:
        p.drawImage(area.topLeft(), t > 0 ? to : from);
        break;
    default:
        p.drawImage(area.topLeft(), from);
        paintRevealed(p, area, area, to, v, t);
        break;
    }
    p.restore();
}

} // namespace pptdrill
