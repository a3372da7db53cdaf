#pragma once

#include <QString>

namespace pptdrill {

// A text being typed into: the text, the caret and the other end of the
// selection (the anchor). Paragraphs are separated by '\n'. Positions count
// UTF-16 units, as QString and QTextLayout do.
class TextEditing
{
public:
    enum class Move
    {
        Left,
        Right,
        Home, // the start of the caret's paragraph
        End,  // its end
        Up,   // the start of the paragraph before
        Down, // the start of the paragraph after
    };

    TextEditing() = default;
    explicit TextEditing(QString text);

    const QString& text() const { return m_text; }
    int caret() const { return m_caret; }
    int anchor() const { return m_anchor; }
    bool hasSelection() const { return m_caret != m_anchor; }
    int selectionStart() const { return qMin(m_caret, m_anchor); }
    int selectionEnd() const { return qMax(m_caret, m_anchor); }
    QString selectedText() const;

    // Replaces the selection with `typed` (a key's character, an input method's
    // committed text, "\n" for Enter) and puts the caret after it.
    void insert(const QString& typed);
    // Backspace and Delete: the selection, else the character before or after the caret.
    void erasePrevious();
    void eraseNext();
    // Moves the caret; with `extend` (Shift held) the anchor stays, so the selection grows.
    void move(Move where, bool extend);
    // A click or a drag in the text: the caret to `position`, the anchor with it unless extending.
    void placeCaret(int position, bool extend);
    void selectAll();

    // A paragraph and the position in it: how a layout of paragraphs finds a position.
    struct Place
    {
        int paragraph = 0;
        int position = 0;
    };
    Place placeOf(int position) const;
    int positionOf(const Place& place) const;

private:
    int clamped(int position) const;
    // Keeps the caret off the second half of a surrogate pair.
    int onCharacter(int position, int direction) const;

    QString m_text;
    int m_caret = 0;
    int m_anchor = 0;
};

} // namespace pptdrill
