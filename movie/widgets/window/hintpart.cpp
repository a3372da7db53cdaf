#include "movie/widgets/window/hintpart.h"

#include "common/widgets/fonts.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/window/kitstyle.h"
#include "movie/widgets/window/kitview.h"
#include "movie/widgets/window/panelplacement.h"

#include <QFontMetrics>
#include <QPainter>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

using namespace kit;

HintPart::Panel HintPart::panel() const
{
    const MovieSession& s = *m_view.m_session;
    Panel out;
    if (const QString loc = m_view.nextTargetLocator(); !loc.isEmpty()) {
        if (auto r = m_view.locate(loc))
            out.target = r->adjusted(-6, -6, 6, 6);
    }
    // The steps in words: the first way, or, once the learner has taken another
    // way of a run of steps, that way's steps in place of the run's.
    out.current = s.steps().focus();
    const MovieWay* way =
        s.steps().way() >= 0 ? &s.movie().ways[static_cast<size_t>(s.steps().way())] : nullptr;
    for (int i = 0; i < s.steps().count(); ++i) {
        if (way && i == way->from) {
            out.current = static_cast<int>(out.lines.size()) + s.steps().wayStep();
            for (size_t j = 0; j < way->steps.size(); ++j) {
                out.lines << u"%1. %2"_s.arg(out.lines.size() + 1).arg(way->steps[j].hint);
                out.done.push_back(s.steps().isDone(StepTaking{s.steps().way(), static_cast<int>(j)}));
            }
            i += way->count - 1;
            continue;
        }
        out.lines << u"%1. %2"_s.arg(out.lines.size() + 1).arg(s.movie().steps[static_cast<size_t>(i)].hint);
        out.done.push_back(s.steps().isDone(StepTaking{-1, i}));
    }
    // Over the lower left of the slide pane, else another corner of it, else beside the target:
    // never over the target, the open dialog or the open menus.
    const QFontMetrics fm(uiFont(12));
    const QRect area = s.view().is(ViewKind::Show) ? m_view.rect() : m_view.slideAreaRect();
    const int w = std::min(340, area.width() - 16);
    int h = 26;
    for (const QString& l : out.lines)
        h += fm.boundingRect(QRect(0, 0, w - 16, 400), Qt::TextWordWrap, l).height() + 3;
    std::vector<QRect> keepClear{out.target};
    if (s.dialog())
        keepClear.push_back(m_view.m_forms.dialogRect());
    for (int level = 0; m_view.m_menus.isOpen() && level <= m_view.m_menus.depth(); ++level)
        keepClear.push_back(m_view.m_menus.layout(level).frame);
    const int lowest = area.bottom() - h - 6;
    out.box = placeClear(QSize(w, h),
                         std::vector<QPoint>{QPoint(area.left() + 8, lowest),
                                             QPoint(area.left() + 8, area.top() + 8),
                                             QPoint(area.right() - w - 8, lowest),
                                             QPoint(area.right() - w - 8, area.top() + 8)},
                         keepClear, m_view.rect().adjusted(2, 2, -2, -2));
    return out;
}

QRect HintPart::panelRect() const
{
    return panel().box;
}

void HintPart::paint(QPainter& p) const
{
    const Panel hint = panel();
    if (!hint.target.isEmpty()) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0xE8, 0x10, 0x10), 2.5));
        p.drawRoundedRect(QRectF(hint.target).adjusted(3, 3, -3, -3), 4, 4);
        p.setRenderHint(QPainter::Antialiasing, false);
    }
    const QRect& box = hint.box;
    const int w = box.width();
    const QFontMetrics fm(uiFont(12));
    p.fillRect(box, QColor(0xFF, 0xFF, 0xE1, 238));
    p.setPen(QColor(0x80, 0x80, 0x40));
    p.drawRect(box.adjusted(0, 0, -1, -1));
    p.setFont(uiFont(12, true));
    p.setPen(QColor(0x80, 0x00, 0x00));
    p.drawText(QRect(box.left() + 8, box.top() + 4, w - 16, 18), Qt::AlignVCenter, u"操作提示"_s);
    int y = box.top() + 24;
    for (int i = 0; i < hint.lines.size(); ++i) {
        const bool now = i == hint.current;
        p.setFont(uiFont(12, now));
        p.setPen(now ? QColor(0xC0, 0x00, 0x00)
                     : (hint.done[static_cast<size_t>(i)] ? kGreyText : Qt::black));
        const QRect lr = fm.boundingRect(QRect(0, 0, w - 16, 400), Qt::TextWordWrap, hint.lines[i]);
        p.drawText(QRect(box.left() + 8, y, w - 16, lr.height()), Qt::TextWordWrap, hint.lines[i]);
        y += lr.height() + 3;
    }
}

} // namespace pptdrill
