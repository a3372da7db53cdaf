// The demonstration: a pointer that performs every step through the window.
#include "movie/widgets/window/demonstration.h"

#include "movie/kit/locators.h"
#include "movie/widgets/window/kitstyle.h"
#include "movie/widgets/window/kitview.h"
#include "movie/widgets/window/panelplacement.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <algorithm>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

using namespace kit;

Demonstration::Demonstration(KitView& view) : m_view(view), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &Demonstration::tick);
}

void Demonstration::start(QPoint pointer)
{
    m_timer->stop();
    m_running = true;
    m_step = -1;
    m_moves.clear();
    m_move = 0;
    m_pointer = m_from = m_to = pointer;
    m_frame = 0;
    m_caption.clear();
    m_paused = m_held = m_tickHeld = m_pauseAtNextStep = false;
    nextMove();
}

void Demonstration::setPaused(bool paused)
{
    if (!m_running || m_paused == paused)
        return;
    m_paused = paused;
    if (paused) {
        m_view.update();
        return;
    }
    if (std::exchange(m_tickHeld, false))
        m_timer->start(0);
    if (std::exchange(m_held, false))
        nextMove();
    m_view.update();
}

void Demonstration::stepOn()
{
    if (!m_running)
        return;
    m_pauseAtNextStep = true;
    setPaused(false);
}

void Demonstration::nextMove()
{
    if (!m_running)
        return;
    if (m_paused) {
        m_held = true;
        return;
    }
    if (m_move >= m_moves.size()) {
        // The step's moves are done; a step the moves did not reach is done directly.
        if (m_step >= 0 && m_view.m_session->stepIndex() == m_step) {
            ++m_shortcuts;
            m_view.perform(m_view.m_session->nextAction());
        }
        // Done, or stuck at a step that cannot be done at all (its action names
        // nothing the window has): either ends the demonstration.
        if (m_view.m_session->isComplete() || (m_step >= 0 && m_view.m_session->stepIndex() == m_step)) {
            m_running = false;
            m_caption.clear();
            m_view.update();
            return;
        }
        m_step = m_view.m_session->stepIndex();
        m_caption = m_view.m_session->currentStep()->caption;
        m_moves = MovePlanner(m_view).plan(m_view.m_session->nextAction());
        m_move = 0;
        if (std::exchange(m_pauseAtNextStep, false)) {
            // One step on: the next step's caption shows, its moves wait.
            m_paused = true;
            m_held = true;
            m_view.update();
            return;
        }
        if (m_moves.empty()) {
            // No move reaches the step: it is done directly.
            QTimer::singleShot(0, this, &Demonstration::nextMove);
            return;
        }
    }
    const PointerMove& move = m_moves[m_move];
    m_view.revealItem(move.locator);
    m_from = m_pointer;
    m_to = m_pointer;
    if (!move.locator.isEmpty()) {
        if (auto r = m_view.locate(move.locator))
            m_to = r->center();
    }
    if (move.kind == PointerMove::DrawFrom || move.kind == PointerMove::DrawTo)
        m_to = m_view.pointOnSlide(move.text);
    m_frame = 0;
    m_timer->start(m_pace <= 0 ? 0 : static_cast<int>(16 * m_pace));
}

void Demonstration::tick()
{
    if (!m_running)
        return;
    if (m_paused) {
        m_tickHeld = true;
        return;
    }
    const int frames = m_pace <= 0 ? 1 : 24;
    ++m_frame;
    const double t = std::min(1.0, static_cast<double>(m_frame) / frames);
    const double ease = t * t * (3 - 2 * t);
    m_pointer = m_from + (m_to - m_from) * ease;
    if (m_view.m_typingInput->isDrawing())
        m_view.m_typingInput->showDrawingTo(m_pointer);
    m_view.update();
    if (t < 1.0) {
        m_timer->start(static_cast<int>(16 * m_pace));
        return;
    }
    arrive();
}

void Demonstration::arrive()
{
    const PointerMove move = m_moves[m_move];
    const auto r = move.locator.isEmpty() ? std::nullopt : m_view.locate(move.locator);
    m_view.doMove(move, r);
    ++m_move;
    QTimer::singleShot(m_pace <= 0 ? 0 : static_cast<int>(450 * m_pace), this, &Demonstration::nextMove);
}

void Demonstration::paint(QPainter& p, int captionBottom) const
{
    if (!m_caption.isEmpty()) {
        const QFontMetrics fm(uiFont(14, true));
        const QString text = u"第 %1 步：%2"_s.arg(m_step + 1).arg(m_caption);
        const int w = std::min(kWidth - 40, fm.horizontalAdvance(text) + 30);
        // Low in the window, else at its top, else beside the target: never over it or the pointer.
        std::vector<QRect> keepClear{QRect(m_pointer, QSize(14, 22))};
        if (const QString loc = m_view.nextTargetLocator(); !loc.isEmpty()) {
            if (const auto r = m_view.locate(loc))
                keepClear.push_back(r->adjusted(-6, -6, 6, 6));
        }
        const QRect box = placeClear(
            QSize(w, 34), {QPoint((kWidth - w) / 2, captionBottom - 34), QPoint((kWidth - w) / 2, 60)},
            keepClear, QRect(0, 0, kWidth, kHeight));
        QPainterPath path;
        path.addRoundedRect(QRectF(box), 8, 8);
        p.fillPath(path, QColor(0x1F, 0x3F, 0x7F, 220));
        p.setPen(Qt::white);
        p.setFont(uiFont(14, true));
        p.drawText(box, Qt::AlignCenter, fm.elidedText(text, Qt::ElideRight, w - 20));
    }
    paintPointer(p, m_pointer);
}

void paintPointer(QPainter& p, const QPoint& at)
{
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(at);
    arrow.lineTo(at + QPoint(0, 17));
    arrow.lineTo(at + QPoint(4, 13));
    arrow.lineTo(at + QPoint(8, 20));
    arrow.lineTo(at + QPoint(10, 19));
    arrow.lineTo(at + QPoint(6, 12));
    arrow.lineTo(at + QPoint(12, 12));
    arrow.closeSubpath();
    p.fillPath(arrow, Qt::white);
    p.setPen(QPen(Qt::black, 1));
    p.drawPath(arrow);
    p.setRenderHint(QPainter::Antialiasing, false);
}

} // namespace pptdrill

#include "moc_demonstration.cpp"
