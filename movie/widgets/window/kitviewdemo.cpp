// The hint clip and the demonstration: the steps planned as moves through the window.
#include "movie/kit/kitcatalog.h"
#include "movie/kit/locators.h"
#include "movie/widgets/slides/slidepainter.h"
#include "movie/widgets/window/kitstyle.h"
#include "movie/widgets/window/kitview.h"
#include "platform/widgets/firstpaint.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

using namespace kit;

// ---------------------------------------------------------------------------
// Hint and demonstration

QString KitView::nextTargetLocator() const
{
    const std::vector<PointerMove> moves = MovePlanner(*this).plan(m_session->nextAction());
    for (auto it = moves.rbegin(); it != moves.rend(); ++it) {
        if (!it->locator.isEmpty() && locate(it->locator))
            return it->locator;
    }
    return {};
}

SlideAreaPart::MasterPage SlideAreaPart::masterPage() const
{
    const QRect area = m_view.slideAreaRect();
    const int h = area.height() - 30;
    const int w = h * 3 / 4;
    MasterPage m;
    m.page = QRect(area.center().x() - w / 2, area.top() + 15, w, h);
    if (m_view.m_session->view().is(ViewKind::NotesMaster)) {
        m.slide = QRect(m.page.left() + m.page.width() / 8, m.page.top() + 20, m.page.width() * 3 / 4,
                        m.page.width() * 9 / 16);
        m.notes = QRect(m.page.left() + 20, m.slide.bottom() + 20, m.page.width() - 40,
                        m.page.bottom() - m.slide.bottom() - 50);
    } else {
        m.notes = m.page.adjusted(20, 30, -20, -30);
    }
    return m;
}

ContextArea KitView::shapeContextArea(int shape) const
{
    const Presentation& pres = m_session->presentation();
    const Slide& slide = pres.slides[static_cast<size_t>(pres.selected - 1)];
    if (shape < 1 || shape > static_cast<int>(slide.shapes.size()))
        return ContextArea::Slide;
    const QString type = slide.shapes[static_cast<size_t>(shape - 1)].type;
    ContextArea area = ContextArea::Shape;
    if (type == u"chart"_s)
        area = ContextArea::Chart;
    else if (type == u"picture"_s || type == u"clipart"_s)
        area = ContextArea::Picture;
    else if (const std::optional<ContextArea> own = contextAreaNamed(type);
             own && (type == u"orgchart"_s || type == u"wordart"_s || type == u"textbox"_s ||
                     type == u"table"_s || type == u"sound"_s || type == u"movie"_s))
        area = *own;
    return m_session->kit().contextMenu(contextAreaName(area)) ? area : ContextArea::Slide;
}

void KitView::setHintVisible(bool visible)
{
    m_hint.setVisible(visible);
    update();
}

void KitView::doMove(const PointerMove& move, const std::optional<QRect>& at)
{
    switch (move.kind) {
    case PointerMove::Click:
    case PointerMove::Hover:
        if (at)
            clickAt(at->center());
        break;
    case PointerMove::ShiftClick:
        if (at)
            clickAt(at->center(), Qt::LeftButton, false, Qt::ShiftModifier);
        break;
    case PointerMove::CtrlClick:
        if (at)
            clickAt(at->center(), Qt::LeftButton, false, Qt::ControlModifier);
        break;
    case PointerMove::Drag:
        // The slides are taken where the pointer is and dropped in the gap the move names.
        if (const std::optional<QPoint> to = m_slideArea.slideDropPoint(move.text.toInt()); at && to) {
            m_mouse = *to;
            if (const int after = m_slideArea.slideGapAt(*to); after >= 0)
                perform(actions::dragThumb(parseLocator(move.locator).slide, after));
        }
        break;
    case PointerMove::DoubleClick:
        if (at)
            clickAt(at->center(), Qt::LeftButton, true);
        break;
    case PointerMove::RightClick:
        if (at)
            clickAt(at->center(), Qt::RightButton);
        break;
    case PointerMove::Key:
        pressShortcut(move.text);
        break;
    case PointerMove::Type:
        typeText(move.text);
        break;
    case PointerMove::DrawFrom:
        m_typingInput->beginDrawingAt(pointOnSlide(move.text));
        break;
    case PointerMove::DrawTo: {
        const bool wasComplete = m_session->isComplete();
        m_typingInput->release(pointOnSlide(move.text), typingGeometry());
        sessionChanged(wasComplete);
        break;
    }
    case PointerMove::TypeInto: {
        const bool wasComplete = m_session->isComplete();
        const LocatorParts at = parseLocator(move.locator);
        m_typingInput->typeAsDemonstration(
            at.kind == LocatorParts::Shape ? targets::shape(at.shape) : at.name, move.text);
        sessionChanged(wasComplete);
        break;
    }
    }
}

QPoint KitView::pointOnSlide(const QString& points) const
{
    const QStringList xy = points.split(u',');
    const QRectF slide = slideRectInArea();
    return QPointF(slide.left() + xy.value(0).toDouble() * slide.width() / 720,
                   slide.top() + xy.value(1).toDouble() * slide.height() / 540)
        .toPoint();
}

bool KitView::performThroughUi(const QString& action)
{
    const int before = m_session->steps().actionsTaken();
    for (const PointerMove& move : MovePlanner(*this).plan(action)) {
        std::optional<QRect> r;
        if (!move.locator.isEmpty()) {
            revealItem(move.locator);
            r = locate(move.locator);
            if (!r)
                return false;
        }
        doMove(move, r);
    }
    return m_session->steps().actionsTaken() > before;
}

void KitView::setCompletionText(const QString& text)
{
    m_completionText = text;
    m_completionFolded = false;
    update();
}

} // namespace pptdrill
