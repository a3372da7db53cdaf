#pragma once

#include <QString>

namespace pptdrill {

// The text without leading and trailing spaces; other white space stays.
inline QString trimSpaces(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.mid(begin, end - begin);
}

} // namespace pptdrill
