#include "movie/session/textediting.h"

#include <QStringList>
#include <algorithm>
#include <utility>

namespace pptdrill {

TextEditing::TextEditing(QString text)
    : m_text(std::move(text)), m_caret(static_cast<int>(m_text.size())), m_anchor(m_caret)
{
}

QString TextEditing::selectedText() const
{
    return m_text.mid(selectionStart(), selectionEnd() - selectionStart());
}

int TextEditing::clamped(int position) const
{
    return std::clamp(position, 0, static_cast<int>(m_text.size()));
}

int TextEditing::onCharacter(int position, int direction) const
{
    position = clamped(position);
    if (position > 0 && position < m_text.size() && m_text[position].isLowSurrogate() &&
        m_text[position - 1].isHighSurrogate())
        position += direction < 0 ? -1 : 1;
    return position;
}

void TextEditing::insert(const QString& typed)
{
    QString clean = typed;
    clean.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    clean.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const int start = selectionStart();
    m_text.replace(start, selectionEnd() - start, clean);
    m_caret = m_anchor = start + static_cast<int>(clean.size());
}

void TextEditing::erasePrevious()
{
    if (!hasSelection())
        m_anchor = onCharacter(m_caret - 1, -1);
    insert({});
}

void TextEditing::eraseNext()
{
    if (!hasSelection())
        m_anchor = onCharacter(m_caret + 1, 1);
    insert({});
}

void TextEditing::move(Move where, bool extend)
{
    const Place at = placeOf(m_caret);
    const QStringList paragraphs = m_text.split(QLatin1Char('\n'));
    int to = m_caret;
    switch (where) {
    case Move::Left:
        // Without Shift a selection collapses to its start, as in every Windows text box.
        to = hasSelection() && !extend ? selectionStart() : onCharacter(m_caret - 1, -1);
        break;
    case Move::Right:
        to = hasSelection() && !extend ? selectionEnd() : onCharacter(m_caret + 1, 1);
        break;
    case Move::Home:
        to = positionOf({at.paragraph, 0});
        break;
    case Move::End:
        to = positionOf({at.paragraph, static_cast<int>(paragraphs[at.paragraph].size())});
        break;
    case Move::Up:
        to = at.paragraph == 0 ? 0 : positionOf({at.paragraph - 1, 0});
        break;
    case Move::Down:
        to = at.paragraph + 1 >= paragraphs.size() ? static_cast<int>(m_text.size())
                                                   : positionOf({at.paragraph + 1, 0});
        break;
    }
    placeCaret(to, extend);
}

void TextEditing::placeCaret(int position, bool extend)
{
    m_caret = onCharacter(position, 1);
    if (!extend)
        m_anchor = m_caret;
}

void TextEditing::selectAll()
{
    m_anchor = 0;
    m_caret = static_cast<int>(m_text.size());
}

TextEditing::Place TextEditing::placeOf(int position) const
{
    position = clamped(position);
    Place place;
    qsizetype start = 0;
    for (qsizetype i = 0; i < position; ++i) {
        if (m_text[i] == QLatin1Char('\n')) {
            ++place.paragraph;
            start = i + 1;
        }
    }
    place.position = position - static_cast<int>(start);
    return place;
}

int TextEditing::positionOf(const Place& place) const
{
    qsizetype start = 0;
    for (int p = 0; p < place.paragraph; ++p) {
        const qsizetype newline = m_text.indexOf(QLatin1Char('\n'), start);
        if (newline < 0)
            return static_cast<int>(m_text.size());
        start = newline + 1;
    }
    qsizetype end = m_text.indexOf(QLatin1Char('\n'), start);
    if (end < 0)
        end = m_text.size();
    return static_cast<int>(std::clamp<qsizetype>(start + place.position, start, end));
}

} // namespace pptdrill
