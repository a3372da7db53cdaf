#pragma once

#include "movie/widgets/window/moveplanner.h"

#include <QObject>
#include <QPoint>
#include <QString>
#include <vector>

class QPainter;
class QTimer;

namespace pptdrill {

class KitView;

// The demonstration of a question: the window back at the start, then a pointer
// that travels to each element and performs every step through the window, with
// the step's caption. It can be held, let go, and moved on one step at a time.
class Demonstration : public QObject
{
    Q_OBJECT

public:
    explicit Demonstration(KitView& view);

    void start(QPoint pointer);
    bool isRunning() const { return m_running; }
    bool isPaused() const { return m_running && m_paused; }
    void setPaused(bool paused);
    // Performs the rest of the current step and holds before the next.
    void stepOn();
    // How long each move takes, as a factor of the normal pace (0: at once).
    void setPace(double factor) { m_pace = factor; }
    QString caption() const { return m_running ? m_caption : QString(); }
    // Where the pointer is while the demonstration runs.
    QPoint pointer() const { return m_pointer; }
    // Steps done without the window's elements (0 when every element needed was on view).
    int shortcuts() const { return m_shortcuts; }

    // The caption above the drawing toolbar, at `captionBottom`, and the pointer.
    void paint(QPainter& p, int captionBottom) const;

private:
    void nextMove();
    void tick();
    void arrive();

    KitView& m_view;
    QTimer* m_timer;
    double m_pace = 1.0;
    int m_shortcuts = 0;

    bool m_running = false;
    int m_step = 0;
    std::vector<PointerMove> m_moves;
    size_t m_move = 0;
    QPoint m_pointer{400, 300};
    QPoint m_from{400, 300};
    QPoint m_to{400, 300};
    int m_frame = 0;
    QString m_caption;
    bool m_paused = false;
    bool m_held = false;            // the next move waits for the pause to end
    bool m_tickHeld = false;        // so does the pointer's travel
    bool m_pauseAtNextStep = false; // one step on: hold once the next step comes
};

// The arrow pointer, its tip at `at`.
void paintPointer(QPainter& p, const QPoint& at);

} // namespace pptdrill
