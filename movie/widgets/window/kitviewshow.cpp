// The slide show view: starting and ending the show with the view, and the
// clicks and keys that move it on where the task's step does not take them.

#include "movie/widgets/slides/slideshow.h"
#include "movie/widgets/window/kitcolours.h"
#include "movie/widgets/window/kitview.h"

#include <QPainter>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

void KitView::setPace(double factor)
{
    m_demonstration.setPace(factor);
    m_show->setPace(factor);
}

void KitView::followShow(const QString& action)
{
    const Presentation& pres = m_session->presentation();
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

void KitView::lookAtShow(const QString& action)
{
    // A show the step does not ask for starts as the view turns to it (any route to
    // the view does that); 幻灯片切换's 播放 plays the slide's transition on the slide pane.
    if (action == u"taskpane:幻灯片切换/播放"_s && m_session->view().is(ViewKind::Normal)) {
        const Presentation& pres = m_session->presentation();
        Presentation shown = pres;
        Slide slide = pres.slides[static_cast<size_t>(pres.selected - 1)];
        if (slide.transition.isNone())
            return;
        slide.effects.clear();
        slide.animation.clear();
        shown.slides = {slide};
        m_preview->start(shown, 1);
        if (!m_preview->inTransition())
            m_preview->stop();
    }
}

bool KitView::showClick(const QPoint& point, Qt::MouseButton button)
{
    if (!m_session->view().is(ViewKind::Show) || m_session->dialog() || m_menus.isOpen() || m_forms.m_drop)
        return false;
    const Hot* hot = hotAt(point);
    if (hot && !hot->action.isEmpty() && m_session->accepts(hot->action))
        return false;
    if (button == Qt::LeftButton)
        m_show->clickAt(point, size());
    else if (button == Qt::RightButton)
        openContextMenu(ContextArea::Show, point);
    return true;
}

bool KitView::showKey(const QString& key)
{
    if (!m_session->view().is(ViewKind::Show) || m_session->dialog() || m_menus.isOpen() || m_forms.m_drop)
        return false;
    // The kit names the Escape key Esc (结束放映).
    const QString action = actions::key(key == u"Escape"_s ? u"Esc"_s : key);
    if (m_session->accepts(action)) {
        perform(action);
        return true;
    }
    if (key == u"Escape"_s)
        endShow();
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

void KitView::paintShowState(QPainter& p)
{
    const ShowState& state = m_session->presentation().show;
    if (state.screen == u"黑屏"_s)
        p.fillRect(rect(), Qt::black);
    else if (state.screen == u"白屏"_s)
        p.fillRect(rect(), Qt::white);
    if (state.pointer.isEmpty())
        return;
    // The pen stands where the mouse is (the middle of the screen until it moves), in its ink colour.
    const QPoint at = rect().contains(m_mouse) && !m_mouse.isNull() ? m_mouse : rect().center();
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

void KitView::endShow()
{
    m_show->stop();
    m_session->leaveShow();
    rebuild();
    update();
}

} // namespace pptdrill
