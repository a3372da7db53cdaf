#pragma once

#include "movie/session/windowview.h"

#include <QList>
#include <QString>
#include <set>

namespace pptdrill {

// What a selection holds, most particular first: objects on the slide, a
// paragraph of the outline's text, several slides, or only the current slide.
enum class SelectionKind
{
    None,
    Slides,
    Objects,
    Text,
};

// What the learner has selected, whichever button or key did it: the object on
// the slide shown (a placeholder "title" or a shape "shape:2") and the shapes
// added to it with Shift or Ctrl, the slides selected with the current one, and
// the paragraph of the outline clicked. The current slide itself is the
// presentation's. An object stays selected while its slide and view are shown.
class Selection
{
public:
    SelectionKind kind(int slide, ViewKind view) const;

    // The object, while slide `slide` is shown in `view`; empty otherwise.
    QString object(int slide, ViewKind view) const;
    const QList<int>& alsoSelected() const { return m_also; }
    void selectObject(const QString& object, int slide, ViewKind view);
    void addShape(int shape);

    bool slideSelectedWith(int slide) const { return m_slides.count(slide) > 0; }
    void addSlide(int slide) { m_slides.insert(slide); }
    // False when the slide was not among them.
    bool removeSlide(int slide) { return m_slides.erase(slide) > 0; }
    void clearSlides() { m_slides.clear(); }

    // The paragraph of the outline clicked (1-based); 0 for none.
    int paragraph() const { return m_paragraph; }
    void setParagraph(int paragraph) { m_paragraph = paragraph; }

    void clear();

private:
    QString m_object;
    int m_objectSlide = 0;
    ViewKind m_objectView = ViewKind::Normal;
    QList<int> m_also;
    std::set<int> m_slides;
    int m_paragraph = 0;
};

} // namespace pptdrill
