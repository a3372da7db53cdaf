#pragma once

#include "movie/document/movie.h"
#include "movie/widgets/window/hotarea.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <optional>
#include <vector>

class QPainter;

namespace pptdrill {

class KitView;

// The slide area of the simulated window as each view shows it: the slide with its
// selection, rulers and scroll bars in normal view, the slides of the sorter and
// where dragged slides land, the notes page, the masters, the print preview, and
// the animation tags of the 自定义动画 pane.
class SlideAreaPart
{
public:
    explicit SlideAreaPart(KitView& view) : m_view(view) {}

    // The printed page of the handout and notes masters.
    struct MasterPage
    {
        QRect page;
        QRect slide;
        QRect notes;
    };
    MasterPage masterPage() const;
    // The master the slide master view shows: the slide master, or the title master as a title slide.
    Slide shownMasterSlide() const;
    // 打印预览: where the page lies on the grey.
    QRect printPreviewPageRect() const;
    // Where slides dragged to `point` land: after slide n (0: before the first); -1 off the slides.
    int slideGapAt(const QPoint& point) const;
    // The point that drops dragged slides after slide `after`.
    std::optional<QPoint> slideDropPoint(int after) const;

    // The sorter's slides, the placeholders and shapes of the slide, the masters' placeholders.
    void addHots(std::vector<Hot>& hots) const;
    void paintSlideArea(QPainter& p);
    void paintSelection(QPainter& p);
    void paintSlideDrop(QPainter& p);
    void paintMasterView(QPainter& p);
    void paintPrintPreview(QPainter& p);
    void paintAnimationTags(QPainter& p);
    void paintNotesText(QPainter& p, const QString& notes, const QString& prompt);

private:
    // The slide shown in normal view or on the notes page: its placeholders, their borders, its
    // shapes, and the notes.
    void addSlideHots(std::vector<Hot>& hots) const;
    void paintSelectionFrame(QPainter& p, const QRect& r, bool placeholder);
    void paintOrgChartSelection(QPainter& p, const struct SlideShape& shape);
    void paintZoomScrollBars(QPainter& p, const QRect& pane, const QRect& slide);
    void paintRulers(QPainter& p, const QRect& pane, const QRect& slide);

    KitView& m_view;
};

} // namespace pptdrill
