#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <initializer_list>

namespace pptdrill::test {

// A movie with the presentation on line 2 and step i on line 4 + i.
inline QByteArray movieOf(const char* presentation, std::initializer_list<const char*> steps)
{
    QByteArray json = "{\"format\": \"pptdrill-movie\", \"version\": 1,\n";
    json += "\"presentation\": " + QByteArray(presentation) + ",\n\"steps\": [\n";
    QByteArrayList lines;
    for (const char* step : steps)
        lines << QByteArray(step);
    return json + lines.join(",\n") + "\n]}\n";
}

} // namespace pptdrill::test
