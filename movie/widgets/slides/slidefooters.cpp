// What the master adds to every slide and notes page: the date, the slide
// number and the footer (页眉和页脚), and the page's shape (页面设置).
#include "movie/widgets/slides/slidelayouts.h"
#include "movie/widgets/slides/slidepainter.h"
#include "movie/widgets/slides/slidepaintsupport.h"

#include <QDate>
#include <QPainter>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

// The master's three bottom placeholders, in points on a 720 × 540 page.
constexpr double kFooterTop = 491;
constexpr double kFooterHeight = 38;
constexpr double kFooterSize = 14;

QRectF scaled(const QRectF& page, double x, double w)
{
    const double sx = page.width() / kSlideWidth, sy = page.height() / kSlideHeight;
    return QRectF(page.left() + x * sx, page.top() + kFooterTop * sy, w * sx, kFooterHeight * sy);
}

void drawFooterText(QPainter& p, const QRectF& box, const QString& text, Qt::Alignment align, double size,
                    const QColor& colour)
{
    if (text.isEmpty())
        return;
    p.setFont(makeFont(songFamily(), size));
    p.setPen(colour);
    p.drawText(box, int(align | Qt::AlignVCenter) | Qt::TextSingleLine, text);
}

} // namespace

double slideAspect(const Presentation& pres)
{
    return pres.page.width / pres.page.height;
}

QRect fitSlideIn(const QRect& box, const Presentation& pres)
{
    const double aspect = slideAspect(pres);
    int w = box.width();
    int h = qRound(w / aspect);
    if (h > box.height()) {
        h = box.height();
        w = qRound(h * aspect);
    }
    return QRect(box.center().x() - w / 2, box.center().y() - h / 2, w, h);
}

int shownSlideNumber(const Presentation& pres, int n)
{
    return pres.page.firstNumber + n - 1;
}

QString footerDate(const QString& fixed)
{
    return fixed.isEmpty() ? QDate::currentDate().toString(u"yyyy-M-d"_s) : fixed;
}

void paintPresentationSlide(QPainter& p, const QRectF& target, const Presentation& pres, int n,
                            SlidePaintMode mode, const QString& typedInto)
{
    if (n < 1 || n > static_cast<int>(pres.slides.size()))
        return;
    const Slide& slide = pres.slides[static_cast<size_t>(n - 1)];
    paintSlide(p, target, pres, slide, mode, typedInto);
    const SlideFooters& f = pres.footers;
    if (!f.date && !f.number && f.footer.isEmpty())
        return;
    if (f.notOnTitle && slide.layout == u"标题幻灯片"_s)
        return;
    const double size = kFooterSize * slideContentRect(target).width() / kSlideWidth;
    const QColor colour = designFor(pres.design).text;
    p.save();
    p.setClipRect(target, Qt::IntersectClip);
    p.setRenderHint(QPainter::TextAntialiasing);
    if (f.date)
        drawFooterText(p, scaled(target, 36, 168), footerDate(f.fixedDate), Qt::AlignLeft, size, colour);
    drawFooterText(p, scaled(target, 246, 228), f.footer, Qt::AlignHCenter, size, colour);
    if (f.number)
        drawFooterText(p, scaled(target, 516, 168), QString::number(shownSlideNumber(pres, n)),
                       Qt::AlignRight, size, colour);
    p.restore();
}

void paintNotesFooters(QPainter& p, const QRect& page, const Presentation& pres, int n, double size)
{
    const NotesFooters& f = pres.notesFooters;
    const int line = qRound(size * 1.6);
    const QRect top(page.left() + 8, page.top() + 2, page.width() - 16, line);
    const QRect bottom(page.left() + 8, page.bottom() - line - 1, page.width() - 16, line);
    p.save();
    p.setFont(makeFont(songFamily(), size));
    p.setPen(Qt::black);
    p.drawText(top, Qt::AlignLeft | Qt::AlignVCenter, f.header);
    if (f.date)
        p.drawText(top, Qt::AlignRight | Qt::AlignVCenter, footerDate(f.fixedDate));
    p.drawText(bottom, Qt::AlignLeft | Qt::AlignVCenter, f.footer);
    if (f.number && n > 0)
        p.drawText(bottom, Qt::AlignRight | Qt::AlignVCenter, QString::number(n));
    p.restore();
}

} // namespace pptdrill
