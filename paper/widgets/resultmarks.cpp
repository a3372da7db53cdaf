#include "paper/widgets/resultmarks.h"

#include "shell/widgets/controls.h"

#include <QPainter>
#include <QPainterPath>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

const QColor kDemonstrationColour(214, 96, 0);
const QColor kHintColour(20, 70, 190);
const QString kDemonstrationWords = u"看全程演示完成（不算已掌握）"_s;
const QString kHintWords = u"用过操作提示"_s;

void paintDemonstrationMark(QPainter& p, const QPointF& topRight, double size)
{
    QPainterPath triangle;
    triangle.moveTo(topRight);
    triangle.lineTo(topRight + QPointF(-size, 0));
    triangle.lineTo(topRight + QPointF(0, size));
    triangle.closeSubpath();
    p.fillPath(triangle, kDemonstrationColour);
}

void paintHintMark(QPainter& p, const QPointF& centre, double radius)
{
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(kHintColour);
    p.drawEllipse(centre, radius, radius);
}

// Lies over its cell and lets every click through to it.
class CellMarks : public QWidget
{
public:
    explicit CellMarks(QWidget* cell) : QWidget(cell)
    {
        setObjectName(u"resultMarks"_s);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(cell->rect());
    }

    bool demonstration = false;
    bool hint = false;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const double size = std::max(6.0, height() * 0.4);
        if (demonstration)
            paintDemonstrationMark(p, QPointF(width(), 0), size);
        if (hint)
            paintHintMark(p, QPointF(width() - size / 2.2, height() - size / 2.2), size / 3);
    }
};

CellMarks* marksOf(const Label* cell)
{
    return cell ? cell->findChild<CellMarks*>(u"resultMarks"_s, Qt::FindDirectChildrenOnly) : nullptr;
}

} // namespace

void setResultMarks(Label* cell, bool demonstration, bool hint)
{
    CellMarks* marks = marksOf(cell);
    if (!marks) {
        if (!demonstration && !hint)
            return;
        marks = new CellMarks(cell);
    }
    marks->demonstration = demonstration;
    marks->hint = hint;
    marks->setGeometry(cell->rect());
    marks->setVisible(demonstration || hint);
    marks->update();
}

bool hasDemonstrationMark(const Label* cell)
{
    const CellMarks* marks = marksOf(cell);
    return marks && marks->demonstration;
}

bool hasHintMark(const Label* cell)
{
    const CellMarks* marks = marksOf(cell);
    return marks && marks->hint;
}

ResultMarksLegend::ResultMarksLegend(QWidget* parent) : QWidget(parent)
{
    setObjectName(u"marksLegend"_s);
    setFont(songFont(9));
    setAttribute(Qt::WA_TranslucentBackground);
    resize(sizeHint());
}

QSize ResultMarksLegend::sizeHint() const
{
    const QFontMetrics fm(font());
    const int mark = fm.height() + 4;
    return {mark + 4 + fm.horizontalAdvance(kDemonstrationWords) + 16 + mark + 4 +
                fm.horizontalAdvance(kHintWords),
            fm.height() + 4};
}

void ResultMarksLegend::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics fm(font());
    // Each swatch is a small result cell, marked as the cells are.
    const double mark = fm.height() + 2.0;
    const double middle = height() / 2.0;
    double x = 0;
    p.fillRect(QRectF(x, middle - mark / 2, mark, mark), QColor(0, 255, 0));
    paintDemonstrationMark(p, QPointF(x + mark, middle - mark / 2), mark * 0.45);
    x += mark + 4;
    p.setPen(QColor(64, 64, 64));
    p.drawText(QRectF(x, 0, fm.horizontalAdvance(kDemonstrationWords) + 2, height()), Qt::AlignVCenter,
               kDemonstrationWords);
    x += fm.horizontalAdvance(kDemonstrationWords) + 16;
    p.fillRect(QRectF(x, middle - mark / 2, mark, mark), QColor(0, 255, 0));
    paintHintMark(p, QPointF(x + mark * 0.75, middle + mark * 0.25), mark * 0.16);
    x += mark + 4;
    p.setPen(QColor(64, 64, 64));
    p.drawText(QRectF(x, 0, fm.horizontalAdvance(kHintWords) + 2, height()), Qt::AlignVCenter, kHintWords);
}

} // namespace pptdrill

#include "moc_resultmarks.cpp"
