#pragma once

#include "movie/session/textediting.h"

#include <QFont>
#include <QLineF>
#include <QRectF>
#include <QString>
#include <memory>
#include <vector>

class QPainter;
class QTextLayout;

namespace pptdrill {

// The rectangles that cover positions [from, to) of a laid-out paragraph drawn at `origin`.
std::vector<QRectF> textRangeRects(const QTextLayout& layout, const QPointF& origin, int from, int to);

// Plain text wrapped in a box, one paragraph per line of the text, as the notes pane shows
// it: drawn, and asked where a position lies (the caret, a selection) and which position
// lies under a point (a click, a drag).
class PlainTextLayout
{
public:
    PlainTextLayout(const QString& text, const QFont& font, const QRectF& box);
    ~PlainTextLayout();
    PlainTextLayout(const PlainTextLayout&) = delete;
    PlainTextLayout& operator=(const PlainTextLayout&) = delete;

    void paint(QPainter& p, const QColor& colour) const;
    // The selection's highlight and the caret of `typing`, whose text this layout holds.
    void paintTyping(QPainter& p, const TextEditing& typing) const;
    QLineF caretLine(int position) const;
    std::vector<QRectF> rangeRects(int from, int to) const;
    int positionAt(const QPointF& point) const;

private:
    struct Paragraph
    {
        std::unique_ptr<QTextLayout> layout;
        int start = 0; // its first position in the whole text
    };
    const Paragraph& paragraphAt(int position) const;

    QString m_text;
    QRectF m_box;
    std::vector<Paragraph> m_paragraphs;
};

} // namespace pptdrill
