// Selecting objects on the slide by the keyboard, whatever the task asks.
#include "movie/locators.h"
#include "movie/moviesession.h"

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

QStringList MovieSession::objectsOnSlide() const
{
    const Slide& slide = selectedSlide();
    QStringList objects;
    // The placeholders the layout shows, in PowerPoint's order, then the objects as they were added.
    static const QStringList withoutTitle{u"空白"_s};
    if (!withoutTitle.contains(slide.layout))
        objects << u"title"_s;
    if (slide.layout == u"标题幻灯片"_s)
        objects << u"subtitle"_s;
    else if (!slide.body.isEmpty() || slide.layout.contains(u"文本"_s))
        objects << u"body"_s;
    for (size_t i = 0; i < slide.shapes.size(); ++i)
        objects << targets::shape(static_cast<int>(i) + 1);
    return objects;
}

bool MovieSession::selectNextObject(int by)
{
    if (!m_presentation.view.is(ViewKind::Normal) || m_dialog || m_typing)
        return false;
    const QStringList objects = objectsOnSlide();
    if (objects.isEmpty())
        return false;
    const auto at = static_cast<int>(objects.indexOf(selectedObject()));
    const auto count = static_cast<int>(objects.size());
    const int next = at < 0 ? (by > 0 ? 0 : count - 1) : ((at + by) % count + count) % count;
    select(objects[next]);
    if (m_listener)
        m_listener();
    return true;
}

bool MovieSession::selectAllObjects()
{
    if (m_dialog || m_typing)
        return false;
    if (m_presentation.view.is(ViewKind::Sorter)) {
        for (int n = 1; n <= static_cast<int>(m_presentation.slides.size()); ++n)
            m_selection.addSlide(n);
    } else if (m_presentation.view.is(ViewKind::Normal)) {
        const auto shapes = static_cast<int>(selectedSlide().shapes.size());
        if (shapes == 0)
            return false;
        select(targets::shape(1));
        for (int n = 2; n <= shapes; ++n)
            selectAlso(n);
    } else {
        return false;
    }
    if (m_listener)
        m_listener();
    return true;
}

} // namespace pptdrill
