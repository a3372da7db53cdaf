// Typing into the objects of the slide and drawing shapes with a tool.
#include "movie/document/tablecells.h"
#include "movie/kit/locators.h"
#include "movie/session/moviesession.h"

#include <QJsonArray>
#include <algorithm>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

QString objectText(const Slide& slide, const QString& object)
{
    if (const std::optional<TableCellName> cell = tableCellNamed(object)) {
        const bool table = cell->shape <= static_cast<int>(slide.shapes.size()) &&
                           slide.shapes[static_cast<size_t>(cell->shape - 1)].type == u"table"_s;
        return table ? cellText(slide.shapes[static_cast<size_t>(cell->shape - 1)].text, cell->row,
                                cell->column)
                     : QString();
    }
    const ActionParts on = parseAction(actions::click(object));
    if (on.shape > 0)
        return on.shape <= static_cast<int>(slide.shapes.size())
                   ? slide.shapes[static_cast<size_t>(on.shape - 1)].text
                   : QString();
    if (object == u"notes"_s)
        return slide.notes;
    if (object == u"title"_s)
        return slide.title;
    if (object == u"subtitle"_s)
        return slide.subtitle;
    if (object == u"body"_s)
        return slide.body.join(u'\n');
    return {};
}

namespace {

// How wide a line of text is in points, near enough: a Chinese character is as wide as the
// text is high, other characters a little over half that.
double textWidth(const QString& text, double size)
{
    double widest = 0;
    for (const QString& line : text.split(u'\n')) {
        double width = 0;
        for (const QChar c : line)
            width += c.unicode() >= 0x2E80 ? size : 0.55 * size;
        widest = std::max(widest, width);
    }
    return widest;
}

} // namespace

void MovieSession::setObjectText(const QString& object, const QString& text)
{
    Slide& slide = m_presentation.slides[static_cast<size_t>(m_presentation.selected - 1)];
    if (const std::optional<TableCellName> cell = tableCellNamed(object)) {
        if (cell->shape <= static_cast<int>(slide.shapes.size())) {
            SlideShape& table = slide.shapes[static_cast<size_t>(cell->shape - 1)];
            table.text = withCellText(table.text, cell->row, cell->column, text);
        }
        return;
    }
    const ActionParts on = parseAction(actions::click(object));
    if (on.shape > 0 && on.shape <= static_cast<int>(slide.shapes.size())) {
        SlideShape& shape = slide.shapes[static_cast<size_t>(on.shape - 1)];
        shape.text = text;
        // A text box made by a click widens as it is typed into.
        if (on.shape == m_widening) {
            const double insets = (shape.insetLeft + shape.insetRight) * 72 / 2.54;
            const double size = shape.font.size > 0 ? shape.font.size : 18;
            if (shape.vertical)
                shape.h = std::max(28.0, textWidth(text, size) + insets);
            else
                shape.w = std::min(720 - shape.x, std::max(24.0, textWidth(text, size) + insets + 2));
        }
    } else if (object == u"notes"_s)
        slide.notes = text;
    else if (object == u"title"_s)
        slide.title = text;
    else if (object == u"subtitle"_s)
        slide.subtitle = text;
    else if (object == u"body"_s)
        slide.body = text.split(u'\n');
}

bool MovieSession::startTyping(const QString& object)
{
    if (m_typing && m_typingObject == object && m_typingSlide == m_presentation.selected)
        return true;
    stopTyping();
    if (modalDialogOpen() || m_presentation.view.is(ViewKind::Show))
        return false;
    // Typing into the slide leaves Graph.
    leaveGraph();
    const ActionParts on = parseAction(actions::click(object));
    const Slide& slide = selectedSlide();
    if (on.shape > static_cast<int>(slide.shapes.size()))
        return false;
    const std::optional<TableCellName> cell = tableCellNamed(object);
    if (cell) {
        // A cell of a table takes typing; its text keeps to the cell.
        if (cell->shape > static_cast<int>(slide.shapes.size()))
            return false;
        const SlideShape& table = slide.shapes[static_cast<size_t>(cell->shape - 1)];
        const TableGrid grid = tableGridOf(table.text);
        if (table.type != u"table"_s || cell->row > grid.rows || cell->column > grid.columns)
            return false;
    } else if (on.shape > 0) {
        // Pictures, charts, tables and the like take no typed text of their own.
        static const QStringList typedInto{u"textbox"_s, u"rect"_s,  u"roundrect"_s, u"ellipse"_s,
                                           u"arrow"_s,   u"star"_s,  u"callout"_s,   u"scroll"_s,
                                           u"button"_s,  u"smiley"_s};
        if (!typedInto.contains(slide.shapes[static_cast<size_t>(on.shape - 1)].type))
            return false;
    } else if (object != u"notes"_s && object != u"title"_s && object != u"subtitle"_s &&
               object != u"body"_s) {
        return false;
    }
    m_typingObject = object;
    m_typingSlide = m_presentation.selected;
    m_typingOriginal = objectText(slide, object);
    m_typing = TextEditing(m_typingOriginal);
    if (cell)
        select(targets::shape(cell->shape));
    else if (object != u"notes"_s)
        select(object);
    if (m_listener)
        m_listener();
    return true;
}

void MovieSession::stopTyping()
{
    if (!m_typing)
        return;
    const QString object = std::exchange(m_typingObject, {});
    m_typing.reset();
    m_widening = 0;
    const int slide = std::exchange(m_typingSlide, 0);
    // Text that no step asked for does not stay: the object reads as it did.
    if (slide == m_presentation.selected && objectText(selectedSlide(), object) != m_typingOriginal)
        setObjectText(object, m_typingOriginal);
    if (m_listener)
        m_listener();
}

void MovieSession::editTyping(const std::function<void(TextEditing&)>& edit)
{
    if (!m_typing || m_typingSlide != m_presentation.selected) {
        stopTyping();
        return;
    }
    edit(*m_typing);
    setObjectText(m_typingObject, m_typing->text());
    const QString action = actions::type(m_typingObject, m_typing->text().trimmed());
    if (!m_typing->text().trimmed().isEmpty() && m_steps.taking(m_movie, action).step >= 0) {
        const TextEditing typed = *m_typing;
        perform(action);
        // The text as it is now is the step's: it stays when the caret leaves.
        setObjectText(m_typingObject, typed.text());
        m_typing = typed;
        m_typingOriginal = typed.text();
    }
    if (m_listener)
        m_listener();
}

namespace {

// The shape a step's changes add to a slide, where they add one.
QJsonObject addedShape(const QJsonObject& changes)
{
    const QJsonValue added = changes.value(u"addShape"_s);
    return added.isArray() ? added.toArray().first().toObject() : added.toObject();
}

} // namespace

QJsonObject drawnChanges(QJsonObject changes, const std::optional<QRectF>& drawnByLearner, const Movie& movie,
                         const Presentation& presentation)
{
    const auto placedAt = [](QJsonObject shape, const QRectF& r) {
        shape[u"x"_s] = qRound(r.x() * 10) / 10.0;
        shape[u"y"_s] = qRound(r.y() * 10) / 10.0;
        shape[u"w"_s] = qRound(r.width() * 10) / 10.0;
        shape[u"h"_s] = qRound(r.height() * 10) / 10.0;
        return shape;
    };
    if (drawnByLearner && changes.value(u"addShape"_s).isObject()) {
        changes[u"addShape"_s] =
            placedAt(changes.value(u"addShape"_s).toObject(), drawnByLearner->normalized());
        return changes;
    }
    // A later step that sets the slide's shapes whole restates a drawn shape where the movie drew it;
    // the shape stays where the learner drew it.
    const int n = changes.value(u"slide"_s).toInt(presentation.selected);
    if (!changes.value(u"shapes"_s).isArray() || n < 1 || n > static_cast<int>(presentation.slides.size()))
        return changes;
    const std::vector<SlideShape>& now = presentation.slides[static_cast<size_t>(n - 1)].shapes;
    QJsonArray shapes = changes.value(u"shapes"_s).toArray();
    for (const MovieStep& step : movie.steps) {
        const QJsonObject drawn = addedShape(step.set);
        if (drawn.isEmpty() || !step.accept.contains(actions::draw()))
            continue;
        for (qsizetype i = 0; i < shapes.size() && i < static_cast<qsizetype>(now.size()); ++i) {
            const QJsonObject shape = shapes[i].toObject();
            const SlideShape& there = now[static_cast<size_t>(i)];
            const bool movieDrew = shape.value(u"type"_s) == drawn.value(u"type"_s) &&
                                   there.type == shape.value(u"type"_s).toString();
            if (!movieDrew)
                continue;
            bool samePlace = true;
            for (const QString& key : {u"x"_s, u"y"_s, u"w"_s, u"h"_s})
                samePlace = samePlace && shape.value(key).toDouble() == drawn.value(key).toDouble();
            if (samePlace)
                shapes[i] = placedAt(shape, QRectF(there.x, there.y, there.w, there.h));
        }
    }
    changes[u"shapes"_s] = shapes;
    return changes;
}

QString shapeToDraw(const MovieStep* step)
{
    return step ? addedShape(step->set).value(u"type"_s).toString() : QString();
}

QRectF shapeDrawnByMovie(const MovieStep* step)
{
    if (!step)
        return {};
    const QJsonObject shape = addedShape(step->set);
    return {shape.value(u"x"_s).toDouble(), shape.value(u"y"_s).toDouble(), shape.value(u"w"_s).toDouble(),
            shape.value(u"h"_s).toDouble()};
}

bool MovieSession::draw(const QRectF& rect, bool byClick)
{
    if (!m_toolChosen)
        return false;
    m_drawn = rect;
    m_drawnByClick = byClick;
    const bool taken = perform(actions::draw());
    m_drawn.reset();
    m_drawnByClick = false;
    return taken;
}

void MovieSession::dropDrawingTool()
{
    if (!m_toolChosen || m_toolMark.empty())
        return;
    const int actionsTaken = m_steps.actionsTaken();
    const auto listener = m_listener;
    MovieSession before = std::move(m_toolMark.back());
    *this = std::move(before);
    m_listener = listener;
    m_steps.keepActionsTaken(actionsTaken);
    if (m_listener)
        m_listener();
}

} // namespace pptdrill
