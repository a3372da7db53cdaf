// The slide show view: starting and ending the show with the view, the clicks and
// keys that move it on where the task's step does not take them, and the transition
// previewed on the slide pane.
#include "movie/widgets/window/showpart.h"

#include "movie/kit/locators.h"
#include "movie/widgets/slides/slideshow.h"
#include "movie/widgets/window/kitcolours.h"
#include "movie/widgets/window/kitview.h"

#include <QPainter>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

ShowPart::ShowPart(KitView& view)
    : m_view(view), m_show(new SlideShow(&view)), m_preview(new SlideShow(&view))
{
    QObject::connect(m_show, &SlideShow::changed, &view, qOverload<>(&QWidget::update));
    QObject::connect(m_show, &SlideShow::finished, &view, [this] { end(); });
    QObject::connect(m_preview, &SlideShow::changed, &view, [this] {
        if (!m_preview->inTransition() && !m_preview->isBuilding())
            m_preview->stop();
        m_view.update();
    });
}

void ShowPart::setPace(double factor)
{
    m_show->setPace(factor);
}

void ShowPart::previewTransition(const QString& action)
{
    const QString prefix = u"taskpane:幻灯片切换/效果="_s;
    const QString scheme = u"taskpane:幻灯片设计 - 动画方案/方案="_s;
    if (!m_view.m_session->view().is(ViewKind::Normal) ||
        m_view.m_session->taskPane().value(u"自动预览"_s) == u"off"_s)
        return;
    if (action.startsWith(scheme))
        playScheme(action.mid(scheme.size()));
    if (!action.startsWith(prefix))
        return;
    SlideTransition transition = m_view.m_session->selectedSlide().transition;
    transition.effect = action.mid(prefix.size());
    transition.speed = m_view.m_session->taskPane().value(u"速度"_s);
    playTransition(transition);
}

void ShowPart::playTransition(const SlideTransition& transition)
{
    Presentation shown = m_view.m_session->presentation();
    Slide slide = m_view.m_session->selectedSlide();
    slide.transition = transition;
    slide.effects.clear();
    slide.animation.clear();
    shown.slides = {slide};
    m_preview->start(shown, 1);
    if (!m_preview->inTransition())
        m_preview->stop();
}

void ShowPart::playScheme(const QString& scheme)
{
    Presentation shown = m_view.m_session->presentation();
    Slide slide = m_view.m_session->selectedSlide();
    slide.transition = {};
    slide.effects.clear();
    slide.animation = scheme;
    std::vector<SlideEffect> effects = playedEffects(slide);
    // Previewed, the effects follow one another without a click.
    for (SlideEffect& effect : effects) {
        effect.start = u"之后"_s;
        effect.trigger.clear();
    }
    if (effects.empty())
        return;
    slide.effects = std::move(effects);
    slide.animation.clear();
    shown.slides = {slide};
    m_preview->start(shown, 1);
    if (!m_preview->inTransition() && !m_preview->isBuilding())
        m_preview->stop();
}

void ShowPart::paintPreview(QPainter& p)
{
    if (!m_preview->isRunning() || !m_view.m_session->view().is(ViewKind::Normal))
        return;
    m_preview->paint(p, m_view.slideRectInArea());
}

void ShowPart::follow(const QString& action)
{
    const Presentation& pres = m_view.m_session->presentation();
    if (!pres.view.is(ViewKind::Show)) {
        if (m_show->isRunning())
            m_show->stop();
        return;
    }
    if (m_show->isRunning()) {
        // 定位至幻灯片 takes the show to the slide it names.
        if (pres.show.slide > 0 && pres.show.slide != m_shownSlide) {
            m_shownSlide = pres.show.slide;
            m_show->goTo(pres.show.slide);
        }
        return;
    }
    m_shownSlide = pres.show.slide;
    // 观看放映 and F5 start at the first slide; the view button and Shift+F5 at the selected one.
    static const QStringList fromStart = {u"key:F5"_s, u"menu:幻灯片放映(D)/观看放映(V)"_s,
                                          u"menu:视图(V)/幻灯片放映(W)"_s};
    m_show->start(pres, pres.show.slide > 0          ? pres.show.slide
                        : fromStart.contains(action) ? 1
                                                     : pres.selected);
}

void ShowPart::lookAt(const QString& action)
{
    // A show the step does not ask for starts as the view turns to it (any route to
    // the view does that); 幻灯片切换's 播放 plays the slide's transition on the slide pane.
    const SlideTransition& transition = m_view.m_session->selectedSlide().transition;
    if (action == u"taskpane:幻灯片切换/播放"_s && m_view.m_session->view().is(ViewKind::Normal) &&
        !transition.isNone())
        playTransition(transition);
    // 动画方案's 播放 plays the scheme of the slide.
    const QString& scheme = m_view.m_session->selectedSlide().animation;
    if (action == u"taskpane:幻灯片设计 - 动画方案/播放"_s && m_view.m_session->view().is(ViewKind::Normal) &&
        !scheme.isEmpty())
        playScheme(scheme);
}

bool ShowPart::click(const QPoint& point, Qt::MouseButton button)
{
    if (!m_view.m_session->view().is(ViewKind::Show) || m_view.m_session->dialog() ||
        m_view.m_menus.isOpen() || m_view.m_forms.dropOpen())
        return false;
    const Hot* hot = m_view.hotAt(point);
    if (hot && !hot->action.isEmpty() && m_view.m_session->accepts(hot->action))
        return false;
    if (button == Qt::LeftButton)
        m_show->clickAt(point, m_view.size());
    else if (button == Qt::RightButton)
        m_view.openContextMenu(ContextArea::Show, point);
    return true;
}

bool ShowPart::key(const QString& key)
{
    if (!m_view.m_session->view().is(ViewKind::Show) || m_view.m_session->dialog() ||
        m_view.m_menus.isOpen() || m_view.m_forms.dropOpen())
        return false;
    // The kit names the Escape key Esc (结束放映).
    const QString action = actions::key(key == u"Escape"_s ? u"Esc"_s : key);
    if (m_view.m_session->accepts(action)) {
        m_view.perform(action);
        return true;
    }
    if (key == u"Escape"_s)
        end();
    else if (key == u"Space"_s || key == u"Return"_s || key == u"Right"_s || key == u"Down"_s ||
             key == u"PageDown"_s || key == u"N"_s)
        m_show->next();
    else if (key == u"Left"_s || key == u"Up"_s || key == u"PageUp"_s || key == u"Backspace"_s ||
             key == u"P"_s)
        m_show->previous();
    else
        return false;
    return true;
}

void ShowPart::paintState(QPainter& p)
{
    const ShowState& state = m_view.m_session->presentation().show;
    if (state.screen == u"黑屏"_s)
        p.fillRect(m_view.rect(), Qt::black);
    else if (state.screen == u"白屏"_s)
        p.fillRect(m_view.rect(), Qt::white);
    if (state.pointer.isEmpty())
        return;
    // The pen stands where the mouse is (the middle of the screen until it moves), in its ink colour.
    const QPoint at = m_view.rect().contains(m_view.m_mouse) && !m_view.m_mouse.isNull()
                          ? m_view.m_mouse
                          : m_view.rect().center();
    const bool highlighter = state.pointer == u"荧光笔"_s;
    QColor ink = state.inkColor.isEmpty() ? QColor(highlighter ? Qt::yellow : Qt::red)
                                          : kit::colourOf(state.inkColor, {});
    const double width = state.pointer == u"圆珠笔"_s ? 3 : state.pointer == u"毡尖笔"_s ? 6 : 12;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(ink);
    if (highlighter)
        p.drawRect(QRectF(at.x() - width / 2, at.y() - width * 1.5, width, width * 3));
    else
        p.drawEllipse(QPointF(at), width / 2 + 1, width / 2 + 1);
    p.restore();
}

void ShowPart::end()
{
    m_show->stop();
    m_view.m_session->leaveShow();
    m_view.rebuild();
    m_view.update();
}

} // namespace pptdrill
