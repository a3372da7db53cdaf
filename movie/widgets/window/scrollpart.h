#pragma once

#include "movie/kit/locators.h"
#include "movie/widgets/window/hotarea.h"
#include "movie/widgets/window/scrollbar.h"

#include <QPoint>
#include <QString>
#include <optional>
#include <vector>

class QPainter;

namespace pptdrill {

class KitView;

// A scroll bar's thumb taken by the mouse.
struct ScrollDrag
{
    QString key;
    int grab = 0; // where the thumb was taken, from its top
};

// The scrolling areas of the simulated window: the slides tab, the outline tab, the
// task pane and the galleries of dialogs and panes; where each stands, its scroll
// bar's parts, arrows and thumb, and the thumb dragged.
class ScrollPart
{
public:
    explicit ScrollPart(KitView& view) : m_view(view) {}

    // The scroll bar of a scrolling area ("slides", "outline", "pane", "gallery:<form>/<id>");
    // its rect is null when the area has none.
    kit::ScrollBar scrollBar(const QString& key) const;
    void setScroll(const QString& key, int value);
    void addScrollBarHots(std::vector<Hot>& hots, const QString& key, int layer) const;
    void paintScrollBar(QPainter& p, const QString& key);
    // A click on a scroll bar's arrow, track or thumb.
    void clickScrollBar(const LocatorParts& at, const QPoint& point);

    int m_thumbScroll = 0;   // the slides tab, in pixels
    int m_outlineScroll = 0; // the outline tab, in pixels
    int m_paneScroll = 0;    // the task pane's controls, in pixels
    std::optional<ScrollDrag> m_scrollDrag;

private:
    KitView& m_view;
};

} // namespace pptdrill
