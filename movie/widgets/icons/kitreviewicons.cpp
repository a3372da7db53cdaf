// The icons of the 审阅 toolbar: comments, markup and the revisions pane.
#include "movie/widgets/icons/kiticonpainting.h"

using namespace Qt::Literals::StringLiterals;

namespace pptdrill::kiticons {
namespace {

const QColor kNote(0xFF, 0xF2, 0x9E);

// A comment's yellow note with a folded corner.
void note(QPainter& p, const QRectF& r)
{
    polygon(p,
            {r.topLeft(), QPointF(r.right() - 3, r.top()), QPointF(r.right(), r.top() + 3), r.bottomRight(),
             r.bottomLeft()},
            kNote, ink::darkYellow);
}

void iconShowMarkup(QPainter& p)
{
    page(p, QRectF(1.5, 1.5, 10, 13), true);
    note(p, QRectF(7.5, 7.5, 7, 6));
}

void iconPreviousComment(QPainter& p)
{
    note(p, QRectF(6.5, 3.5, 8, 9));
    polygon(p, {QPointF(1, 8), QPointF(5.5, 4), QPointF(5.5, 12)}, ink::blue, ink::darkBlue);
}

void iconNextComment(QPainter& p)
{
    note(p, QRectF(1.5, 3.5, 8, 9));
    polygon(p, {QPointF(15, 8), QPointF(10.5, 4), QPointF(10.5, 12)}, ink::blue, ink::darkBlue);
}

void iconEditComment(QPainter& p)
{
    note(p, QRectF(1.5, 2.5, 10, 9));
    textLines(p, {{3, 9}, {3, 8}}, 5, 2.5);
    pencil(p, QPointF(9, 15), 7);
}

void iconDeleteComment(QPainter& p)
{
    note(p, QRectF(1.5, 2.5, 10, 9));
    p.setPen(roundPen(ink::red, 2));
    p.drawLine(QPointF(8, 9), QPointF(14, 15));
    p.drawLine(QPointF(14, 9), QPointF(8, 15));
}

void iconRevisionsPane(QPainter& p)
{
    box(p, QRectF(1.5, 1.5, 13, 13), ink::paper, ink::outline);
    p.fillRect(QRectF(2, 2, 12, 2.5), ink::blue);
    note(p, QRectF(3.5, 6.5, 5, 4));
    textLines(p, {{10, 13}, {10, 13}}, 7, 2.5);
}

} // namespace

void addReviewIcons(QHash<QString, IconPainter>& painters)
{
    const std::pair<QString, IconPainter> icons[] = {
        {u"show-markup"_s, iconShowMarkup},       {u"previous-comment"_s, iconPreviousComment},
        {u"next-comment"_s, iconNextComment},     {u"edit-comment"_s, iconEditComment},
        {u"delete-comment"_s, iconDeleteComment}, {u"revisions-pane"_s, iconRevisionsPane},
    };
    for (const auto& [key, paint] : icons)
        painters.insert(key, paint);
}

} // namespace pptdrill::kiticons
