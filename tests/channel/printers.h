#pragma once

#include <QString>
#include <QStringList>
#include <ostream>

// Readable texts in GoogleTest's failure messages.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
