#include "movie/widgets/slides/slideshow.h"

#include "movie/widgets/slides/slidepainter.h"

#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

bool isTitleSlide(const Slide& slide)
{
    return slide.layout == u"标题幻灯片"_s;
}

// The 动画方案 of the 幻灯片设计 pane.
bool isScheme(const QString& name)
{
    static const QStringList schemes = {u"细微型"_s,     u"出现"_s,       u"出现并变暗"_s,
                                        u"全部渐变"_s,   u"依次渐变"_s,   u"渐变并变暗"_s,
                                        u"渐变式擦除"_s, u"渐变式缩放"_s, u"用画笔添加下划线"_s,
                                        u"向内溶解"_s,   u"闪光灯"_s,     u"突出显示"_s,
                                        u"随机线条"_s,   u"擦除"_s,       u"温和型"_s,
                                        u"上升"_s,       u"压缩"_s,       u"下降"_s,
                                        u"典雅"_s,       u"升起"_s,       u"逆序显示"_s,
                                        u"旋转"_s,       u"展开"_s,       u"缩放"_s,
                                        u"华丽型"_s,     u"大标题"_s,     u"弹跳"_s,
                                        u"字幕式"_s,     u"椭圆运动"_s,   u"浮动"_s,
                                        u"中子"_s,       u"玩具风车"_s,   u"标题弧线"_s};
    return schemes.contains(name);
}

// Where a motion path has taken its object at `t`, in pixels of a show `width` wide.
QPointF pathOffset(const SlideEffect& e, double t, int width)
{
    const double reach = width * 0.25;
    const QString& n = e.effect;
    QPointF to;
    if (n == u"向右"_s)
        to = {1, 0};
    else if (n == u"向左"_s)
        to = {-1, 0};
    else if (n == u"向上"_s)
        to = {0, -1};
    else if (n == u"向下"_s)
        to = {0, 1};
    else if (n.startsWith(u"对角线"_s))
        to = {n.contains(u"左"_s) ? -1.0 : 1.0, n.contains(u"上"_s) ? -1.0 : 1.0};
    else // the closed paths (圆形, 心形…) go round and come back
        return {reach / 2 * std::sin(2 * std::numbers::pi * t),
                reach / 2 * (1 - std::cos(2 * std::numbers::pi * t))};
    return to * reach * t;
}

// The objects of a slide that effects can move, in the order they are drawn.
QStringList objectsOf(const Slide& slide)
{
    QStringList objects;
    if (!slide.title.isEmpty())
        objects << u"title"_s;
    if (isTitleSlide(slide) ? !slide.subtitle.isEmpty() || !slide.body.isEmpty() : !slide.body.isEmpty())
        objects << (isTitleSlide(slide) ? u"subtitle"_s : u"body"_s);
    for (size_t i = 0; i < slide.shapes.size(); ++i)
        objects << u"shape:%1"_s.arg(i + 1);
    return objects;
}

int paragraphLevel(const QString& line)
{
    int level = 0;
    while (level < line.size() && line[level] == u'\t')
        ++level;
    return level;
}

// Body text animated by paragraphs plays as one object a paragraph ("body#0",
// "body#1"…): a paragraph at the level grouped by starts as the effect does
// (at a click, or after the one before), the others with the one before. Once
// the text is split, an effect on it as one object plays every paragraph together.
std::vector<SlideEffect> byParagraphs(const std::vector<SlideEffect>& effects, const Slide& slide)
{
    const QString asOneObject = u"作为一个对象"_s;
    if (isTitleSlide(slide) || slide.body.size() < 2 ||
        std::none_of(effects.begin(), effects.end(), [&](const SlideEffect& e) {
            return e.target == u"body"_s && e.textGrouping != asOneObject;
        }))
        return effects;
    std::vector<SlideEffect> played;
    for (const SlideEffect& e : effects) {
        if (e.target != u"body"_s) {
            played.push_back(e);
            continue;
        }
        int depth = 0; // 按第一级段落, the text's own grouping
        if (e.textGrouping == asOneObject || e.textGrouping == u"所有段落同时"_s)
            depth = -1;
        for (int level = 1; level < 5; ++level)
            if (e.textGrouping ==
                u"按第%1级段落"_s.arg(QStringList{u"一"_s, u"二"_s, u"三"_s, u"四"_s, u"五"_s}[level]))
                depth = level;
        std::vector<int> order(static_cast<size_t>(slide.body.size()));
        std::iota(order.begin(), order.end(), 0);
        if (e.reverse)
            std::reverse(order.begin(), order.end());
        for (size_t k = 0; k < order.size(); ++k) {
            SlideEffect part = e;
            part.target = u"body#%1"_s.arg(order[k]);
            if (k > 0) {
                part.delay = 0;
                const bool starts = depth >= 0 && paragraphLevel(slide.body[order[k]]) <= depth;
                part.start = !starts ? u"之前"_s : e.start == u"单击时"_s ? u"单击时"_s : u"之后"_s;
            }
            played.push_back(part);
        }
    }
    return played;
}

} // namespace

SlideShow::SlideShow(QObject* parent) : QObject(parent), m_timer(new QTimer(this))
{
    m_timer->setInterval(15);
    connect(m_timer, &QTimer::timeout, this, &SlideShow::tick);
}

void SlideShow::start(const Presentation& presentation, int first)
{
    if (presentation.slides.empty()) {
        stop();
        return;
    }
    m_presentation = presentation;
    m_running = true;
    m_atEnd = false;
    m_spriteSize = QSize(800, 600);
    QImage black(m_spriteSize, QImage::Format_ARGB32_Premultiplied);
    black.fill(Qt::black);
    m_from = black;
    const int count = static_cast<int>(m_presentation.slides.size());
    enterSlide(std::clamp(first, 1, std::max(count, 1)) - 1, true);
    if (!m_manual) {
        m_elapsed.start();
        m_timer->start();
    }
    emit changed();
}

void SlideShow::stop()
{
    m_running = false;
    m_timer->stop();
    m_sprites.clear();
    m_background = {};
}

const Slide& SlideShow::current() const
{
    return m_presentation.slides[static_cast<size_t>(m_slide)];
}

std::vector<SlideEffect> playedEffects(const Slide& slide)
{
    if (!slide.effects.empty() || slide.animation.isEmpty() || slide.animation == u"无动画"_s)
        return slide.effects;
    // A scheme brings the title on by itself and the text at a click; an older
    // movie's single effect is the text's (or the title's, on a slide without text).
    const QString text = isTitleSlide(slide) ? u"subtitle"_s : u"body"_s;
    const bool hasText = objectsOf(slide).contains(text);
    std::vector<SlideEffect> effects;
    SlideEffect e;
    e.effect = slide.animation;
    if (isScheme(slide.animation)) {
        e.target = u"title"_s;
        e.start = u"之后"_s;
        e.speed = u"快速"_s;
        if (!slide.title.isEmpty())
            effects.push_back(e);
        e.target = text;
        e.start = u"单击时"_s;
        if (hasText)
            effects.push_back(e);
    } else {
        e.target = hasText ? text : u"title"_s;
        effects.push_back(e);
    }
    return effects;
}

std::vector<int> effectClickNumbers(const std::vector<SlideEffect>& effects)
{
    std::vector<int> numbers;
    int clicks = 0;
    std::map<QString, int> triggerClicks;
    for (const SlideEffect& e : effects) {
        int& count = e.trigger.isEmpty() ? clicks : triggerClicks[e.trigger];
        if (e.start == u"单击时"_s)
            ++count;
        numbers.push_back(count);
    }
    return numbers;
}

void SlideShow::enterSlide(int index, bool fromBlack)
{
    m_slide = index;
    m_atEnd = false;
    m_sprites.clear();
    m_background = {};
    m_playing.clear();
    m_started.clear();
    m_groups.clear();
    m_triggered.clear();
    m_nextGroup = 0;
    m_clock = 0;
    m_idle = 0;
    m_effects = byParagraphs(playedEffects(current()), current());
    m_objectNames = objectsOf(current());
    if (std::any_of(m_effects.begin(), m_effects.end(),
                    [](const SlideEffect& e) { return e.target.startsWith(u"body#"_s); })) {
        const qsizetype at = m_objectNames.indexOf(u"body"_s);
        m_objectNames.removeAt(at);
        for (qsizetype k = current().body.size() - 1; k >= 0; --k)
            m_objectNames.insert(at, u"body#%1"_s.arg(k));
    }
    m_objects.clear();
    for (const QString& o : m_objectNames)
        m_objects[o] = {};
    // An object whose first effect brings it on waits off the slide.
    QStringList seen;
    for (size_t i = 0; i < m_effects.size(); ++i) {
        SlideEffect& e = m_effects[i];
        if (e.target == u"body"_s && isTitleSlide(current()))
            e.target = u"subtitle"_s;
        if (!seen.contains(e.target) && e.kind == u"进入"_s)
            m_objects[e.target].visible = false;
        seen << e.target;
        const int n = static_cast<int>(i);
        if (!e.trigger.isEmpty()) {
            auto& groups = m_triggered[e.trigger];
            if (groups.empty() || e.start == u"单击时"_s)
                groups.emplace_back();
            groups.back().push_back(n);
        } else {
            if (m_groups.empty() || e.start == u"单击时"_s)
                m_groups.emplace_back();
            m_groups.back().push_back(n);
        }
    }
    Q_UNUSED(fromBlack);
    const SlideTransition& t = current().transition;
    m_reveal = transitionReveal(t.effect, static_cast<unsigned>(index + 1));
    m_transitionLength = t.isNone() ? 0 : scaled(transitionMilliseconds(t.speed));
    m_phase = Phase::Transition;
    step(0);
}

void SlideShow::beginGroup(const std::vector<int>& effects)
{
    // Objects whose effects hide them at the next click go as it comes.
    for (const int started : m_started) {
        const SlideEffect& e = m_effects[static_cast<size_t>(started)];
        if (e.afterAnimation == u"下次单击后隐藏"_s)
            m_objects[e.target].visible = false;
    }
    m_playing.clear();
    m_clock = 0;
    int trigger = 0, latestEnd = 0;
    for (size_t k = 0; k < effects.size(); ++k) {
        const SlideEffect& e = m_effects[static_cast<size_t>(effects[k])];
        if (k > 0 && e.start == u"之后"_s)
            trigger = latestEnd;
        const int begin = trigger + scaled(static_cast<int>(e.delay * 1000));
        const int end = begin + scaled(effectMilliseconds(e.speed)) * std::max(e.repeat, 1);
        m_playing.push_back({effects[k], begin, end});
        latestEnd = std::max(latestEnd, end);
    }
    step(0);
}

void SlideShow::finishGroup()
{
    std::vector<Playing> playing = std::move(m_playing);
    m_playing.clear();
    std::stable_sort(playing.begin(), playing.end(),
                     [](const Playing& a, const Playing& b) { return a.end < b.end; });
    for (Playing& run : playing)
        finishEffect(run);
    m_clock = 0;
    m_idle = 0;
}

void SlideShow::finishEffect(Playing& run)
{
    if (run.done)
        return;
    run.done = true;
    const SlideEffect& e = m_effects[static_cast<size_t>(run.effect)];
    if (std::find(m_started.begin(), m_started.end(), run.effect) == m_started.end())
        m_started.push_back(run.effect);
    ObjectState& o = m_objects[e.target];
    // 播完后快退 leaves the object as it was before the effect.
    if (e.kind == u"进入"_s)
        o.visible = !e.rewind;
    else if (e.kind == u"退出"_s)
        o.visible = e.rewind;
    else if (e.kind == u"动作路径"_s && !e.rewind)
        o.offset += pathOffset(e, 1, m_spriteSize.width());
    if (e.afterAnimation == u"播放动画后隐藏"_s)
        o.visible = false;
}

int SlideShow::scaled(int milliseconds) const
{
    return m_pace <= 0 ? 0 : static_cast<int>(milliseconds * m_pace);
}

void SlideShow::setManualClock(bool manual)
{
    m_manual = manual;
    if (manual) {
        m_timer->stop();
    } else if (m_running) {
        m_elapsed.start();
        m_timer->start();
    }
}

void SlideShow::advance(int milliseconds)
{
    if (m_running)
        step(milliseconds);
}

void SlideShow::tick()
{
    step(static_cast<int>(m_elapsed.restart()));
}

void SlideShow::step(int milliseconds)
{
    if (!m_running || m_atEnd)
        return;
    if (m_phase == Phase::Transition) {
        m_clock += milliseconds;
        if (m_clock < m_transitionLength) {
            emit changed();
            return;
        }
        m_phase = Phase::Slide;
        m_clock = 0;
        m_idle = 0;
        milliseconds = 0;
        // Effects before the first click start with the slide.
        if (!m_groups.empty() && m_effects[static_cast<size_t>(m_groups[0][0])].start != u"单击时"_s) {
            m_nextGroup = 1;
            beginGroup(m_groups[0]);
        }
        emit changed();
        return;
    }
    if (!m_playing.empty()) {
        m_clock += milliseconds;
        int last = 0;
        for (Playing& run : m_playing) {
            last = std::max(last, run.end);
            if (run.begin <= m_clock &&
                std::find(m_started.begin(), m_started.end(), run.effect) == m_started.end())
                m_started.push_back(run.effect);
            if (run.end <= m_clock && run.end > run.begin)
                finishEffect(run);
        }
        if (m_clock >= last)
            finishGroup();
        emit changed();
        return;
    }
    m_idle += milliseconds;
    const SlideTransition& t = current().transition;
    if (t.after >= 0 && m_idle >= scaled(static_cast<int>(t.after * 1000)) && milliseconds > 0)
        next(false);
}

void SlideShow::next(bool byMouse)
{
    if (!m_running)
        return;
    if (m_atEnd) {
        emit finished();
        return;
    }
    if (m_phase == Phase::Transition) {
        step(m_transitionLength - m_clock);
        return;
    }
    if (!m_playing.empty())
        finishGroup();
    if (m_nextGroup < m_groups.size()) {
        beginGroup(m_groups[m_nextGroup++]);
        emit changed();
        return;
    }
    // 单击鼠标时 unticked: the mouse no longer moves on to the next slide; the keys still do.
    if (byMouse && !current().transition.onClick)
        return;
    int n = m_slide + 1;
    while (n < static_cast<int>(m_presentation.slides.size()) &&
           m_presentation.slides[static_cast<size_t>(n)].hidden)
        ++n;
    m_from = still(m_spriteSize);
    if (n >= static_cast<int>(m_presentation.slides.size()))
        m_atEnd = true;
    else
        enterSlide(n, false);
    emit changed();
}

void SlideShow::goTo(int n)
{
    if (!m_running || n < 1 || n > static_cast<int>(m_presentation.slides.size()))
        return;
    enterSlide(n - 1, false);
    emit changed();
}

void SlideShow::previous()
{
    if (!m_running)
        return;
    if (m_atEnd) {
        m_atEnd = false;
        emit changed();
        return;
    }
    int n = m_slide - 1;
    while (n >= 0 && m_presentation.slides[static_cast<size_t>(n)].hidden)
        --n;
    if (n < 0)
        return;
    const double pace = std::exchange(m_pace, 0.0);
    enterSlide(n, false);
    while (m_nextGroup < m_groups.size()) {
        beginGroup(m_groups[m_nextGroup++]);
        finishGroup();
    }
    m_pace = pace;
    emit changed();
}

void SlideShow::clickAt(const QPoint& point, const QSize& size)
{
    if (m_running && !m_atEnd && m_phase == Phase::Slide) {
        for (auto& [target, groups] : m_triggered) {
            const auto it = m_objects.find(target);
            if (it == m_objects.end() || !it->second.visible)
                continue;
            const QRect at = sprite(target, size).bounds.translated(it->second.offset.toPoint());
            if (!at.contains(point))
                continue;
            if (!m_playing.empty())
                finishGroup();
            // A trigger plays its effects in turn, one run a click, then from the start again.
            std::vector<int> run = groups.front();
            std::rotate(groups.begin(), groups.begin() + 1, groups.end());
            beginGroup(run);
            emit changed();
            return;
        }
    }
    next(true);
}

bool SlideShow::objectVisible(const QString& target) const
{
    if (const auto it = m_objects.find(target); it != m_objects.end())
        return it->second.visible;
    // Text played by paragraphs: all of them.
    bool any = false;
    for (const auto& [name, state] : m_objects) {
        if (name.startsWith(target + u'#')) {
            if (!state.visible)
                return false;
            any = true;
        }
    }
    return any;
}

// The current slide as `slide` shows it, with what the master adds (footers).
void SlideShow::paintShown(QPainter& p, const QSize& size, const Slide& slide) const
{
    Presentation shown = m_presentation;
    shown.slides[static_cast<size_t>(m_slide)] = slide;
    paintPresentationSlide(p, QRectF(QPointF(0, 0), QSizeF(size)), shown, m_slide + 1, SlidePaintMode::Show);
}

QImage SlideShow::background(const QSize& size)
{
    if (m_background.size() != size) {
        Slide bare = current();
        bare.title.clear();
        bare.subtitle.clear();
        bare.body.clear();
        bare.shapes.clear();
        m_background = QImage(size, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&m_background);
        p.setRenderHint(QPainter::Antialiasing);
        paintShown(p, size, bare);
    }
    return m_background;
}

// An object alone: the pixels where the slide with it differs from the bare slide.
const SlideShow::Sprite& SlideShow::sprite(const QString& target, const QSize& size)
{
    if (size != m_spriteSize) {
        m_sprites.clear();
        m_spriteSize = size;
    }
    if (const auto it = m_sprites.find(target); it != m_sprites.end())
        return it->second;
    const Slide& slide = current();
    Slide alone = slide;
    alone.title.clear();
    alone.subtitle.clear();
    alone.body.clear();
    alone.shapes.clear();
    if (target == u"title"_s) {
        alone.title = slide.title;
    } else if (target == u"body"_s || target == u"subtitle"_s) {
        alone.subtitle = slide.subtitle;
        alone.body = slide.body;
    } else if (target.startsWith(u"shape:"_s)) {
        const int n = target.mid(6).toInt();
        if (n >= 1 && n <= static_cast<int>(slide.shapes.size()))
            alone.shapes.push_back(slide.shapes[static_cast<size_t>(n - 1)]);
    }
    const auto render = [&](const Slide& s) {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        paintShown(p, size, s);
        return image;
    };
    QImage bare = background(size);
    QImage picture;
    if (target.startsWith(u"body#"_s)) {
        // Paragraph k: what the text up to it adds to the text before it.
        const int k = target.mid(5).toInt();
        alone.body = slide.body.mid(0, k + 1);
        picture = render(alone);
        if (k > 0) {
            alone.body = slide.body.mid(0, k);
            bare = render(alone);
        }
    } else {
        picture = render(alone);
    }
    int left = size.width(), top = size.height(), right = -1, bottom = -1;
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        const auto* under = reinterpret_cast<const QRgb*>(bare.constScanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            if (line[x] == under[x]) {
                line[x] = 0;
            } else {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    const QRect bounds = right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
    return m_sprites[target] = Sprite{picture, bounds};
}

QImage SlideShow::still(const QSize& size)
{
    QImage picture = background(size).copy();
    QPainter p(&picture);
    for (const QString& o : m_objectNames) {
        const ObjectState& state = m_objects[o];
        if (state.visible)
            p.drawImage(state.offset, sprite(o, size).picture);
    }
    return picture;
}

void SlideShow::paint(QPainter& p, const QRect& area)
{
    p.fillRect(area, Qt::black);
    if (!m_running)
        return;
    if (m_atEnd) {
        p.setPen(Qt::white);
        p.drawText(area.adjusted(12, 10, -12, -10), Qt::AlignLeft | Qt::AlignTop,
                   u"放映结束，单击鼠标退出。"_s);
        return;
    }
    const QSize size = area.size();
    if (m_phase == Phase::Transition) {
        const double t = m_transitionLength > 0 ? double(m_clock) / m_transitionLength : 1.0;
        QImage from = m_from.size() == size ? m_from : m_from.scaled(size);
        paintTransition(p, area, from, still(size), m_reveal, t);
        return;
    }
    p.drawImage(area.topLeft(), background(size));
    for (const QString& o : m_objectNames)
        paintObject(p, area, o);
}

void SlideShow::paintObject(QPainter& p, const QRect& area, const QString& target, double)
{
    const ObjectState& state = m_objects[target];
    const Sprite& s = sprite(target, area.size());
    const Playing* run = nullptr;
    for (const Playing& r : m_playing) {
        if (m_effects[static_cast<size_t>(r.effect)].target == target && r.begin <= m_clock &&
            m_clock < r.end)
            run = &r;
    }
    p.save();
    p.translate(area.topLeft() + state.offset);
    const QRect whole(QPoint(0, 0), area.size());
    if (!run) {
        if (state.visible)
            p.drawImage(0, 0, s.picture);
        p.restore();
        return;
    }
    const SlideEffect& e = m_effects[static_cast<size_t>(run->effect)];
    const int each = std::max(1, (run->end - run->begin) / std::max(e.repeat, 1));
    const double t = double((m_clock - run->begin) % each) / each;
    if (e.kind == u"进入"_s || e.kind == u"退出"_s) {
        const Reveal reveal = effectReveal(e.effect, e.direction);
        paintRevealed(p, whole, s.bounds, s.picture, reveal, e.kind == u"进入"_s ? t : 1 - t);
    } else if (e.kind == u"动作路径"_s) {
        p.drawImage(pathOffset(e, t, area.width()), s.picture);
    } else if (state.visible) {
        const QPointF centre = QRectF(s.bounds).center();
        p.translate(centre);
        if (e.effect == u"陀螺旋"_s)
            p.rotate(360 * t);
        else if (e.effect == u"透明"_s)
            p.setOpacity(1 - 0.5 * std::sin(std::numbers::pi * t));
        else
            p.scale(1 + 0.25 * std::sin(std::numbers::pi * t), 1 + 0.25 * std::sin(std::numbers::pi * t));
        p.translate(-centre);
        p.drawImage(0, 0, s.picture);
    }
    p.restore();
}

} // namespace pptdrill

#include "moc_slideshow.cpp"
