// What normal view shows of a slide's animations: the 自定义动画 pane's
// numbered tags beside the animated objects and its list of effects, and the
// 幻灯片切换 pane's preview of a transition chosen with 自动预览 ticked.

#include "movie/kitcatalog.h"
#include "movie/widgets/kitstyle.h"
#include "movie/widgets/kitview.h"
#include "movie/widgets/slidepainter.h"
#include "movie/widgets/slideshow.h"

#include <QPainter>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

using namespace kit;

namespace {

const QString kCustomAnimation = u"自定义动画"_s;
const QString kTransitionPane = u"幻灯片切换"_s;

QRectF objectRect(const QRectF& slideRect, const Slide& slide, const QString& target)
{
    if (target == u"title"_s)
        return titleRect(slideRect, slide);
    if (target == u"body"_s || target == u"subtitle"_s)
        return bodyRect(slideRect, slide);
    if (target.startsWith(u"shape:"_s))
        return shapeRect(slideRect, slide, target.mid(6).toInt() - 1);
    return {};
}

// The name the effect list gives an object: "标题 1: 计划", "矩形 3".
QString effectObjectName(const Slide& slide, const QString& target)
{
    if (target == u"title"_s)
        return u"标题 1: %1"_s.arg(slide.title);
    if (target == u"subtitle"_s)
        return u"副标题 2: %1"_s.arg(slide.subtitle.isEmpty() ? slide.body.value(0) : slide.subtitle);
    if (target == u"body"_s)
        return slide.body.value(0).trimmed();
    const int n = target.mid(6).toInt();
    static const QMap<QString, QString> kinds = {
        {u"rect"_s, u"矩形"_s},      {u"roundrect"_s, u"圆角矩形"_s}, {u"ellipse"_s, u"椭圆"_s},
        {u"arrow"_s, u"右箭头"_s},   {u"star"_s, u"五角星"_s},        {u"smiley"_s, u"笑脸"_s},
        {u"textbox"_s, u"文本框"_s}, {u"picture"_s, u"图片"_s},       {u"clipart"_s, u"图片"_s},
        {u"wordart"_s, u"艺术字"_s}, {u"table"_s, u"表格"_s},         {u"chart"_s, u"对象"_s},
        {u"orgchart"_s, u"对象"_s},  {u"sound"_s, u"声音"_s},         {u"movie"_s, u"媒体"_s},
        {u"button"_s, u"动作按钮"_s}};
    const QString type =
        n >= 1 && n <= int(slide.shapes.size()) ? slide.shapes[size_t(n - 1)].type : QString();
    return u"%1 %2"_s.arg(kinds.value(type, u"对象"_s)).arg(n + 2);
}

void paintMouse(QPainter& p, const QRect& r)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    p.setBrush(Qt::white);
    const QRectF body(r.left() + 3.5, r.top() + 1.5, r.width() - 7, r.height() - 3);
    p.drawRoundedRect(body, 4, 4);
    p.drawLine(QPointF(body.center().x(), body.top()), QPointF(body.center().x(), body.top() + 5));
    p.restore();
}

void paintClock(QPainter& p, const QRect& r)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    p.setBrush(Qt::white);
    const QRectF face = QRectF(r).adjusted(1.5, 1.5, -1.5, -1.5);
    p.drawEllipse(face);
    p.drawLine(face.center(), face.center() + QPointF(0, -4));
    p.drawLine(face.center(), face.center() + QPointF(3, 0));
    p.restore();
}

QString kindIcon(const QString& kind)
{
    if (kind == u"强调"_s)
        return u"effect-emphasis"_s;
    if (kind == u"退出"_s)
        return u"effect-exit"_s;
    if (kind == u"动作路径"_s)
        return u"effect-path"_s;
    return u"effect-entrance"_s;
}

} // namespace

void KitView::paintAnimationTags(QPainter& p)
{
    const Presentation& pres = m_session->presentation();
    if (pres.view != u"normal"_s || pres.taskpane != kCustomAnimation)
        return;
    const Slide& slide = pres.slides[static_cast<size_t>(pres.selected - 1)];
    const std::vector<SlideEffect> effects = playedEffects(slide);
    const std::vector<int> numbers = effectClickNumbers(effects);
    const QRect sr = slideRectInArea();
    std::map<QString, int> stacked; // tags already beside each object
    p.save();
    p.setFont(uiFont(10));
    for (size_t i = 0; i < effects.size(); ++i) {
        const QRectF object = objectRect(sr, slide, effects[i].target);
        if (object.isEmpty())
            continue;
        // Beside the object's top left corner, one under another.
        const int row = stacked[effects[i].target]++;
        const QRect tag(static_cast<int>(object.left()) - 15, static_cast<int>(object.top()) + row * 13, 13,
                        12);
        p.fillRect(tag, QColor(0xE0, 0xE0, 0xE0));
        p.setPen(QColor(0x60, 0x60, 0x60));
        p.drawRect(tag.adjusted(0, 0, -1, -1));
        p.setPen(Qt::black);
        p.drawText(tag, Qt::AlignCenter, QString::number(numbers[i]));
    }
    p.restore();
}

bool KitView::paintEffectList(QPainter& p, const KitForm& form, const KitControl& c, const QRect& rect)
{
    if (form.name != kCustomAnimation || c.id != u"动画列表"_s)
        return false;
    const Presentation& pres = m_session->presentation();
    const Slide& slide = pres.slides[static_cast<size_t>(pres.selected - 1)];
    const std::vector<SlideEffect> effects = playedEffects(slide);
    const std::vector<int> numbers = effectClickNumbers(effects);
    p.save();
    p.fillRect(rect, Qt::white);
    p.setPen(QColor(0x7F, 0x9D, 0xB9));
    p.drawRect(rect.adjusted(0, 0, -1, -1));
    p.setClipRect(rect.adjusted(1, 1, -1, -1));
    p.setFont(uiFont(12));
    const QFontMetrics fm(p.font());
    const int rowH = 18;
    int y = rect.top() + 2;
    for (size_t i = 0; i < effects.size() && y < rect.bottom(); ++i, y += rowH) {
        const SlideEffect& e = effects[i];
        const bool clickStarts = e.start == u"单击时"_s;
        p.setPen(Qt::black);
        if (clickStarts || (i == 0 && numbers[i] == 0))
            p.drawText(QRect(rect.left() + 2, y, 14, rowH), Qt::AlignCenter, QString::number(numbers[i]));
        const QRect timing(rect.left() + 17, y + 2, 14, 14);
        if (clickStarts)
            paintMouse(p, timing);
        else if (e.start == u"之后"_s)
            paintClock(p, timing);
        paintIcon(p, QRect(rect.left() + 33, y + 1, 16, 16), kindIcon(e.kind));
        const QRect text(rect.left() + 52, y, rect.width() - 56, rowH);
        p.setPen(Qt::black);
        p.drawText(text, Qt::AlignVCenter,
                   fm.elidedText(effectObjectName(slide, e.target), Qt::ElideRight, text.width()));
    }
    p.restore();
    return true;
}

void KitView::previewTransition(const QString& action)
{
    const QString prefix = u"taskpane:幻灯片切换/效果="_s;
    if (!action.startsWith(prefix) || m_session->view() != u"normal"_s ||
        m_session->taskPane().value(u"自动预览"_s) == u"off"_s)
        return;
    const Presentation& pres = m_session->presentation();
    Presentation shown = pres;
    Slide slide = pres.slides[static_cast<size_t>(pres.selected - 1)];
    slide.transition.effect = action.mid(prefix.size());
    slide.transition.speed = m_session->taskPane().value(u"速度"_s);
    slide.effects.clear();
    slide.animation.clear();
    shown.slides = {slide};
    m_preview->start(shown, 1);
    if (!m_preview->inTransition())
        m_preview->stop();
}

void KitView::paintTransitionPreview(QPainter& p)
{
    if (!m_preview->isRunning() || m_session->view() != u"normal"_s)
        return;
    m_preview->paint(p, slideRectInArea());
}

} // namespace pptdrill
