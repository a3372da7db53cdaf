#pragma once

#include <QRect>
#include <algorithm>

namespace pptdrill::kit {

inline constexpr int kScrollBarW = 16;

// A vertical scroll bar as Windows XP draws it: an arrow button at each end and,
// between them, a thumb as long as the share of the content on view.
struct ScrollBar
{
    QRect rect;      // the whole bar, arrows included
    int content = 0; // the height of everything that scrolls
    int page = 0;    // the height on view
    int value = 0;   // how far it is scrolled, in pixels

    bool needed() const { return content > page && page > 0; }
    int maximum() const { return std::max(0, content - page); }
    QRect upArrow() const { return QRect(rect.left(), rect.top(), rect.width(), rect.width()); }
    QRect downArrow() const
    {
        return QRect(rect.left(), rect.bottom() - rect.width() + 1, rect.width(), rect.width());
    }
    QRect trough() const { return rect.adjusted(0, rect.width(), 0, -rect.width()); }
    QRect thumb() const
    {
        const QRect t = trough();
        if (!needed() || t.height() <= 0)
            return {};
        const int length = std::clamp(t.height() * page / content, std::min(t.height(), 12), t.height());
        const int travel = t.height() - length;
        const int top = maximum() > 0 ? t.top() + travel * value / maximum() : t.top();
        return QRect(t.left(), top, t.width(), length);
    }
    // The value that puts the thumb's top at `thumbTop`.
    int valueForThumbTop(int thumbTop) const
    {
        const QRect t = trough();
        const int travel = t.height() - thumb().height();
        if (travel <= 0)
            return 0;
        return std::clamp((thumbTop - t.top()) * maximum() / travel, 0, maximum());
    }
};

} // namespace pptdrill::kit
