#include "movie/widgets/slides/slidelayouts.h"
#include "movie/widgets/slides/slidepainter.h"
#include "movie/widgets/slides/slidepaintsupport.h"

#include <QPainter>

using namespace Qt::Literals::StringLiterals;

// The small pictures of layouts and designs in the task panes, and the kit's icons.
namespace pptdrill {
namespace {

// ------------------------------------------------------------ thumbnails

// The largest 4 : 3 rectangle centred in `r`, on whole pixels.
QRect slideFrameIn(const QRect& r)
{
    int w = r.width();
    int h = w * 3 / 4;
    if (h > r.height()) {
        h = r.height();
        w = h * 4 / 3;
    }
    return QRect(r.left() + (r.width() - w) / 2, r.top() + (r.height() - h) / 2, w, h);
}

const QColor kLayoutBar(0x70, 0x70, 0x70);
const QColor kLayoutLine(0xA8, 0xA8, 0xA8);
const QColor kLayoutFrame(0xC4, 0xC4, 0xC4);

void layoutTitleBar(QPainter& p, const QRect& r, bool vertical)
{
    if (vertical) {
        const int w = std::max(2, r.width() / 3);
        p.fillRect(QRect(r.center().x() - w / 2, r.top() + r.height() / 8, w, r.height() * 3 / 4),
                   kLayoutBar);
    } else {
        const int h = std::max(2, r.height() / 3);
        p.fillRect(QRect(r.left() + r.width() / 6, r.center().y() - h / 2, r.width() * 2 / 3, h), kLayoutBar);
    }
}

void layoutTextLines(QPainter& p, const QRect& r, bool bullets, bool centred)
{
    const int step = std::max(3, r.height() / 7);
    const int thickness = step >= 6 ? 2 : 1;
    int row = 0;
    for (int y = r.top() + step / 2 + 1; y + thickness <= r.bottom() - 1; y += step, ++row) {
        int left = r.left() + 2;
        if (bullets) {
            p.fillRect(QRect(left, y - thickness / 2, std::max(2, thickness + 1), std::max(2, thickness + 1)),
                       kLayoutBar);
            left += 5;
        }
        const int length = (r.right() - 2 - left) * (row % 3 == 2 ? 2 : 3) / 3;
        const int x = centred ? r.center().x() - length / 2 : left;
        p.fillRect(QRect(x, y, length, thickness), kLayoutLine);
        if (centred && row >= 1)
            break;
    }
}

void layoutVerticalLines(QPainter& p, const QRect& r)
{
    const int step = std::max(3, r.width() / 7);
    int col = 0;
    for (int x = r.right() - step / 2 - 1; x >= r.left() + 1; x -= step, ++col) {
        p.fillRect(QRect(x - 1, r.top() + 2, 2, 2), kLayoutBar);
        const int length = (r.height() - 8) * (col % 3 == 2 ? 2 : 3) / 3;
        p.fillRect(QRect(x - 1, r.top() + 6, 1, length), kLayoutLine);
    }
}

void layoutContentCluster(QPainter& p, const QRect& r)
{
    static const std::array<QColor, 6> colours = {QColor(0x6E, 0x9B, 0xE0), QColor(0x99, 0x33, 0x66),
                                                  QColor(0xF2, 0x6D, 0x8F), QColor(0x5E, 0x9E, 0x4A),
                                                  QColor(0xF7, 0xB5, 0x42), QColor(0x40, 0x40, 0x40)};
    const int cell = std::max(2, std::min(r.width(), r.height()) / 6);
    const int gap = std::max(1, cell / 3);
    const int left = r.center().x() - (3 * cell + 2 * gap) / 2;
    const int top = r.center().y() - (2 * cell + gap) / 2;
    for (size_t i = 0; i < colours.size(); ++i)
        p.fillRect(QRect(left + int(i % 3) * (cell + gap), top + int(i / 3) * (cell + gap), cell, cell),
                   colours[i]);
}

void paintLayoutPlaceholder(QPainter& p, const QRect& r, Region kind)
{
    switch (kind) {
    case Region::Text:
        layoutTextLines(p, r, true, false);
        return;
    case Region::VerticalText:
        layoutVerticalLines(p, r);
        return;
    default:
        break;
    }
    QPen frame(kLayoutFrame, 1, Qt::DotLine);
    p.setPen(frame);
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    if (kind == Region::Content) {
        layoutContentCluster(p, r);
        return;
    }
    const int side = std::min(r.width(), r.height()) * 3 / 5;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    paintIconIn(p, QRectF(r.center().x() - side / 2.0 + 0.5, r.center().y() - side / 2.0 + 0.5, side, side),
                iconForObject(kind));
    p.restore();
}

Slide designSample()
{
    Slide slide;
    slide.layout = u"标题和文本"_s;
    slide.title = u"单击此处添加标题"_s;
    slide.body = {u"单击此处添加文本"_s, u"\t第二级"_s};
    return slide;
}

} // namespace

void paintIcon(QPainter& painter, const QRect& rect, const QString& key)
{
    paintIconIn(painter, QRectF(rect), key);
}

void paintLayoutIcon(QPainter& painter, const QRect& rect, const QString& layout)
{
    const QRect slide = slideFrameIn(rect.adjusted(1, 1, -1, -1));
    if (slide.width() < 4 || slide.height() < 3)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(slide, Qt::white);
    const LayoutGeometry geometry = layoutGeometry(layout);
    const auto pixels = [&slide](const QRectF& points) { return toTarget(QRectF(slide), points).toRect(); };
    if (geometry.title != LayoutGeometry::Title::None)
        layoutTitleBar(painter, pixels(geometry.titleRect),
                       geometry.title == LayoutGeometry::Title::Vertical);
    if (geometry.title == LayoutGeometry::Title::Centre)
        layoutTextLines(painter, pixels(geometry.subtitleRect), false, true);
    for (const Placeholder& placeholder : geometry.regions)
        paintLayoutPlaceholder(painter, pixels(placeholder.rect), placeholder.kind);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(slide.adjusted(0, 0, -1, -1));
    painter.restore();
}

void paintDesignThumbnail(QPainter& painter, const QRect& rect, const QString& design)
{
    const QRect slide = slideFrameIn(rect.adjusted(1, 1, -1, -1));
    if (slide.width() < 4 || slide.height() < 3)
        return;
    static const Slide sample = designSample();
    paintSlide(painter, QRectF(slide), sample, design, SlidePaintMode::Thumbnail);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(slide.adjusted(0, 0, -1, -1));
    painter.restore();
}

} // namespace pptdrill
