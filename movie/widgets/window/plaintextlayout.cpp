#include "movie/widgets/window/plaintextlayout.h"

#include <QPainter>
#include <QStringList>
#include <QTextLayout>
#include <algorithm>

namespace pptdrill {

PlainTextLayout::PlainTextLayout(const QString& text, const QFont& font, const QRectF& box)
    : m_text(text), m_box(box)
{
    double y = box.top();
    int start = 0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        Paragraph paragraph;
        paragraph.start = start;
        paragraph.layout = std::make_unique<QTextLayout>(line, font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        paragraph.layout->setTextOption(option);
        paragraph.layout->beginLayout();
        double height = 0;
        for (QTextLine row = paragraph.layout->createLine(); row.isValid();
             row = paragraph.layout->createLine()) {
            row.setLineWidth(std::max(1.0, box.width()));
            row.setPosition(QPointF(0, height));
            height += row.height();
        }
        paragraph.layout->endLayout();
        paragraph.layout->setPosition(QPointF(box.left(), y));
        y += height;
        start += static_cast<int>(line.size()) + 1;
        m_paragraphs.push_back(std::move(paragraph));
    }
}

PlainTextLayout::~PlainTextLayout() = default;

void PlainTextLayout::paint(QPainter& p, const QColor& colour) const
{
    p.save();
    p.setClipRect(m_box.adjusted(-2, -2, 2, 2), Qt::IntersectClip);
    p.setPen(colour);
    for (const Paragraph& paragraph : m_paragraphs)
        paragraph.layout->draw(&p, QPointF());
    p.restore();
}

void PlainTextLayout::paintTyping(QPainter& p, const TextEditing& typing) const
{
    p.save();
    p.setClipRect(m_box.adjusted(-2, -2, 2, 2), Qt::IntersectClip);
    for (const QRectF& r : rangeRects(typing.selectionStart(), typing.selectionEnd()))
        p.fillRect(r, QColor(0, 0, 0, 110));
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(caretLine(typing.caret()));
    p.restore();
}

const PlainTextLayout::Paragraph& PlainTextLayout::paragraphAt(int position) const
{
    for (size_t i = m_paragraphs.size(); i-- > 1;) {
        if (position >= m_paragraphs[i].start)
            return m_paragraphs[i];
    }
    return m_paragraphs.front();
}

QLineF PlainTextLayout::caretLine(int position) const
{
    const Paragraph& paragraph = paragraphAt(position);
    const int at = position - paragraph.start;
    const QTextLine line = paragraph.layout->lineForTextPosition(at);
    const QPointF origin = paragraph.layout->position();
    if (!line.isValid())
        return {origin, origin + QPointF(0, QFontMetricsF(paragraph.layout->font()).height())};
    const double x = origin.x() + line.cursorToX(at);
    return {x, origin.y() + line.y(), x, origin.y() + line.y() + line.height()};
}

std::vector<QRectF> textRangeRects(const QTextLayout& layout, const QPointF& origin, int from, int to)
{
    std::vector<QRectF> rects;
    const int start = std::max(0, from);
    const int end = std::min(static_cast<int>(layout.text().size()), to);
    for (int l = 0; l < layout.lineCount() && start < end; ++l) {
        const QTextLine line = layout.lineAt(l);
        const int a = std::max(start, line.textStart());
        const int b = std::min(end, line.textStart() + line.textLength());
        if (a >= b)
            continue;
        const double x1 = line.cursorToX(a);
        const double x2 = line.cursorToX(b);
        rects.emplace_back(origin.x() + std::min(x1, x2), origin.y() + line.y(), std::abs(x2 - x1),
                           line.height());
    }
    return rects;
}

std::vector<QRectF> PlainTextLayout::rangeRects(int from, int to) const
{
    std::vector<QRectF> rects;
    for (const Paragraph& paragraph : m_paragraphs) {
        const std::vector<QRectF> some = textRangeRects(*paragraph.layout, paragraph.layout->position(),
                                                        from - paragraph.start, to - paragraph.start);
        rects.insert(rects.end(), some.begin(), some.end());
    }
    return rects;
}

int PlainTextLayout::positionAt(const QPointF& point) const
{
    int found = 0;
    for (const Paragraph& paragraph : m_paragraphs) {
        const QPointF origin = paragraph.layout->position();
        for (int l = 0; l < paragraph.layout->lineCount(); ++l) {
            const QTextLine line = paragraph.layout->lineAt(l);
            if (point.y() < origin.y() + line.y() && (paragraph.start > 0 || l > 0))
                return found;
            found = paragraph.start + line.xToCursor(point.x() - origin.x());
        }
        if (paragraph.layout->lineCount() == 0)
            found = paragraph.start;
    }
    return found;
}

} // namespace pptdrill
