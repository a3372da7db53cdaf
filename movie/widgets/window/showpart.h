#pragma once

#include <QPoint>
#include <QString>
#include <Qt>

class QPainter;

namespace pptdrill {

class KitView;
class SlideShow;

// The slide show of the window: it starts when the view turns to the show and ends
// when the view leaves it; a click or key that no step takes moves it on, or ends it
// on Esc; its context menu's black or white screen and pen are drawn over it. It also
// plays a slide's transition or animation scheme once on the slide pane (播放 and 自动预览).
class ShowPart
{
public:
    explicit ShowPart(KitView& view);

    SlideShow& show() { return *m_show; }
    SlideShow& transitionPreview() { return *m_preview; }
    void setPace(double factor);

    // After an action: the show started, moved to the slide 定位至幻灯片 names, or stopped, as
    // the view now is; `lookAt` also plays the transition 播放 asks for.
    void follow(const QString& action);
    void lookAt(const QString& action);
    // 幻灯片切换's effect or an animation scheme chosen with 自动预览 ticked: the transition, or the
    // scheme's effects, played on the slide pane.
    void previewTransition(const QString& action);
    // A click or key in a running show that no step takes; false when the show is not running it.
    bool click(const QPoint& point, Qt::MouseButton button);
    bool key(const QString& key);
    void end();

    // What the show's context menu has set: a black or white screen, the pen where the mouse is.
    void paintState(QPainter& p);
    void paintPreview(QPainter& p);

private:
    // The selected slide's transition played once on the slide pane, with `transition` in place of its own.
    void playTransition(const struct SlideTransition& transition);
    // The selected slide's objects brought on by an animation scheme's effects, one after another.
    void playScheme(const QString& scheme);

    KitView& m_view;
    SlideShow* m_show;
    SlideShow* m_preview;
    int m_shownSlide = 0; // the slide 定位至幻灯片 last took the show to
};

} // namespace pptdrill
