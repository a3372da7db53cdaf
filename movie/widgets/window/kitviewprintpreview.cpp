// 打印预览: the printed page, white on grey, as the preview's toolbar sets it.

#include "movie/widgets/slides/slidepainter.h"
#include "movie/widgets/slides/slidepaintsupport.h"
#include "movie/widgets/window/kitstyle.h"
#include "movie/widgets/window/kitview.h"

#include <QImage>
#include <QPainter>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

using namespace kit;

namespace {

// A sheet of A4 paper, 210 × 297 mm.
constexpr double kPaperRatio = 297.0 / 210.0;

// The slides the printout holds: hidden ones only when 打印隐藏幻灯片 is on.
std::vector<int> printedSlides(const Presentation& pres)
{
    std::vector<int> slides;
    for (size_t i = 0; i < pres.slides.size(); ++i) {
        if (!pres.slides[i].hidden || pres.printPreview.hidden)
            slides.push_back(static_cast<int>(i) + 1);
    }
    if (slides.empty())
        slides.push_back(pres.selected);
    return slides;
}

// The slide the preview opens at: the selected one, or the next printed after it.
int firstShownSlide(const Presentation& pres)
{
    const std::vector<int> slides = printedSlides(pres);
    const auto at = std::lower_bound(slides.begin(), slides.end(), pres.selected);
    return at == slides.end() ? slides.back() : *at;
}

// The printed slide `n` in `box`, framed when 幻灯片加框 is on.
void paintPrintedSlide(QPainter& p, const QRect& box, const Presentation& pres, int n)
{
    const QRect slide = fitSlideIn(box, pres);
    paintPresentationSlide(p, slide, pres, n, SlidePaintMode::Show);
    if (pres.printPreview.frame) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(slide.adjusted(0, 0, -1, -1));
    }
}

// The handout page holding the selected slide: its slides in the places PowerPoint
// gives them, three a page with lines for notes beside each.
void paintHandoutPage(QPainter& p, const QRect& page, const Presentation& pres, int perPage)
{
    const std::vector<int> slides = printedSlides(pres);
    const auto at = std::find(slides.begin(), slides.end(), firstShownSlide(pres));
    const size_t index = static_cast<size_t>(at - slides.begin());
    const size_t first = index / static_cast<size_t>(perPage) * static_cast<size_t>(perPage);
    const int columns = perPage == 4 || perPage == 6 ? 2 : perPage == 9 ? 3 : 1;
    const int rows = (perPage + columns - 1) / columns;
    // 根据纸张调整大小 lets the slides take the page's whole width.
    const int margin = page.width() / (pres.printPreview.fit ? 14 : 9);
    QRect body = page.adjusted(margin, margin + page.height() / 40, -margin, -margin - page.height() / 40);
    const bool linesBeside = perPage == 3;
    if (linesBeside)
        body.setRight(body.left() + body.width() / 2);
    const int cellW = body.width() / columns, cellH = body.height() / rows;
    for (int i = 0; i < perPage && first + static_cast<size_t>(i) < slides.size(); ++i) {
        const int column = i % columns, row = i / columns;
        const QRect cell(body.left() + column * cellW, body.top() + row * cellH, cellW, cellH);
        const QRect box = cell.adjusted(cellW / 16, cellH / 16, -cellW / 16, -cellH / 16);
        paintPrintedSlide(p, box, pres, slides[first + static_cast<size_t>(i)]);
        if (linesBeside) {
            p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1));
            const QRect lines(body.right() + cellW / 8, box.top(),
                              page.right() - margin - body.right() - cellW / 8, box.height());
            for (int k = 1; k <= 6; ++k) {
                const int y = lines.top() + k * lines.height() / 7;
                p.drawLine(lines.left(), y, lines.right(), y);
            }
        }
    }
    paintNotesFooters(p, page, pres, static_cast<int>(first) / perPage + 1,
                      std::max(7.0, page.height() / 60.0));
}

void paintNotesPage(QPainter& p, const QRect& page, const Presentation& pres)
{
    const int shown = firstShownSlide(pres);
    const Slide& slide = pres.slides[static_cast<size_t>(shown - 1)];
    const int margin = page.width() / (pres.printPreview.fit ? 10 : 7);
    const QRect slideBox(page.left() + margin, page.top() + page.height() / 12, page.width() - 2 * margin,
                         page.height() * 5 / 12);
    paintPrintedSlide(p, slideBox, pres, shown);
    const QRect notes(page.left() + page.width() / 8, slideBox.bottom() + page.height() / 20,
                      page.width() * 3 / 4, page.bottom() - slideBox.bottom() - page.height() / 6);
    const int size = pres.notesMaster.bodyFont.size > 0 ? qRound(pres.notesMaster.bodyFont.size) : 12;
    p.setFont(makeFont(songFamily(), std::max(6.0, size * page.height() / 800.0)));
    p.setPen(Qt::black);
    p.drawText(notes, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, slide.notes);
    paintNotesFooters(p, page, pres, shownSlideNumber(pres, shown), std::max(7.0, page.height() / 60.0));
}

// The outline as 大纲视图 prints it: each slide's number, icon and title, its text beneath.
void paintOutlinePage(QPainter& p, const QRect& page, const Presentation& pres)
{
    const double size = std::max(7.0, page.height() / 45.0);
    const QFont title = makeFont(songFamily(), size, true);
    const QFont text = makeFont(songFamily(), size * 0.85);
    const int line = qRound(size * 1.7);
    const int left = page.left() + page.width() / 10;
    int y = page.top() + page.height() / 14;
    p.setPen(Qt::black);
    for (const int n : printedSlides(pres)) {
        if (y + line > page.bottom() - page.height() / 14)
            break;
        const Slide& slide = pres.slides[static_cast<size_t>(n - 1)];
        p.setFont(title);
        p.drawText(QRect(left, y, line, line), Qt::AlignLeft | Qt::AlignVCenter, QString::number(n));
        p.drawRect(QRect(left + line, y + line / 4, line * 2 / 3, line / 2));
        p.drawText(QRect(left + line * 2, y, page.right() - left - line * 3, line),
                   Qt::AlignLeft | Qt::AlignVCenter, slide.title);
        y += line;
        p.setFont(text);
        for (QString paragraph : outlineParagraphs(slide)) {
            int level = 0;
            while (paragraph.startsWith(u'\t')) {
                paragraph.remove(0, 1);
                ++level;
            }
            const int indent = left + line * 2 + level * line;
            p.drawText(QRect(indent, y, line, line), Qt::AlignLeft | Qt::AlignVCenter, u"•"_s);
            p.drawText(QRect(indent + line, y, page.right() - indent - line * 2, line),
                       Qt::AlignLeft | Qt::AlignVCenter, paragraph);
            y += line;
        }
        y += line / 3;
    }
    paintNotesFooters(p, page, pres, 1, std::max(7.0, page.height() / 60.0));
}

// 灰度 prints the page in shades of grey; 纯黑白 in black and white alone.
QImage asPrinted(const QImage& page, const QString& color)
{
    if (color == u"灰度"_s)
        return page.convertToFormat(QImage::Format_Grayscale8);
    if (color != u"纯黑白"_s)
        return page;
    QImage ink = page.convertToFormat(QImage::Format_Grayscale8);
    for (int y = 0; y < ink.height(); ++y) {
        uchar* row = ink.scanLine(y);
        for (int x = 0; x < ink.width(); ++x)
            row[x] = row[x] < 110 ? 0 : 255;
    }
    return ink;
}

} // namespace

QRect SlideAreaPart::printPreviewPageRect() const
{
    const Presentation& pres = m_view.m_session->presentation();
    // Room at the top for the preview's toolbar.
    const QRect room = m_view.slideAreaRect().adjusted(16, 60, -16, -12);
    const PrintPreview& preview = pres.printPreview;
    // Slides print on paper turned the slide's way; the other contents on paper set 纵向 or 横向.
    const bool tall = preview.what == u"幻灯片"_s ? pres.page.height > pres.page.width : preview.portrait;
    const double ratio = tall ? kPaperRatio : 1 / kPaperRatio;
    int h = room.height();
    int w = qRound(h / ratio);
    if (w > room.width()) {
        w = room.width();
        h = qRound(w * ratio);
    }
    return QRect(room.center().x() - w / 2, room.top() + (room.height() - h) / 2, w, h);
}

void SlideAreaPart::paintPrintPreview(QPainter& p)
{
    const Presentation& pres = m_view.m_session->presentation();
    const PrintPreview& preview = pres.printPreview;
    p.fillRect(m_view.slideAreaRect(), QColor(0x80, 0x80, 0x80));
    const QRect page = printPreviewPageRect();
    QImage sheet(page.size(), QImage::Format_RGB32);
    sheet.fill(Qt::white);
    {
        QPainter ink(&sheet);
        const QRect local(QPoint(0, 0), page.size());
        if (const int perPage = handoutSlidesPerPage(preview.what); perPage > 0) {
            paintHandoutPage(ink, local, pres, perPage);
        } else if (preview.what == u"备注页"_s) {
            paintNotesPage(ink, local, pres);
        } else if (preview.what == u"大纲视图"_s) {
            paintOutlinePage(ink, local, pres);
        } else {
            // A slide a page: the page's margins, or none with 根据纸张调整大小.
            const int margin = preview.fit ? local.width() / 60 : local.width() / 12;
            paintPrintedSlide(ink, local.adjusted(margin, margin, -margin, -margin), pres,
                              firstShownSlide(pres));
        }
    }
    p.fillRect(page.translated(4, 4), QColor(0x40, 0x40, 0x40));
    p.drawImage(page.topLeft(), asPrinted(sheet, preview.color));
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(page.adjusted(0, 0, -1, -1));
}

} // namespace pptdrill
