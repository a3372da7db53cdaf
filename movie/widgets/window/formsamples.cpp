// The pictures a dialog draws of what its values make: 页眉和页脚's 预览, a small page with the
// places of the date, the number and the footer drawn dark where they are ticked,
// 填充效果's 示例, the gradient, texture, pattern or picture chosen, and 相册's 预览, the picture
// chosen in its list.
#include "movie/kit/kitcatalog.h"
#include "movie/widgets/slides/slidepainter.h"
#include "movie/widgets/window/formpart.h"
#include "movie/widgets/window/kitcolours.h"
#include "movie/widgets/window/kitstyle.h"
#include "movie/widgets/window/kitview.h"

#include <QImage>
#include <QPainter>
#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

// A page of `width` by `height` as large as it fits, in the middle of `box`.
QRect pageIn(const QRect& box, int width, int height)
{
    const double scale = std::min(double(box.width()) / width, double(box.height()) / height);
    const QSize size(qRound(width * scale), qRound(height * scale));
    return QRect(box.center() - QPoint(size.width() / 2, size.height() / 2), size);
}

// One place on the preview's page: dark when what goes there is ticked, else a dotted outline.
void paintPlace(QPainter& p, const QRect& place, bool ticked)
{
    if (ticked) {
        p.fillRect(place, QColor(0x20, 0x20, 0x20));
        return;
    }
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(place.adjusted(0, 0, -1, -1));
}

// A value without its access key: "水平(Z)" is 水平.
QString withoutAccessKey(QString text)
{
    static const QRegularExpression accessKey(u"\\(.\\)$"_s);
    return text.remove(accessKey);
}

} // namespace

void FormPart::paintFootersPreview(QPainter& p, const QRect& rect, const FormState& state) const
{
    const auto on = [&state](const QString& id) { return state.value(id) == u"on"_s; };
    const bool printedPage = state.tab == u"备注和讲义"_s;
    const QRect box = rect.adjusted(8, 18, -8, -8);
    const QRect page = printedPage ? pageIn(box, 3, 4) : pageIn(box, 4, 3);
    p.fillRect(page, Qt::white);
    p.setPen(QColor(0x60, 0x60, 0x60));
    p.drawRect(page.adjusted(0, 0, -1, -1));
    const int w = std::max(6, page.width() * 3 / 10);
    const int h = std::max(4, page.height() / 10);
    const int margin = std::max(2, page.width() / 16);
    const QRect bottomLeft(page.left() + margin, page.bottom() - margin - h, w, h);
    const QRect bottomRight(page.right() - margin - w, bottomLeft.top(), w, h);
    if (printedPage) {
        // Notes pages and handouts: the header and the date along the top, the footer and the page
        // number along the bottom.
        const QRect topLeft(bottomLeft.left(), page.top() + margin, w, h);
        paintPlace(p, topLeft, on(u"页眉(H)"_s));
        paintPlace(p, QRect(bottomRight.left(), topLeft.top(), w, h), on(u"讲义日期和时间"_s));
        paintPlace(p, bottomLeft, on(u"讲义页脚"_s));
        paintPlace(p, bottomRight, on(u"页码(P)"_s));
        return;
    }
    // Slides: the date at the bottom left, the footer in the middle, the number at the right.
    paintPlace(p, bottomLeft, on(u"日期和时间(D)"_s));
    paintPlace(p, QRect(page.center().x() - w * 2 / 3, bottomLeft.top(), w * 4 / 3, h), on(u"页脚(F)"_s));
    paintPlace(p, bottomRight, on(u"幻灯片编号(N)"_s));
}

BackgroundFill FormPart::fillChosen(const FormState& state) const
{
    const QString design = m_view.m_session->presentation().design;
    const auto colour = [&](const QString& id) {
        const QColor c = kit::colourOf(state.value(id), design);
        return c.isValid() ? c.name() : QString();
    };
    BackgroundFill fill;
    if (state.tab == u"渐变"_s) {
        fill.type = u"gradient"_s;
        const QString kind = state.value(u"颜色"_s);
        if (kind.startsWith(u"预设"_s))
            fill.preset = state.value(u"预设颜色"_s);
        fill.colors << colour(u"颜色 1"_s);
        if (kind.startsWith(u"双色"_s))
            fill.colors << colour(u"颜色 2"_s);
        fill.style = withoutAccessKey(state.value(u"底纹样式"_s));
        fill.variant = state.value(u"变形"_s).section(u' ', -1).toInt();
    } else if (state.tab == u"纹理"_s && !state.value(u"纹理"_s).isEmpty()) {
        fill.type = u"texture"_s;
        fill.texture = state.value(u"纹理"_s);
    } else if (state.tab == u"图案"_s) {
        fill.type = u"pattern"_s;
        fill.pattern = state.value(u"图案"_s);
        fill.foreground = colour(u"前景"_s);
        fill.background = colour(u"背景"_s);
    } else if (state.tab == u"图片"_s && state.pressed.contains(u"选择图片(L)..."_s)) {
        fill.type = u"picture"_s;
    }
    return fill;
}

void FormPart::paintAlbumPreview(QPainter& p, const QRect& rect, const FormState& state) const
{
    // The picture chosen in the album's list, in black and white where the album shows them so.
    const QRect box = rect.adjusted(1, 8, -1, -1);
    p.fillRect(box, Qt::white);
    if (state.value(u"相册中的图片"_s).isEmpty())
        return;
    QImage picture(box.size() - QSize(16, 16), QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        BackgroundFill fill;
        fill.type = u"picture"_s;
        paintFillSample(painter, picture.rect(), fill);
    }
    if (state.value(u"所有图片以黑白方式显示(K)"_s) == u"on"_s)
        picture = picture.convertToFormat(QImage::Format_Grayscale8);
    p.drawImage(box.topLeft() + QPoint(8, 8), picture);
}

void FormPart::paintBackgroundPreview(QPainter& p, const QRect& rect, const FormState& state) const
{
    // A small slide in the background chosen: the fill effects chosen for the box, else its colour.
    const QRect slide = pageIn(rect.adjusted(4, 4, -4, -4), 4, 3);
    const QString design = m_view.m_session->presentation().design;
    const auto effects = state.fillEffects.find(u"背景填充"_s);
    if (effects != state.fillEffects.end() && effects->second) {
        p.fillRect(slide, Qt::white);
        paintFillSample(p, slide, fillChosen(*effects->second));
    } else {
        const QColor colour = kit::colourOf(state.value(u"背景填充"_s), design);
        p.fillRect(slide, colour.isValid() ? colour : QColor(Qt::white));
    }
    p.setPen(QColor(0x60, 0x60, 0x60));
    p.setBrush(Qt::NoBrush);
    p.drawRect(slide.adjusted(0, 0, -1, -1));
    // Its title and a line of bulleted text.
    const QColor text = kit::colourOf(u"遵循文本和线条配色方案"_s, design);
    p.setPen(text.isValid() ? text : QColor(Qt::black));
    p.setFont(kit::uiFont(std::max(10, slide.height() / 6), true));
    p.drawText(slide.adjusted(0, slide.height() / 10, 0, -slide.height() / 2),
               Qt::AlignHCenter | Qt::AlignVCenter, u"标题"_s);
    p.setFont(kit::uiFont(std::max(9, slide.height() / 10)));
    p.drawText(slide.adjusted(slide.width() / 8, slide.height() / 2, 0, 0), Qt::AlignLeft | Qt::AlignTop,
               u"• 项目符号文本"_s);
}

void FormPart::paintSample(QPainter& p, const KitControl& c, const QRect& rect, const FormState& state) const
{
    if (c.sample == u"background"_s) {
        paintBackgroundPreview(p, rect, state);
        return;
    }
    if (c.sample == u"footers"_s) {
        paintFootersPreview(p, rect, state);
        return;
    }
    if (c.sample == u"album"_s) {
        paintAlbumPreview(p, rect, state);
        return;
    }
    p.fillRect(rect, Qt::white);
    const BackgroundFill fill = fillChosen(state);
    if (!fill.type.isEmpty())
        paintFillSample(p, rect.adjusted(1, 1, -1, -1), fill);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect.adjusted(0, 0, -1, -1));
}

} // namespace pptdrill
