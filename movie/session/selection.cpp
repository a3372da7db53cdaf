#include "movie/session/selection.h"

namespace pptdrill {

SelectionKind Selection::kind(int slide, ViewKind view) const
{
    if (!object(slide, view).isEmpty())
        return SelectionKind::Objects;
    if (m_paragraph > 0 && view == ViewKind::Outline)
        return SelectionKind::Text;
    return m_slides.empty() ? SelectionKind::None : SelectionKind::Slides;
}

QString Selection::object(int slide, ViewKind view) const
{
    return slide == m_objectSlide && view == m_objectView ? m_object : QString();
}

void Selection::selectObject(const QString& object, int slide, ViewKind view)
{
    m_object = object;
    m_also.clear();
    m_objectSlide = slide;
    m_objectView = view;
}

void Selection::addShape(int shape)
{
    if (!m_also.contains(shape))
        m_also << shape;
}

void Selection::clear()
{
    *this = Selection();
}

} // namespace pptdrill
