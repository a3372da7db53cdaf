// The toolbar icons of the simulated program.
#include "movie/widgets/icons/kiticonpainting.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QStringView>
#include <cstddef>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill::kiticons {
namespace {

// --- Standard toolbar

void iconNew(QPainter& p)
{
    page(p, QRectF(3.5, 1.5, 9, 13), false);
}

void iconOpen(QPainter& p)
{
    polygon(p,
            {QPointF(1.5, 13.5), QPointF(1.5, 3.5), QPointF(5.5, 3.5), QPointF(7, 5), QPointF(12.5, 5),
             QPointF(12.5, 13.5)},
            QColor(0xE9, 0xB8, 0x3A), ink::darkYellow);
    polygon(p, {QPointF(1.5, 13.5), QPointF(4, 7.5), QPointF(15, 7.5), QPointF(12.5, 13.5)},
            QColor(0xFB, 0xDE, 0x7E), ink::darkYellow);
}

void iconSave(QPainter& p)
{
    polygon(p,
            {QPointF(1.5, 1.5), QPointF(13, 1.5), QPointF(14.5, 3), QPointF(14.5, 14.5), QPointF(1.5, 14.5)},
            ink::blue, ink::darkBlue);
    p.fillRect(QRectF(4, 2, 8, 5.5), ink::paper);
    rule(p, 5, 11, 3.5, ink::lightBlue);
    rule(p, 5, 11, 5.5, ink::lightBlue);
    box(p, QRectF(4.5, 9.5, 7, 5), QColor(0xD9, 0xE0, 0xEA), ink::darkBlue);
    p.fillRect(QRectF(8.5, 10.5, 2, 3), ink::darkBlue);
}

void iconPermission(QPainter& p)
{
    page(p, QRectF(1.5, 1.5, 9, 12), true);
    p.setPen(iconPen(ink::red, 1.6));
    p.setBrush(ink::paper);
    p.drawEllipse(QPointF(11, 11), 3.8, 3.8);
    p.drawLine(QPointF(8.6, 8.6), QPointF(13.4, 13.4));
}

void iconEmail(QPainter& p)
{
    box(p, QRectF(1.5, 4.5, 13, 9), QColor(0xFF, 0xF6, 0xD6), ink::darkYellow);
    p.setPen(iconPen(ink::darkYellow));
    p.setBrush(QColor(0xFC, 0xE7, 0xA2));
    p.drawPolygon(QPolygonF({QPointF(1.5, 4.5), QPointF(8, 9.5), QPointF(14.5, 4.5)}));
    p.drawLine(QPointF(1.5, 13.5), QPointF(6.2, 8.7));
    p.drawLine(QPointF(14.5, 13.5), QPointF(9.8, 8.7));
}

void iconPrint(QPainter& p)
{
    box(p, QRectF(4.5, 1.5, 7, 5), ink::paper, ink::outline);
    QLinearGradient body(0, 6, 0, 13);
    body.setColorAt(0, QColor(0xE4, 0xE8, 0xEE));
    body.setColorAt(1, QColor(0xA4, 0xAC, 0xB8));
    p.setPen(iconPen(QColor(0x4A, 0x52, 0x5E)));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1.2, 1.2);
    box(p, QRectF(4.5, 10.5, 7, 4), ink::paper, ink::outline);
    rule(p, 5.5, 10.5, 12.5, ink::paperLine);
    p.fillRect(QRectF(12, 8, 1.5, 1.2), ink::green);
}

void iconPrintPreview(QPainter& p)
{
    page(p, QRectF(1.5, 1.5, 9, 13), true);
    magnifier(p, QPointF(10, 8.5), 3.2);
}

void iconSpelling(QPainter& p)
{
    letters(p, u"ABC"_s, QRectF(1, 1, 14, 5.5), ink::blue, true, false, sansFamily());
    p.setPen(roundPen(ink::red, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(3.5, 10.5), QPointF(6.5, 13.5), QPointF(12.5, 7.5)}));
}

void iconResearch(QPainter& p)
{
    box(p, QRectF(1.5, 1.5, 9, 12), QColor(0x3E, 0x74, 0xC8), ink::darkBlue);
    p.fillRect(QRectF(2, 2, 1.5, 11), QColor(0x21, 0x4C, 0x96));
    rule(p, 5, 9, 4.5, ink::lightBlue);
    magnifier(p, QPointF(10.5, 9.5), 3);
}

void iconCut(QPainter& p)
{
    p.setPen(roundPen(QColor(0x70, 0x78, 0x86), 1.4));
    p.drawLine(QPointF(5.6, 9.6), QPointF(11, 1.5));
    p.drawLine(QPointF(10.4, 9.6), QPointF(5, 1.5));
    p.setPen(iconPen(ink::text, 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(4.6, 12), 2.3, 2.3);
    p.drawEllipse(QPointF(11.4, 12), 2.3, 2.3);
    p.setPen(Qt::NoPen);
    p.setBrush(ink::text);
    p.drawEllipse(QPointF(8, 6.2), 0.9, 0.9);
}

void iconCopy(QPainter& p)
{
    page(p, QRectF(1.5, 1.5, 8, 10), true);
    page(p, QRectF(6.5, 4.5, 8, 10), true);
}

void iconPaste(QPainter& p)
{
    p.setPen(iconPen(QColor(0x6E, 0x4B, 0x1F)));
    p.setBrush(QColor(0xC9, 0x96, 0x4E));
    p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12), 1, 1);
    box(p, QRectF(4.5, 1.5, 4, 2.5), QColor(0xB8, 0xC0, 0xCC), ink::outline);
    page(p, QRectF(7.5, 6.5, 7, 8), true);
}

void iconFormatPainter(QPainter& p)
{
    p.setPen(iconPen(ink::darkYellow));
    p.setBrush(ink::yellow);
    p.drawRoundedRect(QRectF(2.5, 1.5, 11, 4), 1, 1);
    p.fillRect(QRectF(3.5, 2.5, 9, 1), QColor(0xFF, 0xEE, 0xA8));
    p.setPen(iconPen(ink::grey, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(
        QPolygonF({QPointF(13.5, 3.5), QPointF(15, 3.5), QPointF(15, 7.5), QPointF(8, 7.5), QPointF(8, 9)}));
    p.setPen(iconPen(QColor(0x5A, 0x3A, 0x14)));
    p.setBrush(QColor(0x9A, 0x62, 0x26));
    p.drawRect(QRectF(6.5, 9, 3, 6));
}

void curvedArrow(QPainter& p, bool left)
{
    p.save();
    if (!left) {
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    p.setPen(roundPen(ink::blue, 2.2));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(12.5, 13.5);
    path.cubicTo(15.5, 8, 11, 4.2, 6, 6.2);
    p.drawPath(path);
    polygon(p, {QPointF(1.5, 7.5), QPointF(7.5, 2.5), QPointF(8, 10)}, ink::blue, {});
    p.restore();
}

void iconUndo(QPainter& p)
{
    curvedArrow(p, true);
}

void iconRedo(QPainter& p)
{
    curvedArrow(p, false);
}

void iconChart(QPainter& p)
{
    p.fillRect(QRectF(1, 1, 14, 14), ink::paper);
    box(p, QRectF(3.5, 7.5, 3, 6), QColor(0x99, 0x99, 0xFF), QColor(0x33, 0x33, 0x66));
    box(p, QRectF(6.5, 3.5, 3, 10), QColor(0x99, 0x33, 0x66), QColor(0x4A, 0x15, 0x30));
    box(p, QRectF(9.5, 5.5, 3, 8), QColor(0xFF, 0xEE, 0x88), QColor(0x70, 0x60, 0x20));
    p.setPen(iconPen(ink::text));
    p.drawPolyline(QPolygonF({QPointF(1.5, 1.5), QPointF(1.5, 14.5), QPointF(14.5, 14.5)}));
}

void grid(QPainter& p, const QRectF& r, int rows, int cols, const QColor& header)
{
    box(p, r, ink::paper, {});
    p.fillRect(QRectF(r.left(), r.top(), r.width(), r.height() / rows), header);
    p.setPen(iconPen(ink::outline));
    for (int row = 0; row <= rows; ++row)
        p.drawLine(QPointF(r.left(), r.top() + r.height() * row / rows),
                   QPointF(r.right(), r.top() + r.height() * row / rows));
    for (int col = 0; col <= cols; ++col)
        p.drawLine(QPointF(r.left() + r.width() * col / cols, r.top()),
                   QPointF(r.left() + r.width() * col / cols, r.bottom()));
}

void iconTable(QPainter& p)
{
    grid(p, QRectF(1.5, 2.5, 13, 11), 3, 3, QColor(0x6E, 0x9B, 0xE0));
}

void iconTablesBorders(QPainter& p)
{
    grid(p, QRectF(1.5, 5.5, 10, 9), 2, 2, QColor(0x6E, 0x9B, 0xE0));
    pencil(p, QPointF(8.5, 8.5), 9.5);
}

void iconHyperlink(QPainter& p)
{
    QRadialGradient sea(QPointF(5, 5), 7);
    sea.setColorAt(0, QColor(0x9C, 0xD0, 0xFF));
    sea.setColorAt(1, QColor(0x2A, 0x6C, 0xC8));
    p.setPen(iconPen(ink::darkBlue));
    p.setBrush(sea);
    p.drawEllipse(QPointF(6.5, 6.5), 5.5, 5.5);
    polygon(p, {QPointF(3.5, 3.5), QPointF(6.5, 2.5), QPointF(7.5, 5), QPointF(5, 7.5), QPointF(3, 6)},
            ink::green, {});
    polygon(p, {QPointF(8, 8), QPointF(10.5, 7), QPointF(10, 10), QPointF(8, 11)}, ink::green, {});
    p.setBrush(Qt::NoBrush);
    p.setPen(iconPen(QColor(0x50, 0x58, 0x64), 1.4));
    p.drawRoundedRect(QRectF(8.2, 9.2, 4.6, 3), 1.5, 1.5);
    p.drawRoundedRect(QRectF(10.8, 12.2, 4.6, 3), 1.5, 1.5);
}

void iconExpandAll(QPainter& p)
{
    textLines(p, {{1, 9}, {3, 9}, {3, 9}, {1, 9}}, 2.5, 3);
    for (const double y : {5.5, 9.5}) {
        p.setPen(roundPen(ink::blue, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(10.5, y), QPointF(12.5, y + 2.5), QPointF(14.5, y)}));
    }
}

void iconShowFormatting(QPainter& p)
{
    letters(p, u"A"_s, QRectF(1, 2, 8, 11), ink::text, true);
    letters(p, u"A"_s, QRectF(9, 7, 6, 7), ink::text, false, true);
    p.setPen(roundPen(ink::blue, 1.2));
    p.drawLine(QPointF(7.5, 14.5), QPointF(11.5, 1.5));
}

void iconGrid(QPainter& p)
{
    box(p, QRectF(1.5, 1.5, 13, 13), ink::paper, ink::outline);
    QPen dotted(ink::blue, 1, Qt::DotLine);
    p.setPen(dotted);
    for (const double v : {5.5, 10.5}) {
        p.drawLine(QPointF(2, v), QPointF(14, v));
        p.drawLine(QPointF(v, 2), QPointF(v, 14));
    }
}

void iconColorGrayscale(QPainter& p)
{
    QConicalGradient hue(QPointF(8, 8), 90);
    for (int i = 0; i <= 6; ++i)
        hue.setColorAt(i / 6.0, QColor::fromHsv((i * 60) % 360, 220, 245));
    p.setPen(Qt::NoPen);
    p.setBrush(hue);
    p.drawPie(QRectF(1.5, 1.5, 13, 13), 90 * 16, 180 * 16);
    QLinearGradient grey(8, 1.5, 8, 14.5);
    grey.setColorAt(0, QColor(0xF0, 0xF0, 0xF0));
    grey.setColorAt(1, QColor(0x30, 0x30, 0x30));
    p.setBrush(grey);
    p.drawPie(QRectF(1.5, 1.5, 13, 13), -90 * 16, 180 * 16);
    p.setPen(iconPen(ink::outline));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
}

void iconHelp(QPainter& p)
{
    QRadialGradient ball(QPointF(6, 5), 9);
    ball.setColorAt(0, QColor(0x7D, 0xB2, 0xFF));
    ball.setColorAt(1, QColor(0x1D, 0x4C, 0xB0));
    p.setPen(iconPen(ink::darkBlue));
    p.setBrush(ball);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    letters(p, u"?"_s, QRectF(5, 3.5, 6, 9), ink::paper, true, false, sansFamily());
}

void iconZoom(QPainter& p)
{
    magnifier(p, QPointF(6.5, 6.5), 4.5);
}

// --- Formatting toolbar

void iconBold(QPainter& p)
{
    letters(p, u"B"_s, QRectF(3.5, 2.5, 9, 11), ink::text, true);
}

void iconItalic(QPainter& p)
{
    letters(p, u"I"_s, QRectF(4, 2.5, 8, 11), ink::text, true, true);
}

void iconUnderline(QPainter& p)
{
    letters(p, u"U"_s, QRectF(3.5, 1.5, 9, 10), ink::text, true);
    rule(p, 3, 13, 14, ink::text);
}

void iconShadow(QPainter& p)
{
    letters(p, u"S"_s, QRectF(4.5, 3, 9, 12), QColor(0xA0, 0xA0, 0xA0), true);
    letters(p, u"S"_s, QRectF(3, 1.5, 9, 12), ink::text, true);
}

void alignedLines(QPainter& p, Qt::Alignment align)
{
    for (int i = 0; i < 5; ++i) {
        const double width = i % 2 == 0 ? 12 : 8;
        const double left = align == Qt::AlignLeft ? 2 : align == Qt::AlignRight ? 14 - width : 8 - width / 2;
        const double right = align == Qt::AlignJustify ? 14 : left + width;
        rule(p, align == Qt::AlignJustify ? 2 : left, right, 3.5 + i * 2.4, ink::text);
    }
}

void iconAlignLeft(QPainter& p)
{
    alignedLines(p, Qt::AlignLeft);
}

void iconCenter(QPainter& p)
{
    alignedLines(p, Qt::AlignHCenter);
}

void iconAlignRight(QPainter& p)
{
    alignedLines(p, Qt::AlignRight);
}

void iconJustify(QPainter& p)
{
    alignedLines(p, Qt::AlignJustify);
}

void iconNumbering(QPainter& p)
{
    for (int i = 0; i < 3; ++i) {
        letters(p, QString::number(i + 1), QRectF(0.5, 0.8 + i * 5.2, 4, 4.6), ink::blue, true, false,
                sansFamily());
        rule(p, 6, 15, 3.5 + i * 5.2, ink::text);
    }
}

void iconBullets(QPainter& p)
{
    for (int i = 0; i < 3; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(ink::blue);
        p.drawEllipse(QPointF(3, 3.5 + i * 4.5), 1.5, 1.5);
        rule(p, 6, 15, 3.5 + i * 4.5, ink::text);
    }
}

void iconGrowFont(QPainter& p)
{
    letters(p, u"A"_s, QRectF(1, 3, 10, 12), ink::text, true);
    polygon(p, {QPointF(13, 1), QPointF(15.5, 4.5), QPointF(10.5, 4.5)}, ink::blue, {});
}

void iconShrinkFont(QPainter& p)
{
    letters(p, u"A"_s, QRectF(1.5, 6, 7, 9), ink::text, true);
    polygon(p, {QPointF(13, 5), QPointF(15.5, 1.5), QPointF(10.5, 1.5)}, ink::blue, {});
}

void indentArrow(QPainter& p, bool right)
{
    textLines(p, {{7, 15}, {7, 15}, {7, 15}}, 4.5, 3.5);
    rule(p, 1, 15, 1.5, ink::text);
    rule(p, 1, 15, 14.5, ink::text);
    if (right)
        polygon(p, {QPointF(1, 4.5), QPointF(5.5, 8), QPointF(1, 11.5)}, ink::blue, {});
    else
        polygon(p, {QPointF(5.5, 4.5), QPointF(1, 8), QPointF(5.5, 11.5)}, ink::blue, {});
}

void iconIndentIncrease(QPainter& p)
{
    indentArrow(p, true);
}

void iconIndentDecrease(QPainter& p)
{
    indentArrow(p, false);
}

void iconFontColor(QPainter& p)
{
    letters(p, u"A"_s, QRectF(3, 1, 10, 10), ink::text, true);
    colourBar(p, ink::red);
}

void iconDesign(QPainter& p)
{
    QPainterPath palette;
    palette.addEllipse(QRectF(1, 2, 14, 12));
    QPainterPath thumb;
    thumb.addEllipse(QRectF(9.5, 9, 3.5, 3));
    p.setPen(iconPen(QColor(0x8A, 0x62, 0x2A)));
    p.setBrush(QColor(0xF3, 0xD9, 0xA4));
    p.drawPath(palette.subtracted(thumb));
    const std::array<std::pair<QPointF, QColor>, 4> blobs = {{{QPointF(4.5, 6), ink::red},
                                                              {QPointF(8, 4.5), ink::blue},
                                                              {QPointF(11.5, 6), ink::green},
                                                              {QPointF(4.5, 10), ink::yellow}}};
    p.setPen(Qt::NoPen);
    for (const auto& [centre, colour] : blobs) {
        p.setBrush(colour);
        p.drawEllipse(centre, 1.6, 1.6);
    }
}

void iconNewSlide(QPainter& p)
{
    slideFrame(p, QRectF(3.5, 4.5, 11, 9));
    rule(p, 5.5, 12.5, 9.5, ink::paperLine);
    rule(p, 5.5, 10.5, 11.5, ink::paperLine);
    p.setPen(iconPen(ink::darkYellow, 0.6));
    p.setBrush(QColor(0xFF, 0xE0, 0x3A));
    p.drawPath(starPath(QPointF(4, 4), 4, 1.6, 5));
}

// --- Drawing toolbar

void iconDraw(QPainter& p)
{
    box(p, QRectF(1.5, 6.5, 9, 8), ink::lightBlue, ink::darkBlue);
    pencil(p, QPointF(6, 10), 11);
}

void iconSelect(QPainter& p)
{
    polygon(p,
            {QPointF(4.5, 1.5), QPointF(4.5, 13.5), QPointF(7.2, 10.8), QPointF(9.5, 15), QPointF(11.3, 14),
             QPointF(9.1, 10), QPointF(12.5, 9.5)},
            ink::paper, ink::text);
}

void iconAutoShapes(QPainter& p)
{
    p.setPen(iconPen(QColor(0x8A, 0x1E, 0x1E)));
    p.setBrush(QColor(0xF0, 0x6A, 0x5A));
    p.drawEllipse(QRectF(1.5, 1.5, 8, 8));
    box(p, QRectF(6.5, 6.5, 8, 8), QColor(0x6E, 0x9B, 0xE0), ink::darkBlue);
    polygon(p, {QPointF(4, 8), QPointF(8, 15), QPointF(0.5, 15)}, ink::yellow, ink::darkYellow);
}

void iconLine(QPainter& p)
{
    p.setPen(roundPen(ink::darkBlue, 1.3));
    p.drawLine(QPointF(2, 14), QPointF(14, 2));
}

void iconArrow(QPainter& p)
{
    p.setPen(roundPen(ink::darkBlue, 1.3));
    p.drawLine(QPointF(2, 14), QPointF(12, 4));
    arrowHead(p, QPointF(14.5, 1.5), -45, 5, ink::darkBlue);
}

void iconRect(QPainter& p)
{
    box(p, QRectF(1.5, 3.5, 13, 9), ink::paper, ink::darkBlue);
}

void iconEllipse(QPainter& p)
{
    p.setPen(iconPen(ink::darkBlue));
    p.setBrush(ink::paper);
    p.drawEllipse(QRectF(1.5, 3, 13, 10));
}

void iconTextbox(QPainter& p)
{
    box(p, QRectF(1.5, 1.5, 13, 13), ink::paper, ink::outline);
    letters(p, u"A"_s, QRectF(3, 3, 5, 6), ink::blue, true, false, sansFamily());
    rule(p, 9, 13, 5.5, ink::text);
    rule(p, 3, 13, 10.5, ink::text);
    rule(p, 3, 11, 12.5, ink::text);
}

void iconVerticalTextbox(QPainter& p)
{
    box(p, QRectF(1.5, 1.5, 13, 13), ink::paper, ink::outline);
    p.save();
    p.translate(12, 3);
    p.rotate(90);
    letters(p, u"A"_s, QRectF(0, -3, 5, 6), ink::blue, true, false, sansFamily());
    p.restore();
    p.setPen(iconPen(ink::text));
    p.drawLine(QPointF(10.5, 9), QPointF(10.5, 13));
    p.drawLine(QPointF(7.5, 3), QPointF(7.5, 13));
    p.drawLine(QPointF(4.5, 3), QPointF(4.5, 11));
}

void iconWordArt(QPainter& p)
{
    p.save();
    p.setTransform(QTransform(1, 0, -0.35, 1, 2.6, 0), true);
    QLinearGradient blue(0, 2, 0, 15);
    blue.setColorAt(0, QColor(0x9E, 0xC8, 0xFF));
    blue.setColorAt(1, QColor(0x1D, 0x4C, 0xB0));
    QFont font(serifFamily());
    font.setPixelSize(48);
    font.setBold(true);
    QPainterPath path;
    path.addText(0, 0, font, u"A"_s);
    const QRectF bounds = path.boundingRect();
    const QRectF target(2, 1.5, 13, 13.5);
    const double scale = std::min(target.width() / bounds.width(), target.height() / bounds.height());
    QTransform t;
    t.translate(target.center().x(), target.center().y());
    t.scale(scale, scale);
    t.translate(-bounds.center().x(), -bounds.center().y());
    p.setPen(QPen(ink::darkBlue, 0.7));
    p.setBrush(blue);
    p.drawPath(t.map(path));
    p.restore();
}

void iconDiagram(QPainter& p)
{
    p.setPen(iconPen(ink::outline));
    p.drawLine(QPointF(8, 5.5), QPointF(8, 8.5));
    p.drawLine(QPointF(3, 8.5), QPointF(13, 8.5));
    p.drawLine(QPointF(3, 8.5), QPointF(3, 10.5));
    p.drawLine(QPointF(13, 8.5), QPointF(13, 10.5));
    p.drawLine(QPointF(8, 8.5), QPointF(8, 10.5));
    box(p, QRectF(4.5, 1.5, 7, 4), QColor(0xF7, 0xB5, 0x42), QColor(0x8A, 0x55, 0x0E));
    for (const double x : {0.5, 5.5, 10.5})
        box(p, QRectF(x, 10.5, 5, 4), QColor(0x6E, 0x9B, 0xE0), ink::darkBlue);
}

void iconClipArt(QPainter& p)
{
    p.setPen(iconPen(QColor(0x5A, 0x3A, 0x14), 0.8));
    p.setBrush(QColor(0xFF, 0xD8, 0xA8));
    p.drawEllipse(QPointF(8, 4), 3, 3);
    p.setBrush(ink::blue);
    QPainterPath body;
    body.moveTo(4.5, 15);
    body.lineTo(5.2, 8.2);
    body.quadTo(8, 6.8, 10.8, 8.2);
    body.lineTo(11.5, 15);
    body.closeSubpath();
    p.drawPath(body);
    p.setPen(roundPen(QColor(0xE0, 0xA8, 0x70), 1.5));
    p.drawLine(QPointF(5, 9), QPointF(2, 5.5));
    p.drawLine(QPointF(11, 9), QPointF(14, 5.5));
    p.setPen(Qt::NoPen);
    p.setBrush(ink::text);
    p.drawEllipse(QPointF(7, 3.8), 0.45, 0.45);
    p.drawEllipse(QPointF(9, 3.8), 0.45, 0.45);
}

void iconPicture(QPainter& p)
{
    box(p, QRectF(0.5, 2.5, 15, 11), QColor(0xF4, 0xF0, 0xE6), QColor(0x6B, 0x55, 0x30));
    paintPicture(p, QRectF(2, 4, 12, 8));
}

void iconFillColor(QPainter& p)
{
    p.save();
    p.translate(7, 6);
    p.rotate(-30);
    box(p, QRectF(-3.5, -3.5, 7, 7.5), ink::paper, ink::text);
    p.restore();
    p.setPen(roundPen(ink::text, 1));
    p.drawLine(QPointF(7.5, 1.5), QPointF(7, 6));
    p.setPen(Qt::NoPen);
    p.setBrush(ink::yellow);
    p.drawEllipse(QPointF(13, 8.5), 1.5, 2);
    colourBar(p, ink::yellow);
}

void iconLineColor(QPainter& p)
{
    p.save();
    p.translate(9, 1);
    p.rotate(40);
    p.setPen(iconPen(QColor(0x5A, 0x3A, 0x14), 0.7));
    p.setBrush(QColor(0x9A, 0x62, 0x26));
    p.drawRect(QRectF(-1, 0, 2, 6));
    p.setBrush(QColor(0x90, 0x98, 0xA4));
    p.drawRect(QRectF(-1.3, 6, 2.6, 2));
    p.setBrush(ink::text);
    p.drawPolygon(QPolygonF({QPointF(-1.3, 8), QPointF(1.3, 8), QPointF(0, 11)}));
    p.restore();
    colourBar(p, ink::darkBlue);
}

void iconLineStyle(QPainter& p)
{
    rule(p, 2, 14, 2.5, ink::text, 1);
    rule(p, 2, 14, 5.5, ink::text, 1.5);
    rule(p, 2, 14, 9, ink::text, 2.5);
    rule(p, 2, 14, 13.5, ink::text, 3.5);
}

void iconDashStyle(QPainter& p)
{
    for (int i = 0; i < 4; ++i) {
        QPen pen(ink::text, 1.4);
        pen.setDashPattern(i == 0   ? QList<qreal>{1, 1}
                           : i == 1 ? QList<qreal>{2.5, 1.5}
                           : i == 2 ? QList<qreal>{4, 1.5}
                                    : QList<qreal>{4, 1.5, 1, 1.5});
        p.setPen(pen);
        p.drawLine(QPointF(2, 2.5 + i * 3.6), QPointF(14, 2.5 + i * 3.6));
    }
}

void iconArrowStyle(QPainter& p)
{
    rule(p, 2, 12, 3.5, ink::text);
    arrowHead(p, QPointF(15, 3.5), 0, 4, ink::text);
    rule(p, 4, 14, 8, ink::text);
    arrowHead(p, QPointF(1, 8), 180, 4, ink::text);
    rule(p, 4, 12, 12.5, ink::text);
    arrowHead(p, QPointF(1, 12.5), 180, 4, ink::text);
    arrowHead(p, QPointF(15, 12.5), 0, 4, ink::text);
}

void iconShadowStyle(QPainter& p)
{
    p.fillRect(QRectF(5, 5, 10, 10), QColor(0x80, 0x80, 0x80));
    box(p, QRectF(1.5, 1.5, 10, 10), ink::paper, ink::text);
}

void iconThreeD(QPainter& p)
{
    polygon(p, {QPointF(1.5, 5.5), QPointF(5.5, 1.5), QPointF(14.5, 1.5), QPointF(10.5, 5.5)},
            QColor(0xC8, 0xD8, 0xF0), ink::darkBlue);
    polygon(p, {QPointF(10.5, 5.5), QPointF(14.5, 1.5), QPointF(14.5, 10.5), QPointF(10.5, 14.5)},
            QColor(0x4A, 0x72, 0xB8), ink::darkBlue);
    box(p, QRectF(1.5, 5.5, 9, 9), QColor(0x8C, 0xAE, 0xE6), ink::darkBlue);
}

// --- Outlining toolbar

// A fat arrow pointing along `angle` degrees (0 = right).
void blockArrow(QPainter& p, double angle, const QColor& fill)
{
    p.save();
    p.translate(8, 8);
    p.rotate(angle);
    polygon(p,
            {QPointF(-6.5, -2.5), QPointF(0.5, -2.5), QPointF(0.5, -6.5), QPointF(7, 0), QPointF(0.5, 6.5),
             QPointF(0.5, 2.5), QPointF(-6.5, 2.5)},
            fill, fill.darker(170));
    p.restore();
}

const QColor kOutlineArrow(0x3E, 0x9A, 0x3E);

void iconPromote(QPainter& p)
{
    blockArrow(p, 180, kOutlineArrow);
}

void iconDemote(QPainter& p)
{
    blockArrow(p, 0, kOutlineArrow);
}

void iconMoveUp(QPainter& p)
{
    blockArrow(p, -90, ink::blue);
}

void iconMoveDown(QPainter& p)
{
    blockArrow(p, 90, ink::blue);
}

void signedLines(QPainter& p, bool plus)
{
    textLines(p, {{7, 15}, {9, 15}, {9, 15}, {7, 15}}, 3.5, 3);
    box(p, QRectF(0.5, 5.5, 5, 5), ink::paper, ink::outline);
    rule(p, 1.5, 4.5, 8, ink::blue);
    if (plus) {
        p.setPen(iconPen(ink::blue));
        p.drawLine(QPointF(3, 6.5), QPointF(3, 9.5));
    }
}

void iconCollapse(QPainter& p)
{
    signedLines(p, false);
}

void iconExpand(QPainter& p)
{
    signedLines(p, true);
}

void iconCollapseAll(QPainter& p)
{
    textLines(p, {{1, 9}, {3, 9}, {3, 9}, {1, 9}}, 2.5, 3);
    for (const double y : {8.5, 12.5}) {
        p.setPen(roundPen(ink::blue, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(10.5, y), QPointF(12.5, y - 2.5), QPointF(14.5, y)}));
    }
}

void iconSummarySlide(QPainter& p)
{
    slideFrame(p, QRectF(0.5, 0.5, 10, 8));
    slideFrame(p, QRectF(4.5, 6.5, 11, 9));
    for (const double y : {11.0, 13.5}) {
        p.fillRect(QRectF(6, y - 0.5, 1.2, 1.2), ink::blue);
        rule(p, 8, 14, y, ink::paperLine);
    }
}

// --- Slide Sorter toolbar

void iconHideSlide(QPainter& p)
{
    slideFrame(p, QRectF(0.5, 2.5, 12, 10));
    p.setPen(iconPen(ink::outline));
    p.setBrush(ink::paper);
    p.drawRect(QRectF(8.5, 8.5, 7, 7));
    p.drawLine(QPointF(9, 15), QPointF(15, 9));
}

void iconRehearseTimings(QPainter& p)
{
    p.setPen(iconPen(ink::outline));
    p.setBrush(ink::paper);
    p.drawEllipse(QRectF(1.5, 2.5, 13, 13));
    p.fillRect(QRectF(6.5, 0.5, 3, 2), ink::outline);
    p.setPen(iconPen(ink::red, 1.2));
    p.drawLine(QPointF(8, 9), QPointF(8, 4.5));
    p.drawLine(QPointF(8, 9), QPointF(11, 11));
}

void iconSpeakerNotes(QPainter& p)
{
    box(p, QRectF(2.5, 0.5, 11, 15), ink::paper, ink::outline);
    slideFrame(p, QRectF(4.5, 2.5, 7, 5));
    for (const double y : {10.0, 12.0, 14.0})
        rule(p, 4.5, 11.5, y, ink::paperLine);
}

// --- Slide Master View toolbar

void sparkle(QPainter& p, const QPointF& centre, double size)
{
    p.setPen(iconPen(ink::darkYellow, 0.6));
    p.setBrush(QColor(0xFF, 0xE0, 0x3A));
    p.drawPath(starPath(centre, size, size * 0.4, 5));
}

void iconNewMaster(QPainter& p)
{
    slideFrame(p, QRectF(4.5, 2.5, 11, 9));
    slideFrame(p, QRectF(2.5, 5.5, 11, 9));
    rule(p, 4.5, 11.5, 11, ink::paperLine);
    sparkle(p, QPointF(3.5, 3.5), 3.5);
}

void iconNewTitleMaster(QPainter& p)
{
    box(p, QRectF(2.5, 4.5, 13, 10), ink::paper, ink::outline);
    p.fillRect(QRectF(5, 8, 8, 2), ink::blue);
    rule(p, 6.5, 11.5, 12, ink::paperLine);
    sparkle(p, QPointF(3.5, 3.5), 3.5);
}

void iconDeleteMaster(QPainter& p)
{
    slideFrame(p, QRectF(0.5, 1.5, 11, 9));
    p.setPen(roundPen(ink::red, 2));
    p.drawLine(QPointF(8.5, 8.5), QPointF(14.5, 14.5));
    p.drawLine(QPointF(14.5, 8.5), QPointF(8.5, 14.5));
}

void iconPreserveMaster(QPainter& p)
{
    p.setPen(roundPen(QColor(0x70, 0x78, 0x86), 1.2));
    p.drawLine(QPointF(7, 9), QPointF(2, 14.5));
    p.save();
    p.translate(10, 6);
    p.rotate(45);
    p.setPen(iconPen(QColor(0x80, 0x16, 0x16)));
    p.setBrush(ink::red);
    p.drawRoundedRect(QRectF(-2.5, -6, 5, 4), 1, 1);
    p.drawRect(QRectF(-1.5, -2, 3, 3.5));
    p.drawRoundedRect(QRectF(-4, 1.5, 8, 2), 1, 1);
    p.restore();
}

void iconRenameMaster(QPainter& p)
{
    slideFrame(p, QRectF(0.5, 0.5, 12, 9));
    box(p, QRectF(3.5, 8.5, 12, 5), ink::paper, ink::outline);
    p.fillRect(QRectF(5, 10, 6, 2), QColor(0x31, 0x6A, 0xC5));
    p.setPen(iconPen(ink::text));
    p.drawLine(QPointF(12.5, 9.5), QPointF(12.5, 12.5));
}

void iconMasterLayout(QPainter& p)
{
    box(p, QRectF(0.5, 1.5, 15, 13), ink::paper, ink::outline);
    QPen dashed(ink::blue, 1, Qt::DashLine);
    dashed.setDashPattern({1.5, 1});
    p.setPen(dashed);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(2.5, 3.5, 11, 3));
    p.drawRect(QRectF(2.5, 8.5, 11, 4));
}

// --- Handout Master View toolbar: the slides a handout page holds

void handoutPage(QPainter& p, int columns, int rows)
{
    box(p, QRectF(2.5, 0.5, 11, 15), ink::paper, ink::outline);
    const double w = (9.0 - (columns - 1)) / columns;
    const double h = (13.0 - (rows - 1)) / rows;
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < columns; ++col)
            p.fillRect(QRectF(3.5 + col * (w + 1), 1.5 + row * (h + 1), w, h), ink::lightBlue);
}

void iconHandout1(QPainter& p)
{
    box(p, QRectF(2.5, 0.5, 11, 15), ink::paper, ink::outline);
    p.fillRect(QRectF(4, 4, 8, 7), ink::lightBlue);
}

void iconHandout2(QPainter& p)
{
    box(p, QRectF(2.5, 0.5, 11, 15), ink::paper, ink::outline);
    p.fillRect(QRectF(4.5, 2, 7, 5.5), ink::lightBlue);
    p.fillRect(QRectF(4.5, 8.5, 7, 5.5), ink::lightBlue);
}

void iconHandout3(QPainter& p)
{
    box(p, QRectF(2.5, 0.5, 11, 15), ink::paper, ink::outline);
    for (int i = 0; i < 3; ++i) {
        p.fillRect(QRectF(3.5, 1.5 + i * 4.5, 4, 3.5), ink::lightBlue);
        rule(p, 8.5, 12.5, 2.5 + i * 4.5, ink::paperLine);
        rule(p, 8.5, 12.5, 4.5 + i * 4.5, ink::paperLine);
    }
}

void iconHandout4(QPainter& p)
{
    handoutPage(p, 2, 2);
}

void iconHandout6(QPainter& p)
{
    handoutPage(p, 2, 3);
}

void iconHandout9(QPainter& p)
{
    handoutPage(p, 3, 3);
}

void iconHandoutOutline(QPainter& p)
{
    box(p, QRectF(2.5, 0.5, 11, 15), ink::paper, ink::outline);
    textLines(p, {{4, 12}, {5.5, 12}, {5.5, 10}, {4, 12}, {5.5, 11}}, 3, 2.5, ink::grey);
}

// --- Organization Chart toolbar

void miniOrgChart(QPainter& p, const QColor& top, const QColor& staff)
{
    p.setPen(iconPen(ink::outline));
    p.drawLine(QPointF(7, 5.5), QPointF(7, 8.5));
    p.drawLine(QPointF(3, 8.5), QPointF(11, 8.5));
    p.drawLine(QPointF(3, 8.5), QPointF(3, 10.5));
    p.drawLine(QPointF(11, 8.5), QPointF(11, 10.5));
    box(p, QRectF(3.5, 1.5, 7, 4), top, ink::darkBlue);
    box(p, QRectF(0.5, 10.5, 5, 4), staff, ink::darkBlue);
    box(p, QRectF(8.5, 10.5, 5, 4), staff, ink::darkBlue);
}

void iconOrgInsertShape(QPainter& p)
{
    miniOrgChart(p, ink::paper, ink::paper);
    p.setPen(roundPen(ink::green, 2));
    p.drawLine(QPointF(12.5, 1.5), QPointF(12.5, 6.5));
    p.drawLine(QPointF(10, 4), QPointF(15, 4));
}

void iconOrgLayout(QPainter& p)
{
    p.setPen(iconPen(ink::outline));
    p.drawLine(QPointF(4.5, 5.5), QPointF(4.5, 13));
    p.drawLine(QPointF(4.5, 8.5), QPointF(7.5, 8.5));
    p.drawLine(QPointF(4.5, 13), QPointF(7.5, 13));
    box(p, QRectF(1.5, 1.5, 7, 4), ink::paper, ink::darkBlue);
    box(p, QRectF(7.5, 7, 7, 3), ink::lightBlue, ink::darkBlue);
    box(p, QRectF(7.5, 11.5, 7, 3), ink::lightBlue, ink::darkBlue);
}

void iconOrgAutoFormat(QPainter& p)
{
    miniOrgChart(p, QColor(0xF7, 0xB5, 0x42), QColor(0x6E, 0x9B, 0xE0));
    p.setPen(roundPen(QColor(0x5A, 0x3A, 0x14), 1.4));
    p.drawLine(QPointF(9, 15), QPointF(14, 9));
    sparkle(p, QPointF(14, 8.5), 2.4);
}

using IconEntry = std::pair<QStringView, IconPainter>;

template <size_t N> void insertIcons(QHash<QString, IconPainter>& painters, const IconEntry (&icons)[N])
{
    for (const auto& [key, paint] : icons)
        painters.insert(key.toString(), paint);
}

// The 常用 toolbar's buttons.
void addStandardIcons(QHash<QString, IconPainter>& painters)
{
    static const IconEntry icons[] = {
        {u"new", iconNew},
        {u"open", iconOpen},
        {u"save", iconSave},
        {u"permission", iconPermission},
        {u"email", iconEmail},
        {u"print", iconPrint},
        {u"print-preview", iconPrintPreview},
        {u"spelling", iconSpelling},
        {u"research", iconResearch},
        {u"cut", iconCut},
        {u"copy", iconCopy},
        {u"paste", iconPaste},
        {u"format-painter", iconFormatPainter},
        {u"undo", iconUndo},
        {u"redo", iconRedo},
        {u"chart", iconChart},
        {u"table", iconTable},
        {u"tables-borders", iconTablesBorders},
        {u"hyperlink", iconHyperlink},
        {u"expand-all", iconExpandAll},
        {u"show-formatting", iconShowFormatting},
        {u"grid", iconGrid},
        {u"color-grayscale", iconColorGrayscale},
        {u"help", iconHelp},
        {u"zoom", iconZoom},
    };
    insertIcons(painters, icons);
}

// The 格式 toolbar's buttons.
void addFormattingIcons(QHash<QString, IconPainter>& painters)
{
    static const IconEntry icons[] = {
        {u"bold", iconBold},
        {u"italic", iconItalic},
        {u"underline", iconUnderline},
        {u"shadow", iconShadow},
        {u"align-left", iconAlignLeft},
        {u"center", iconCenter},
        {u"align-right", iconAlignRight},
        {u"justify", iconJustify},
        {u"numbering", iconNumbering},
        {u"bullets", iconBullets},
        {u"grow-font", iconGrowFont},
        {u"shrink-font", iconShrinkFont},
        {u"indent-increase", iconIndentIncrease},
        {u"indent-decrease", iconIndentDecrease},
        {u"font-color", iconFontColor},
        {u"design", iconDesign},
        {u"new-slide", iconNewSlide},
    };
    insertIcons(painters, icons);
}

// The 大纲 toolbar's buttons, and those of the slide sorter.
void addOutlineIcons(QHash<QString, IconPainter>& painters)
{
    static const IconEntry icons[] = {
        {u"promote", iconPromote},
        {u"demote", iconDemote},
        {u"move-up", iconMoveUp},
        {u"move-down", iconMoveDown},
        {u"collapse", iconCollapse},
        {u"expand", iconExpand},
        {u"collapse-all", iconCollapseAll},
        {u"summary-slide", iconSummarySlide},
        {u"hide-slide", iconHideSlide},
        {u"rehearse-timings", iconRehearseTimings},
        {u"speaker-notes", iconSpeakerNotes},
    };
    insertIcons(painters, icons);
}

// The buttons of the master views and the handout master.
void addMasterIcons(QHash<QString, IconPainter>& painters)
{
    static const IconEntry icons[] = {
        {u"new-master", iconNewMaster},
        {u"new-title-master", iconNewTitleMaster},
        {u"delete-master", iconDeleteMaster},
        {u"preserve-master", iconPreserveMaster},
        {u"rename-master", iconRenameMaster},
        {u"master-layout", iconMasterLayout},
        {u"handout-1", iconHandout1},
        {u"handout-2", iconHandout2},
        {u"handout-3", iconHandout3},
        {u"handout-4", iconHandout4},
        {u"handout-6", iconHandout6},
        {u"handout-9", iconHandout9},
        {u"handout-outline", iconHandoutOutline},
    };
    insertIcons(painters, icons);
}

// The 组织结构图 toolbar's buttons.
void addOrgChartIcons(QHash<QString, IconPainter>& painters)
{
    static const IconEntry icons[] = {
        {u"org-insert-shape", iconOrgInsertShape},
        {u"org-layout", iconOrgLayout},
        {u"org-autoformat", iconOrgAutoFormat},
    };
    insertIcons(painters, icons);
}

// The 绘图 toolbar's buttons.
void addDrawingIcons(QHash<QString, IconPainter>& painters)
{
    static const IconEntry icons[] = {
        {u"draw", iconDraw},
        {u"select", iconSelect},
        {u"autoshapes", iconAutoShapes},
        {u"line", iconLine},
        {u"arrow", iconArrow},
        {u"rect", iconRect},
        {u"ellipse", iconEllipse},
        {u"textbox", iconTextbox},
        {u"vertical-textbox", iconVerticalTextbox},
        {u"wordart", iconWordArt},
        {u"diagram", iconDiagram},
        {u"clipart", iconClipArt},
        {u"picture", iconPicture},
        {u"fill-color", iconFillColor},
        {u"line-color", iconLineColor},
        {u"line-style", iconLineStyle},
        {u"dash-style", iconDashStyle},
        {u"arrow-style", iconArrowStyle},
        {u"shadow-style", iconShadowStyle},
        {u"3d-style", iconThreeD},
    };
    insertIcons(painters, icons);
}

} // namespace

void addToolbarIcons(QHash<QString, IconPainter>& painters)
{
    addStandardIcons(painters);
    addFormattingIcons(painters);
    addOutlineIcons(painters);
    addMasterIcons(painters);
    addOrgChartIcons(painters);
    addDrawingIcons(painters);
}

} // namespace pptdrill::kiticons
