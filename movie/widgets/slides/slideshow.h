#pragma once

#include "movie/document/movie.h"
#include "movie/widgets/slides/slidetransition.h"

#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QRect>
#include <map>
#include <vector>

class QPainter;
class QTimer;

namespace pptdrill {

// The effects a slide show plays on a slide: its own, or those its 动画方案
// (or an older movie's one effect) stands for.
std::vector<SlideEffect> playedEffects(const Slide& slide);
// The number of the click that starts each effect, as the tags beside the
// objects show it: 0 for those that start with the slide; triggered effects
// are counted apart, per trigger.
std::vector<int> effectClickNumbers(const std::vector<SlideEffect>& effects);

// A running slide show: each slide comes on with its transition, and its
// custom animations play in order, a click (or Space, Enter…) at a time, with
// those that start with or after the previous one and those a click on their
// trigger object starts. Time comes from a clock that tests can drive by hand.
class SlideShow : public QObject
{
    Q_OBJECT

public:
    explicit SlideShow(QObject* parent = nullptr);

    // Starts at slide `first` (1-based) of `presentation`, the first transition from black.
    void start(const Presentation& presentation, int first);
    void stop();
    bool isRunning() const { return m_running; }

    // The next build or slide (a click, Space, Enter, →, PageDown); `byMouse` is false for keys.
    void next(bool byMouse = false);
    // The slide before (←, PageUp, Backspace), built whole.
    void previous();
    // Slide n (1-based), as 定位至幻灯片 goes there.
    void goTo(int n);
    // A click at a point of a show of `size`: on a trigger object it starts
    // that object's effects, elsewhere it moves on as next() does.
    void clickAt(const QPoint& point, const QSize& size);

    // The slide on screen (1-based); 0 after the last, when the show says it has ended.
    int slide() const { return m_atEnd ? 0 : m_slide + 1; }
    bool inTransition() const { return m_phase == Phase::Transition; }
    // Effects are playing on the slide now.
    bool isBuilding() const { return !m_playing.empty(); }
    // Effects started so far on the slide, in the order they started: indexes into
    // the effects as played, where text animated by paragraphs counts an effect a paragraph.
    const std::vector<int>& startedEffects() const { return m_started; }
    bool objectVisible(const QString& target) const;

    void paint(QPainter& p, const QRect& area);

    // Tests: no clock runs; time moves only by advance().
    void setManualClock(bool manual);
    void advance(int milliseconds);
    // The demonstration's pace: durations are multiplied by it; 0 or less plays at once.
    void setPace(double factor) { m_pace = factor; }

signals:
    void changed();
    // A click after the last slide (or Esc in the view) ends the show.
    void finished();

private:
    enum class Phase
    {
        Transition,
        Slide,
    };
    struct ObjectState
    {
        bool visible = true;
        QPointF offset; // where a motion path left it, in pixels at 800 × 600
    };
    struct Playing
    {
        int effect;
        int begin; // ms from the group's start
        int end;
        bool done = false;
    };

    const Slide& current() const;
    void enterSlide(int index, bool fromBlack);
    void beginGroup(const std::vector<int>& effects);
    void finishGroup();
    // Leaves an effect's object as the effect's end leaves it.
    void finishEffect(Playing& run);
    void tick();
    void step(int milliseconds);
    int scaled(int milliseconds) const;
    // A picture of the current slide with its objects as they stand (nothing moving).
    QImage still(const QSize& size);
    struct Sprite
    {
        QImage picture;
        QRect bounds;
    };
    const Sprite& sprite(const QString& target, const QSize& size);
    QImage background(const QSize& size);
    void paintShown(QPainter& p, const QSize& size, const Slide& slide) const;
    void paintObject(QPainter& p, const QRect& area, const QString& target, double alpha = 1);

    Presentation m_presentation;
    bool m_running = false;
    bool m_atEnd = false;
    Phase m_phase = Phase::Slide;
    int m_slide = 0;
    int m_clock = 0; // ms into the transition, or into the running group
    int m_idle = 0;  // ms since the slide stood still, for 每隔
    QImage m_from;   // the picture the transition leaves
    Reveal m_reveal;
    int m_transitionLength = 0;
    std::vector<SlideEffect> m_effects;
    std::vector<std::vector<int>> m_groups; // the click sequence
    std::map<QString, std::vector<std::vector<int>>> m_triggered;
    size_t m_nextGroup = 0;
    std::vector<Playing> m_playing;
    std::vector<int> m_started;
    std::map<QString, ObjectState> m_objects;
    QStringList m_objectNames; // in the order they are drawn; "body#2" for a paragraph played apart
    std::map<QString, Sprite> m_sprites;
    QSize m_spriteSize;
    QImage m_background;
    QTimer* m_timer = nullptr;
    QElapsedTimer m_elapsed;
    bool m_manual = false;
    double m_pace = 1.0;
};

} // namespace pptdrill
