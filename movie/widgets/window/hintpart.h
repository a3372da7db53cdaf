#pragma once

#include <QRect>
#include <QStringList>
#include <vector>

class QPainter;

namespace pptdrill {

class KitView;

// The 操作提示 panel: the task's steps in words, the step to do now in red, and a red frame
// round where it starts. The panel stands where it covers neither that frame nor an open
// dialog or menu.
class HintPart
{
public:
    explicit HintPart(KitView& view) : m_view(view) {}

    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    // Where the panel stands now.
    QRect panelRect() const;
    void paint(QPainter& p) const;

private:
    struct Panel
    {
        QRect box;
        QRect target; // the frame round where the next step starts, with a margin; empty for none
        QStringList lines;
        std::vector<bool> done; // each line's step is done (greyed), in whatever order it was done
        int current = 0;
    };
    Panel panel() const;

    KitView& m_view;
    bool m_visible = false;
};

} // namespace pptdrill
