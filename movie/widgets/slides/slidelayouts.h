#pragma once

#include <QRectF>
#include <QString>
#include <vector>

namespace pptdrill {

// What a layout placeholder holds.
enum class Region
{
    Text,
    VerticalText,
    Content,
    Table,
    Chart,
    ClipArt,
    Diagram,
    Media,
    Object,
};

struct Placeholder
{
    Region kind = Region::Text;
    QRectF rect;
};

struct LayoutGeometry
{
    enum class Title
    {
        None,
        Top,
        Centre,
        Vertical,
    };
    Title title = Title::Top;
    QRectF titleRect;
    QRectF subtitleRect;
    std::vector<Placeholder> regions;
};

// The placeholders of a layout of the 幻灯片版式 task pane, by its name.
// Names the pane does not have are read the way its names are built, and
// anything unreadable is shown as 标题和文本.
LayoutGeometry layoutGeometry(const QString& layout);
bool holdsText(Region kind);
// The placeholder that takes the slide's body text.
const Placeholder* bodyPlaceholder(const LayoutGeometry& geometry);
// The content icon that stands for what a placeholder holds ("table", "chart" …).
QString iconForObject(Region kind);
// A rectangle in slide points, mapped into `target`.
QRectF toTarget(const QRectF& target, const QRectF& points);
// Where a slide's 720 × 540 points lie in `target`: all of it, or, for a page of
// another shape (页面设置), the largest 4:3 part in its middle.
QRectF slideContentRect(const QRectF& target);

} // namespace pptdrill
