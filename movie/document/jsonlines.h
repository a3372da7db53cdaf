#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

namespace pptdrill {

// One step of a path into a JSON document: a member's key, or an element's index.
struct JsonPathStep
{
    QString key;
    qsizetype index = -1; // an element of an array when >= 0
};
using JsonPath = std::vector<JsonPathStep>;

// "steps[2].accept[0]", "presentation.slides[1].shapes[0].x".
QString jsonPathText(const JsonPath& path);
JsonPath jsonPathFrom(const QString& text);

// Walks a JSON document in order, giving `visit` each item's path and the
// 1-based line it starts on (a member's: the line of its key); the walk goes
// into an object or array only when `visit` says so. A malformed document is
// walked as far as it reads.
void walkJson(const QByteArray& json, const std::function<bool(const JsonPath&, int line)>& visit);

// The line of the item at `path` ("steps[2].set.slide"), or of the nearest
// item around it that the document has (the step, when it has no "set"); 1 for
// the document itself. Of two members with one key, the later one counts, as
// for the reader.
int jsonLine(const QByteArray& json, const QString& path);
// The same for a path whose keys may hold '.' or '[' ("其他效果(M)...").
int jsonLine(const QByteArray& json, const JsonPath& path);

// The 1-based line of a byte offset.
int lineAtOffset(const QByteArray& bytes, qsizetype offset);

} // namespace pptdrill
