#pragma once

#include "movie/document/movie.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// How the movie reader reads a movie's fields: shared by movie.cpp (the
// document, its steps and their changes) and slidefields.cpp (what a slide,
// its objects and the presentation's settings hold). Not for other callers.
namespace pptdrill::reading {

// What is wrong in a movie, and where: the path of the offending item
// ("steps[2].set.slide"), which the reader turns into its line.
struct Fault
{
    QString where;
    QString what;

    QString text() const { return where + u' ' + what; }
};
using Check = std::optional<Fault>;

Check wrongType(const QString& where, const QString& expected);
// Each reads `key` of `o` into `out` when present; a value of another kind is a fault.
Check readString(const QJsonObject& o, const QString& key, QString& out, const QString& where);
Check readNumber(const QJsonObject& o, const QString& key, double& out, const QString& where);
Check readBool(const QJsonObject& o, const QString& key, std::optional<bool>& out, const QString& where);
Check readColor(const QJsonObject& o, const QString& key, QString& out, const QString& where);
Check readInteger(const QJsonValue& v, int& out, const QString& where, const QString& expected);
Check readFont(const QJsonObject& o, const QString& key, SlideFont& font, const QString& where);

// What a slide, its objects and the presentation's settings hold.
Check readShapes(const QJsonObject& o, std::vector<SlideShape>& shapes, const QString& where);
Check readBackgroundFill(const QJsonObject& o, BackgroundFill& fill, const QString& where);
Check readScheme(const QJsonObject& o, ColorScheme& scheme, const QString& where);
Check readTextResults(const QJsonObject& fields, Slide& slide, const QString& where);
Check readPageResults(const QJsonObject& fields, Presentation& p, const QString& where);
// The spelling checker's findings and settings, and the custom shows (reviewfields.cpp).
Check readReviewResults(const QJsonObject& fields, Presentation& p, const QString& where);
Check readComments(const QJsonObject& fields, Slide& slide, const QString& where);
Check readPrintPreview(const QJsonObject& fields, PrintPreview& preview, const QString& where);
Check readTransition(const QJsonObject& o, SlideTransition& t, const QString& where);
Check readEffects(const QJsonObject& o, std::vector<SlideEffect>& effects, const QString& where);
// A text box's font, direction, anchor, wrapping and insets (textboxfields.cpp).
Check readTextBoxFields(const QJsonObject& so, SlideShape& shape, const QString& where);
// How many picture bullets 图片项目符号 offers.
inline constexpr int kPictureBullets = 16;
// A step's changes to a slide's objects: addShape, editShape, alignShapes, groupShapes …
Check readObjectChanges(Slide& slide, const QJsonObject& fields, const QString& where);

// Reads a slide's fields into `slide` (movie.cpp).
Check mergeFields(Slide& slide, const QJsonObject& fields, const QString& where);

} // namespace pptdrill::reading
