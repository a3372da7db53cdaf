#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QString>
#include <optional>

class QInputMethodEvent;
class QKeyEvent;
class QPainter;

namespace pptdrill {

class MovieSession;
struct TableCellName;

// Typing into an object of the slide and drawing a shape with the tool chosen: the keys,
// an input method's text, and the left button's press, drag and release on the slide or
// in the notes pane. The session keeps the text and the tool; this keeps what the hand is
// doing (a drag under way, text the input method has not committed yet) and paints it.
class TypingInput
{
public:
    // Where the window shows what is typed into and drawn on.
    struct Geometry
    {
        QRectF slide;    // the slide in the slide pane
        QRect notesText; // the notes pane's text
        QFont notesFont;
        QRect document; // the slides tab, the slide and the notes: a click there takes the caret away
    };

    explicit TypingInput(MovieSession& session) : m_session(&session) {}

    // A key while the caret is in an object: true when it typed, erased or moved the caret.
    // A character typed on an AutoShape or text box selected puts the caret in it first.
    bool key(const QKeyEvent& event);
    // An input method's committed text is typed as keys are; its text being composed shows at the caret.
    bool inputMethod(const QInputMethodEvent& event);
    bool takesInputMethod() const;
    QRect caretRect(const Geometry& at) const;

    // The left button pressed: a tool chosen starts drawing on the slide; in the text typed
    // into, the caret goes to the point (Shift: the selection grows to it). True when taken.
    bool press(const QPoint& at, Qt::KeyboardModifiers modifiers, const Geometry& where);
    // After a click the window has handled: in the notes pane or on a text box, the caret goes there.
    void clicked(const QString& object, const QPoint& at, const Geometry& where);
    // A click on a table (shape `shape` of the slide shown) puts the caret in the cell under it.
    void clickedTable(int shape, const QPoint& at, const Geometry& where);
    bool drag(const QPoint& at, const Geometry& where);
    bool release(const QPoint& at, const Geometry& where);
    bool isDrawing() const { return m_drawFrom.has_value(); }
    // The demonstration's hand: the drag from `from` to the pointer, released at `to`.
    void beginDrawingAt(const QPoint& from) { m_drawFrom = from; }
    void showDrawingTo(const QPoint& to) { m_drawTo = to; }
    // Types `text` into `object` as the demonstration does: the part that differs is
    // selected and typed over.
    void typeAsDemonstration(const QString& object, const QString& text);

    void paint(QPainter& p, const Geometry& where) const;
    void reset();

private:
    // Tab in a table's cell: the caret goes to the next cell (`by` 1) or the one before (-1),
    // its text selected.
    void moveToNextCell(const TableCellName& cell, int by);
    std::optional<int> positionAt(const QPoint& at, const Geometry& where) const;
    // Points on the slide from the window's pixels.
    static QRectF onSlide(const QRectF& pixels, const Geometry& where);

    MovieSession* m_session;
    std::optional<QPoint> m_drawFrom;
    QPoint m_drawTo;
    bool m_selecting = false; // the button is down in the text typed into
    QString m_preedit;
};

} // namespace pptdrill
