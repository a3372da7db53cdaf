// The icons of the object toolbars: 图示, 表格和边框 and 图片.
#include "movie/widgets/icons/kiticonpainting.h"

#include <QPainterPath>

namespace pptdrill::kiticons {
namespace {

const QColor kCyclePink(0xE0, 0x5A, 0x8A);
const QColor kCycleGold(0xF2, 0xB8, 0x3C);

// Three small circles on a ring, as the diagram toolbar draws its shapes.
void threeCircles(QPainter& p)
{
    p.setPen(iconPen(ink::darkBlue, 0.8));
    p.setBrush(ink::lightBlue);
    p.drawEllipse(QPointF(8, 4), 2.6, 2.6);
    p.setBrush(kCyclePink);
    p.drawEllipse(QPointF(4, 11), 2.6, 2.6);
    p.setBrush(kCycleGold);
    p.drawEllipse(QPointF(12, 11), 2.6, 2.6);
}

void iconDiagramInsertShape(QPainter& p)
{
    threeCircles(p);
    p.setPen(roundPen(ink::green, 2));
    p.drawLine(QPointF(13, 1.5), QPointF(13, 6.5));
    p.drawLine(QPointF(10.5, 4), QPointF(15.5, 4));
}

void iconDiagramMoveBack(QPainter& p)
{
    threeCircles(p);
    p.setPen(roundPen(ink::blue, 1.3));
    p.drawLine(QPointF(6, 8), QPointF(1.5, 8));
    arrowHead(p, QPointF(0.5, 8), 180, 3, ink::blue);
}

void iconDiagramMoveForward(QPainter& p)
{
    threeCircles(p);
    p.setPen(roundPen(ink::blue, 1.3));
    p.drawLine(QPointF(10, 8), QPointF(14.5, 8));
    arrowHead(p, QPointF(15.5, 8), 0, 3, ink::blue);
}

void iconDiagramReverse(QPainter& p)
{
    p.setPen(roundPen(ink::blue, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(2.5, 2.5, 11, 11), 30 * 16, 120 * 16);
    p.drawArc(QRectF(2.5, 2.5, 11, 11), 210 * 16, 120 * 16);
    arrowHead(p, QPointF(2.6, 9.2), 100, 3.2, ink::blue);
    arrowHead(p, QPointF(13.4, 6.8), -80, 3.2, ink::blue);
}

void iconDiagramAutoFormat(QPainter& p)
{
    threeCircles(p);
    p.setPen(roundPen(QColor(0x5A, 0x3A, 0x14), 1.4));
    p.drawLine(QPointF(9, 15), QPointF(14, 9));
    p.setPen(roundPen(ink::yellow, 1));
    p.drawLine(QPointF(14, 6.5), QPointF(14, 10.5));
    p.drawLine(QPointF(12, 8.5), QPointF(16, 8.5));
}

// A small grid of cells, as the table buttons draw a table.
void cellGrid(QPainter& p, const QRectF& r, int rows, int columns)
{
    box(p, r, ink::paper, ink::outline);
    p.setPen(iconPen(ink::outline));
    for (int i = 1; i < rows; ++i)
        p.drawLine(QPointF(r.left(), r.top() + r.height() * i / rows),
                   QPointF(r.right(), r.top() + r.height() * i / rows));
    for (int i = 1; i < columns; ++i)
        p.drawLine(QPointF(r.left() + r.width() * i / columns, r.top()),
                   QPointF(r.left() + r.width() * i / columns, r.bottom()));
}

void iconTableDraw(QPainter& p)
{
    cellGrid(p, QRectF(1.5, 5.5, 9, 9), 2, 2);
    pencil(p, QPointF(9, 9), 9);
}

void iconTableErase(QPainter& p)
{
    cellGrid(p, QRectF(1.5, 1.5, 9, 9), 2, 2);
    polygon(p, {QPointF(8, 13), QPointF(12, 8.5), QPointF(15.5, 11.5), QPointF(11.5, 15.5)},
            QColor(0xF0, 0x9C, 0xB4), QColor(0x8A, 0x3A, 0x52));
}

void iconBorderColor(QPainter& p)
{
    pencil(p, QPointF(3, 11), 12);
    colourBar(p, ink::text);
}

void iconBorders(QPainter& p)
{
    p.setPen(QPen(ink::grey, 1, Qt::DotLine));
    p.drawLine(QPointF(8, 2), QPointF(8, 14));
    p.drawLine(QPointF(2, 8), QPointF(14, 8));
    p.setPen(iconPen(ink::text, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
}

// 框线's pictures: a square of four cells, every line faint and dotted, the
// lines that the border names drawn dark over them.
enum BorderLine
{
    Top = 1,
    Bottom = 2,
    Left = 4,
    Right = 8,
    InnerRow = 16,
    InnerColumn = 32,
    Down = 64,
    Up = 128
};

template <int Lines> void iconBorderLines(QPainter& p)
{
    const double lo = 1.5, hi = 14.5, mid = 8;
    const std::pair<int, QLineF> lines[] = {
        {Top, {lo, lo, hi, lo}},   {Bottom, {lo, hi, hi, hi}},     {Left, {lo, lo, lo, hi}},
        {Right, {hi, lo, hi, hi}}, {InnerRow, {lo, mid, hi, mid}}, {InnerColumn, {mid, lo, mid, hi}},
        {Down, {lo, lo, hi, hi}},  {Up, {lo, hi, hi, lo}},
    };
    p.fillRect(QRectF(lo, lo, hi - lo, hi - lo), ink::paper);
    p.setPen(QPen(ink::grey, 1, Qt::DotLine));
    for (const auto& [line, at] : lines)
        if (line < Down)
            p.drawLine(at);
    p.setPen(iconPen(ink::text, 1.5));
    for (const auto& [line, at] : lines)
        if (Lines & line)
            p.drawLine(at);
}

void iconMergeCells(QPainter& p)
{
    box(p, QRectF(1.5, 3.5, 13, 9), ink::paper, ink::outline);
    p.setPen(roundPen(ink::blue, 1.2));
    p.drawLine(QPointF(3.5, 8), QPointF(12.5, 8));
    arrowHead(p, QPointF(7, 8), 0, 2.5, ink::blue);
    arrowHead(p, QPointF(9, 8), 180, 2.5, ink::blue);
}

void iconSplitCells(QPainter& p)
{
    cellGrid(p, QRectF(1.5, 3.5, 13, 9), 1, 2);
    p.setPen(roundPen(ink::blue, 1.2));
    p.drawLine(QPointF(3, 8), QPointF(6.5, 8));
    p.drawLine(QPointF(9.5, 8), QPointF(13, 8));
    arrowHead(p, QPointF(3, 8), 180, 2.5, ink::blue);
    arrowHead(p, QPointF(13, 8), 0, 2.5, ink::blue);
}

// A cell with its text at the top (0), the middle (1) or the bottom (2).
void cellText(QPainter& p, int where)
{
    box(p, QRectF(1.5, 1.5, 13, 13), ink::paper, ink::outline);
    const double top = 3.5 + where * 3.5;
    textLines(p, {{4, 12}, {4, 12}, {4, 10}}, top, 2, ink::text);
}

void iconCellTop(QPainter& p)
{
    cellText(p, 0);
}

void iconCellMiddle(QPainter& p)
{
    cellText(p, 1);
}

void iconCellBottom(QPainter& p)
{
    cellText(p, 2);
}

void iconDistributeRows(QPainter& p)
{
    cellGrid(p, QRectF(4.5, 1.5, 10, 13), 3, 1);
    p.setPen(roundPen(ink::blue, 1));
    p.drawLine(QPointF(2, 2), QPointF(2, 14));
    arrowHead(p, QPointF(2, 1.5), -90, 2.2, ink::blue);
    arrowHead(p, QPointF(2, 14.5), 90, 2.2, ink::blue);
}

void iconDistributeColumns(QPainter& p)
{
    cellGrid(p, QRectF(1.5, 4.5, 13, 10), 1, 3);
    p.setPen(roundPen(ink::blue, 1));
    p.drawLine(QPointF(2, 2), QPointF(14, 2));
    arrowHead(p, QPointF(1.5, 2), 180, 2.2, ink::blue);
    arrowHead(p, QPointF(14.5, 2), 0, 2.2, ink::blue);
}

// A small landscape, as the picture buttons draw a picture.
void miniPicture(QPainter& p, const QRectF& r)
{
    box(p, r, QColor(0xBF, 0xDF, 0xF7), ink::outline);
    polygon(p,
            {QPointF(r.left() + 0.5, r.bottom() - 0.5),
             QPointF(r.left() + r.width() * 0.4, r.top() + r.height() * 0.45),
             QPointF(r.right() - 0.5, r.bottom() - 0.5)},
            ink::green, {});
}

// Half dark, half light: contrast (true) or brightness (false), more or less.
void lightButton(QPainter& p, bool contrast, bool more)
{
    if (contrast) {
        p.setPen(iconPen(ink::text));
        p.setBrush(ink::paper);
        p.drawEllipse(QPointF(6, 8), 4.5, 4.5);
        p.setBrush(ink::text);
        p.drawPie(QRectF(1.5, 3.5, 9, 9), 90 * 16, 180 * 16);
    } else {
        p.setPen(roundPen(ink::darkYellow, 1));
        for (int i = 0; i < 8; ++i) {
            const double a = i * kPi / 4;
            p.drawLine(QPointF(6 + 3.5 * std::cos(a), 8 + 3.5 * std::sin(a)),
                       QPointF(6 + 5.5 * std::cos(a), 8 + 5.5 * std::sin(a)));
        }
        p.setBrush(ink::yellow);
        p.drawEllipse(QPointF(6, 8), 2.5, 2.5);
    }
    p.setPen(roundPen(more ? ink::green : ink::red, 1.6));
    p.drawLine(QPointF(11.5, 12), QPointF(15.5, 12));
    if (more)
        p.drawLine(QPointF(13.5, 10), QPointF(13.5, 14));
}

void iconPictureColor(QPainter& p)
{
    miniPicture(p, QRectF(1.5, 1.5, 13, 9));
    p.fillRect(QRectF(1, 12, 4.7, 3), ink::text);
    p.fillRect(QRectF(5.7, 12, 4.6, 3), ink::grey);
    p.fillRect(QRectF(10.3, 12, 4.7, 3), QColor(0xE0, 0xE0, 0xE0));
}

void iconContrastMore(QPainter& p)
{
    lightButton(p, true, true);
}

void iconContrastLess(QPainter& p)
{
    lightButton(p, true, false);
}

void iconBrightnessMore(QPainter& p)
{
    lightButton(p, false, true);
}

void iconBrightnessLess(QPainter& p)
{
    lightButton(p, false, false);
}

void iconCrop(QPainter& p)
{
    p.setPen(iconPen(ink::text, 1.5));
    p.drawLine(QPointF(4, 1), QPointF(4, 12));
    p.drawLine(QPointF(4, 12), QPointF(15, 12));
    p.drawLine(QPointF(1, 4), QPointF(12, 4));
    p.drawLine(QPointF(12, 4), QPointF(12, 15));
}

void iconRotateLeft(QPainter& p)
{
    miniPicture(p, QRectF(6.5, 6.5, 8, 8));
    p.setPen(roundPen(ink::blue, 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(2, 2, 9, 9), 0, 180 * 16);
    arrowHead(p, QPointF(2.5, 8.5), 90, 3, ink::blue);
}

void iconRotateRight(QPainter& p)
{
    p.save();
    p.translate(16, 0);
    p.scale(-1, 1);
    iconRotateLeft(p);
    p.restore();
}

void iconPictureLineStyle(QPainter& p)
{
    rule(p, 1, 15, 2.5, ink::text, 1);
    rule(p, 1, 15, 6, ink::text, 2);
    rule(p, 1, 15, 10.5, ink::text, 3);
    miniPicture(p, QRectF(10.5, 12.5, 5, 3));
}

void iconPictureCompress(QPainter& p)
{
    miniPicture(p, QRectF(3.5, 4.5, 9, 7));
    p.setPen(roundPen(ink::blue, 1.2));
    p.drawLine(QPointF(8, 0.5), QPointF(8, 3.5));
    p.drawLine(QPointF(8, 12.5), QPointF(8, 15.5));
    arrowHead(p, QPointF(8, 4), 90, 2.5, ink::blue);
    arrowHead(p, QPointF(8, 12), -90, 2.5, ink::blue);
}

void iconPictureRecolor(QPainter& p)
{
    miniPicture(p, QRectF(1.5, 1.5, 10, 8));
    p.setBrush(ink::red);
    p.setPen(iconPen(ink::outline, 0.6));
    p.drawEllipse(QPointF(12, 12), 3, 3);
    p.setBrush(ink::blue);
    p.drawEllipse(QPointF(8, 13), 2, 2);
}

void iconPictureFormat(QPainter& p)
{
    miniPicture(p, QRectF(1.5, 1.5, 11, 9));
    pencil(p, QPointF(8, 15), 9);
}

void iconTransparentColor(QPainter& p)
{
    miniPicture(p, QRectF(1.5, 6.5, 9, 8));
    p.setPen(roundPen(ink::text, 1.3));
    p.drawLine(QPointF(8, 9), QPointF(14, 3));
    p.setBrush(ink::paper);
    p.drawEllipse(QPointF(14, 2.5), 1.6, 1.6);
}

void iconPictureReset(QPainter& p)
{
    miniPicture(p, QRectF(4.5, 4.5, 10, 10));
    p.setPen(roundPen(ink::blue, 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(1, 1, 8, 8), 90 * 16, 200 * 16);
    arrowHead(p, QPointF(5, 1), 0, 2.6, ink::blue);
}

} // namespace

void addObjectIcons(QHash<QString, IconPainter>& painters)
{
    const std::pair<QString, IconPainter> icons[] = {
        {u"diagram-insert-shape"_s, iconDiagramInsertShape},
        {u"diagram-move-back"_s, iconDiagramMoveBack},
        {u"diagram-move-forward"_s, iconDiagramMoveForward},
        {u"diagram-reverse"_s, iconDiagramReverse},
        {u"diagram-autoformat"_s, iconDiagramAutoFormat},
        {u"table-draw"_s, iconTableDraw},
        {u"table-erase"_s, iconTableErase},
        {u"border-color"_s, iconBorderColor},
        {u"borders"_s, iconBorders},
        {u"border-outside"_s, iconBorderLines<Top | Bottom | Left | Right>},
        {u"border-all"_s, iconBorderLines<Top | Bottom | Left | Right | InnerRow | InnerColumn>},
        {u"border-inside"_s, iconBorderLines<InnerRow | InnerColumn>},
        {u"border-top"_s, iconBorderLines<Top>},
        {u"border-bottom"_s, iconBorderLines<Bottom>},
        {u"border-left"_s, iconBorderLines<Left>},
        {u"border-right"_s, iconBorderLines<Right>},
        {u"border-inside-horizontal"_s, iconBorderLines<InnerRow>},
        {u"border-inside-vertical"_s, iconBorderLines<InnerColumn>},
        {u"border-diagonal-down"_s, iconBorderLines<Down>},
        {u"border-diagonal-up"_s, iconBorderLines<Up>},
        {u"border-none"_s, iconBorderLines<0>},
        {u"merge-cells"_s, iconMergeCells},
        {u"split-cells"_s, iconSplitCells},
        {u"cell-top"_s, iconCellTop},
        {u"cell-middle"_s, iconCellMiddle},
        {u"cell-bottom"_s, iconCellBottom},
        {u"distribute-rows"_s, iconDistributeRows},
        {u"distribute-columns"_s, iconDistributeColumns},
        {u"picture-color"_s, iconPictureColor},
        {u"contrast-more"_s, iconContrastMore},
        {u"contrast-less"_s, iconContrastLess},
        {u"brightness-more"_s, iconBrightnessMore},
        {u"brightness-less"_s, iconBrightnessLess},
        {u"crop"_s, iconCrop},
        {u"rotate-left"_s, iconRotateLeft},
        {u"rotate-right"_s, iconRotateRight},
        {u"picture-line-style"_s, iconPictureLineStyle},
        {u"picture-compress"_s, iconPictureCompress},
        {u"picture-recolor"_s, iconPictureRecolor},
        {u"picture-format"_s, iconPictureFormat},
        {u"transparent-color"_s, iconTransparentColor},
        {u"picture-reset"_s, iconPictureReset},
    };
    for (const auto& [key, paint] : icons)
        painters.insert(key, paint);
}

} // namespace pptdrill::kiticons
