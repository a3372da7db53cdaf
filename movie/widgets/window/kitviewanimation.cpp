// What normal view shows of a slide's animations: the 自定义动画 pane's
// numbered tags beside the animated objects and its list of effects, and the
// 幻灯片切换 pane's preview of a transition chosen with 自动预览 ticked.

#include "movie/document/effectlist.h"
#include "movie/kit/kitcatalog.h"
#include "movie/widgets/slides/slidepainter.h"
#include "movie/widgets/slides/slideshow.h"
#include "movie/widgets/window/formpart.h"
#include "movie/widgets/window/kitstyle.h"
#include "movie/widgets/window/kitview.h"

#include <QPainter>
#include <numeric>

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

// One numbered tag: an effect's object, or one paragraph of its text (-1 for the whole object).
struct EffectTag
{
    QString target;
    int paragraph;
    int number;
};

// The tags of a slide's effects in click order. Text animated by paragraphs
// has a tag a paragraph: a new number for each paragraph at the level grouped
// by (the same for 所有段落同时), in reverse order when the effect is reversed.
std::vector<EffectTag> effectTags(const Slide& slide, const std::vector<SlideEffect>& effects)
{
    std::vector<EffectTag> tags;
    int clicks = 0;
    std::map<QString, int> triggerClicks;
    const QStringList paragraphs = outlineParagraphs(slide);
    for (const SlideEffect& e : effects) {
        int& count = e.trigger.isEmpty() ? clicks : triggerClicks[e.trigger];
        const bool text = e.target == u"body"_s || e.target == u"subtitle"_s;
        if (!text || paragraphs.size() < 2 || e.textGrouping == u"作为一个对象"_s) {
            if (e.start == u"单击时"_s)
                ++count;
            tags.push_back({e.target, -1, count});
            continue;
        }
        // 按第一级段落 (the text's own grouping) starts each first-level paragraph anew.
        int depth = 0;
        if (e.textGrouping == u"所有段落同时"_s)
            depth = -1;
        for (const auto& [name, level] : {std::pair{u"按第二级段落"_s, 1}, std::pair{u"按第三级段落"_s, 2},
                                          std::pair{u"按第四级段落"_s, 3}, std::pair{u"按第五级段落"_s, 4}})
            if (e.textGrouping == name)
                depth = level;
        std::vector<int> order(static_cast<size_t>(paragraphs.size()));
        std::iota(order.begin(), order.end(), 0);
        if (e.reverse)
            std::reverse(order.begin(), order.end());
        for (size_t k = 0; k < order.size(); ++k) {
            const QString& line = paragraphs[order[k]];
            const int level = static_cast<int>(line.size() - QString(line).remove(u'\t').size());
            const bool starts = k == 0 || (depth >= 0 && level <= depth);
            if (starts && e.start == u"单击时"_s)
                ++count;
            tags.push_back({e.target, order[k], count});
        }
    }
    return tags;
}

// Where paragraph `index` of a slide's text begins, from the top of its box:
// first-level lines of 32 points, each level below 4 points smaller.
double paragraphTop(const QStringList& paragraphs, int index, double scale)
{
    double top = 4 * scale;
    for (int i = 0; i < index && i < paragraphs.size(); ++i) {
        const auto level = paragraphs[i].size() - QString(paragraphs[i]).remove(u'\t').size();
        top += (32 - 4 * static_cast<double>(level)) * 1.2 * scale;
    }
    return top;
}

// The ▼ of a list's chosen row: a small button, pressed while its menu is open.
void paintRowMenuArrow(QPainter& p, const QRect& r, bool pressed)
{
    p.save();
    p.fillRect(r, pressed ? QColor(0xFF, 0xD3, 0x8C) : QColor(0xF4, 0xF3, 0xEE));
    p.setPen(QColor(0x7F, 0x9D, 0xB9));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    const QPointF m(r.center().x() + 0.5, r.center().y() + 1);
    const QPointF tri[3] = {m + QPointF(-3.5, -2), m + QPointF(3.5, -2), m + QPointF(0, 2)};
    p.drawPolygon(tri, 3);
    p.restore();
}

} // namespace

void SlideAreaPart::paintAnimationTags(QPainter& p)
{
    const Presentation& pres = m_view.m_session->presentation();
    if (!pres.view.is(ViewKind::Normal) || pres.taskpane != kCustomAnimation)
        return;
    const Slide& slide = pres.slides[static_cast<size_t>(pres.selected - 1)];
    const QStringList paragraphs = outlineParagraphs(slide);
    const QRect sr = m_view.slideRectInArea();
    const double scale = sr.width() / 720.0;
    std::map<std::pair<QString, int>, int> stacked; // tags already beside each object or paragraph
    p.save();
    p.setFont(uiFont(10));
    for (const EffectTag& t : effectTags(slide, playedEffects(slide))) {
        const QRectF object = objectRect(sr, slide, t.target);
        if (object.isEmpty())
            continue;
        // Beside the object's (or paragraph's) top left corner, one under another.
        const int row = stacked[{t.target, t.paragraph}]++;
        const double top =
            object.top() + (t.paragraph < 0 ? 0 : paragraphTop(paragraphs, t.paragraph, scale));
        const QRect tag(static_cast<int>(object.left()) - 15, static_cast<int>(top) + row * 13, 13, 12);
        p.fillRect(tag, QColor(0xE0, 0xE0, 0xE0));
        p.setPen(QColor(0x60, 0x60, 0x60));
        p.drawRect(tag.adjusted(0, 0, -1, -1));
        p.setPen(Qt::black);
        p.drawText(tag, Qt::AlignCenter, QString::number(t.number));
    }
    p.restore();
}

bool FormPart::paintEffectList(QPainter& p, const KitForm& form, const KitControl& c, const QRect& rect)
{
    if (form.name != kCustomAnimation || c.id != u"动画列表"_s)
        return false;
    const Presentation& pres = m_view.m_session->presentation();
    const Slide& slide = pres.slides[static_cast<size_t>(pres.selected - 1)];
    const std::vector<SlideEffect> effects = playedEffects(slide);
    const std::vector<int> numbers = effectClickNumbers(effects);
    const int chosen = m_view.m_session->chosenEffect();
    p.save();
    p.fillRect(rect, Qt::white);
    p.setPen(QColor(0x7F, 0x9D, 0xB9));
    p.drawRect(rect.adjusted(0, 0, -1, -1));
    p.setClipRect(rect.adjusted(1, 1, -1, -1), Qt::IntersectClip);
    p.setFont(uiFont(12));
    const QFontMetrics fm(p.font());
    const int rowH = 18;
    int y = rect.top() + 2;
    for (const EffectListRow& row : effectListRows(slide, effects)) {
        if (y >= rect.bottom())
            break;
        const QRect line(rect.left() + 2, y, rect.width() - 4, rowH);
        y += rowH;
        if (row.effect < 0) {
            // The heading of the effects that a click on one object starts.
            p.fillRect(line, QColor(0xD6, 0xDF, 0xF7));
            p.setPen(Qt::black);
            p.drawText(line.adjusted(4, 0, 0, 0), Qt::AlignVCenter,
                       fm.elidedText(row.item, Qt::ElideRight, line.width() - 6));
            continue;
        }
        const auto i = static_cast<size_t>(row.effect);
        const SlideEffect& e = effects[i];
        const bool isChosen = row.effect == chosen;
        if (isChosen)
            p.fillRect(line, kSelectText);
        const QColor ink = isChosen ? QColor(Qt::white) : QColor(Qt::black);
        const bool clickStarts = e.start == u"单击时"_s;
        p.setPen(ink);
        if (clickStarts || (i == 0 && numbers[i] == 0))
            p.drawText(QRect(line.left(), line.top(), 14, rowH), Qt::AlignCenter,
                       QString::number(numbers[i]));
        const QRect timing(line.left() + 15, line.top() + 2, 14, 14);
        if (clickStarts)
            paintMouse(p, timing);
        else if (e.start == u"之后"_s)
            paintClock(p, timing);
        paintIcon(p, QRect(line.left() + 31, line.top() + 1, 16, 16), kindIcon(e.kind));
        // The chosen row ends in the ▼ that opens its menu.
        const bool arrow = isChosen && !c.menu.empty();
        const QRect text(line.left() + 50, line.top(), line.width() - 52 - (arrow ? 17 : 0), rowH);
        p.setPen(ink);
        p.drawText(text, Qt::AlignVCenter,
                   fm.elidedText(effectObjectName(slide, e.target), Qt::ElideRight, text.width()));
        if (arrow)
            paintRowMenuArrow(p, rowMenuArrow(line), m_view.m_menus.isPaneMenuOf(form.name, c.id));
    }
    p.restore();
    return true;
}

} // namespace pptdrill
