#pragma once

#include "movie/widgets/window/hotarea.h"

#include <QRect>
#include <QString>
#include <vector>

class QPainter;

namespace pptdrill {

class KitView;

// One line of the outline tab: a slide's title (paragraph 0) or a paragraph of its text.
struct OutlineRow
{
    int slide;
    int paragraph;
    int level;
    QString text;
    QRect rect; // where it is drawn now, scrolled
};

// The pane left of the slide in normal view: its 大纲 and 幻灯片 tabs, the slides'
// thumbnails with the selection, and the outline's lines.
class LeftPanePart
{
public:
    explicit LeftPanePart(KitView& view) : m_view(view) {}

    std::vector<OutlineRow> outlineRows() const;
    // The part of the slides and outline tabs that scrolls.
    QRect leftPaneBox() const;
    // The tabs, the thumbnails or the outline's lines, and the masters' thumbnails.
    void addHots(std::vector<Hot>& hots) const;
    void paintLeftPane(QPainter& p);

private:
    // The outline tab's lines, the selected paragraph or slides highlighted.
    void paintOutline(QPainter& p);

    KitView& m_view;
};

} // namespace pptdrill
