#include "movie/widgets/window/typinginput.h"

#include "movie/document/tablecells.h"
#include "movie/kit/locators.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/slides/slidepainter.h"
#include "movie/widgets/slides/slidepaintsupport.h"
#include "movie/widgets/window/plaintextlayout.h"

#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

// PowerPoint's slide is 720 × 540 points.
constexpr double kSlideWidthPoints = 720;
constexpr double kSlideHeightPoints = 540;

bool typesCharacter(const QKeyEvent& event)
{
    const QString text = event.text();
    return !text.isEmpty() && text.front().isPrint() &&
           !(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

} // namespace

void TypingInput::moveToNextCell(const TableCellName& cell, int by)
{
    MovieSession& session = *m_session;
    const Slide& slide = session.selectedSlide();
    if (cell.shape > static_cast<int>(slide.shapes.size()))
        return;
    const TableGrid grid = tableGridOf(slide.shapes[static_cast<size_t>(cell.shape - 1)].text);
    const int at = (cell.row - 1) * grid.columns + cell.column - 1 + by;
    if (at < 0 || at >= grid.rows * grid.columns)
        return;
    if (session.startTyping(tableCellName(cell.shape, at / grid.columns + 1, at % grid.columns + 1)))
        session.editTyping([](TextEditing& text) { text.selectAll(); });
}

void TypingInput::reset()
{
    m_drawFrom.reset();
    m_selecting = false;
    m_preedit.clear();
}

bool TypingInput::takesInputMethod() const
{
    const QString kind = m_session->selectionKind();
    return m_session->typing().has_value() ||
           (!m_session->dialog() && (kind == u"autoshape"_s || kind == u"textbox"_s));
}

bool TypingInput::key(const QKeyEvent& event)
{
    MovieSession& session = *m_session;
    if (session.dialog())
        return false;
    if (!session.typing()) {
        // A character typed on an AutoShape or text box selected goes into it, as in PowerPoint.
        if (!typesCharacter(event) || !takesInputMethod() || !session.startTyping(session.selectedObject()))
            return false;
    }
    const bool shift = event.modifiers() & Qt::ShiftModifier;
    const auto moveCaret = [&](TextEditing::Move where) {
        session.editTyping([&](TextEditing& text) { text.move(where, shift); });
    };
    switch (event.key()) {
    case Qt::Key_Escape:
        session.stopTyping();
        return true;
    case Qt::Key_Backspace:
        session.editTyping([](TextEditing& text) { text.erasePrevious(); });
        return true;
    case Qt::Key_Delete:
        session.editTyping([](TextEditing& text) { text.eraseNext(); });
        return true;
    case Qt::Key_Left:
        moveCaret(TextEditing::Move::Left);
        return true;
    case Qt::Key_Right:
        moveCaret(TextEditing::Move::Right);
        return true;
    case Qt::Key_Home:
        moveCaret(TextEditing::Move::Home);
        return true;
    case Qt::Key_End:
        moveCaret(TextEditing::Move::End);
        return true;
    case Qt::Key_Up:
        moveCaret(TextEditing::Move::Up);
        return true;
    case Qt::Key_Down:
        moveCaret(TextEditing::Move::Down);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A table's cell keeps to one line here.
        if (!tableCellNamed(session.typingObject()))
            session.editTyping([](TextEditing& text) { text.insert(u"\n"_s); });
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // Tab goes on to the next cell of a table, Shift+Tab back, row by row.
        if (const std::optional<TableCellName> cell = tableCellNamed(session.typingObject())) {
            moveToNextCell(*cell, event.key() == Qt::Key_Tab ? 1 : -1);
            return true;
        }
        break;
    case Qt::Key_A:
        if (event.modifiers() == Qt::ControlModifier) {
            session.editTyping([](TextEditing& text) { text.selectAll(); });
            return true;
        }
        break;
    default:
        break;
    }
    if (!typesCharacter(event))
        return false;
    const QString typed = event.text();
    session.editTyping([&typed](TextEditing& text) { text.insert(typed); });
    return true;
}

bool TypingInput::inputMethod(const QInputMethodEvent& event)
{
    MovieSession& session = *m_session;
    if (!session.typing() && (event.commitString().isEmpty() || !takesInputMethod() ||
                              !session.startTyping(session.selectedObject())))
        return false;
    m_preedit = event.preeditString();
    if (const QString committed = event.commitString(); !committed.isEmpty())
        session.editTyping([&committed](TextEditing& text) { text.insert(committed); });
    return true;
}

QRectF TypingInput::onSlide(const QRectF& pixels, const Geometry& where)
{
    const double sx = kSlideWidthPoints / where.slide.width();
    const double sy = kSlideHeightPoints / where.slide.height();
    return {(pixels.left() - where.slide.left()) * sx, (pixels.top() - where.slide.top()) * sy,
            pixels.width() * sx, pixels.height() * sy};
}

std::optional<int> TypingInput::positionAt(const QPoint& at, const Geometry& where) const
{
    const auto& typing = m_session->typing();
    if (!typing)
        return std::nullopt;
    const QString object = m_session->typingObject();
    if (object == u"notes"_s) {
        if (!where.notesText.adjusted(-10, -6, 10, 6).contains(at))
            return std::nullopt;
        return PlainTextLayout(typing->text(), where.notesFont, where.notesText).positionAt(at);
    }
    const Presentation& pres = m_session->presentation();
    const QRectF box = typedObjectRect(where.slide, pres, pres.selected, object);
    if (!box.adjusted(-4, -4, 4, 4).contains(at))
        return std::nullopt;
    return typingPositionAt(where.slide, pres, pres.selected, object, *typing, at);
}

QRect TypingInput::caretRect(const Geometry& where) const
{
    const auto& typing = m_session->typing();
    if (!typing)
        return {};
    const QString object = m_session->typingObject();
    QLineF caret;
    if (object == u"notes"_s) {
        caret = PlainTextLayout(typing->text(), where.notesFont, where.notesText).caretLine(typing->caret());
    } else {
        const Presentation& pres = m_session->presentation();
        const auto spots = typingSpots(where.slide, pres, pres.selected, object, *typing);
        if (!spots)
            return {};
        caret = spots->caret;
    }
    return QRectF(caret.p1(), caret.p2()).normalized().adjusted(-1, 0, 1, 0).toAlignedRect();
}

bool TypingInput::press(const QPoint& at, Qt::KeyboardModifiers modifiers, const Geometry& where)
{
    MovieSession& session = *m_session;
    if (session.dialog())
        return false;
    if (session.drawingToolChosen() && where.slide.contains(at)) {
        m_drawFrom = at;
        m_drawTo = at;
        return true;
    }
    const std::optional<int> position = positionAt(at, where);
    if (!position) {
        // A click elsewhere in the document takes the caret out of the text; the menus and
        // toolbars act on the text with the caret still in it.
        if (where.document.contains(at)) {
            session.stopTyping();
            m_preedit.clear();
        }
        return false;
    }
    const bool extend = modifiers & Qt::ShiftModifier;
    session.editTyping([&](TextEditing& text) { text.placeCaret(*position, extend); });
    m_selecting = true;
    return true;
}

void TypingInput::clickedTable(int shape, const QPoint& at, const Geometry& where)
{
    const Slide& slide = m_session->selectedSlide();
    if (shape < 1 || shape > static_cast<int>(slide.shapes.size()))
        return;
    const QPointF point = onSlide(QRectF(QPointF(at), QSizeF()), where).topLeft();
    if (const auto cell = tableCellAt(slide.shapes[static_cast<size_t>(shape - 1)], point))
        clicked(tableCellName(shape, cell->first, cell->second), at, where);
}

void TypingInput::clicked(const QString& object, const QPoint& at, const Geometry& where)
{
    if (!m_session->startTyping(object))
        return;
    if (const std::optional<int> position = positionAt(at, where))
        m_session->editTyping([&](TextEditing& text) { text.placeCaret(*position, false); });
    m_selecting = true;
}

bool TypingInput::drag(const QPoint& at, const Geometry& where)
{
    if (m_drawFrom) {
        m_drawTo = at;
        return true;
    }
    if (!m_selecting)
        return false;
    if (const std::optional<int> position = positionAt(at, where))
        m_session->editTyping([&](TextEditing& text) { text.placeCaret(*position, true); });
    return true;
}

bool TypingInput::release(const QPoint& at, const Geometry& where)
{
    m_selecting = false;
    if (!m_drawFrom)
        return false;
    const QPoint from = *std::exchange(m_drawFrom, std::nullopt);
    QRectF drawn = onSlide(QRectF(QPointF(from), QPointF(at)).normalized(), where);
    const bool click = (at - from).manhattanLength() < 4;
    if (click) {
        // A click gives the tool's own size: a one-line text box that widens as it is
        // typed into, or an inch-wide shape.
        const bool textBox = shapeToDraw(m_session->currentStep()) == u"textbox"_s;
        drawn.setSize(textBox ? QSizeF(24, 28) : QSizeF(72, 72));
    }
    // A shape made by a click near the slide's edge stays whole on the slide.
    if (click)
        drawn.moveTo(std::clamp(drawn.x(), 0.0, kSlideWidthPoints - drawn.width()),
                     std::clamp(drawn.y(), 0.0, kSlideHeightPoints - drawn.height()));
    drawn = drawn.intersected(QRectF(0, 0, kSlideWidthPoints, kSlideHeightPoints));
    m_session->draw(drawn, click);
    return true;
}

void TypingInput::typeAsDemonstration(const QString& object, const QString& text)
{
    MovieSession& session = *m_session;
    if (session.typingObject() != object && !session.startTyping(object))
        return;
    const QString now = session.typing()->text();
    qsizetype prefix = 0;
    while (prefix < now.size() && prefix < text.size() && now[prefix] == text[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < now.size() - prefix && suffix < text.size() - prefix &&
           now[now.size() - 1 - suffix] == text[text.size() - 1 - suffix])
        ++suffix;
    const QString typed = text.mid(prefix, text.size() - prefix - suffix);
    session.editTyping([&](TextEditing& editing) {
        editing.placeCaret(static_cast<int>(prefix), false);
        editing.placeCaret(static_cast<int>(now.size() - suffix), true);
        editing.insert(typed);
    });
}

void TypingInput::paint(QPainter& p, const Geometry& where) const
{
    p.save();
    if (m_drawFrom) {
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(*m_drawFrom, m_drawTo).normalized());
    }
    const auto& typing = m_session->typing();
    if (typing) {
        const QString object = m_session->typingObject();
        if (object == u"notes"_s) {
            PlainTextLayout(typing->text(), where.notesFont, where.notesText).paintTyping(p, *typing);
        } else {
            const Presentation& pres = m_session->presentation();
            const auto spots = typingSpots(where.slide, pres, pres.selected, object, *typing);
            if (spots) {
                p.setClipRect(where.slide);
                for (const QRectF& r : spots->selection)
                    p.fillRect(r, QColor(0, 0, 0, 110));
                p.setPen(QPen(Qt::black, 1.2));
                p.drawLine(spots->caret);
            }
        }
        if (!m_preedit.isEmpty()) {
            // Text the input method is still composing stands underlined at the caret.
            const QRect caret = caretRect(where);
            QFont font = where.notesFont;
            font.setUnderline(true);
            const QFontMetrics metrics(font);
            const QRect box(caret.left(), caret.top(), metrics.horizontalAdvance(m_preedit) + 2,
                            std::max(caret.height(), metrics.height()));
            p.setClipping(false);
            p.fillRect(box, Qt::white);
            p.setFont(font);
            p.setPen(Qt::black);
            p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, m_preedit);
        }
    }
    p.restore();
}

} // namespace pptdrill
