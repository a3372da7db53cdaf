#pragma once

#include "common/result.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace pptdrill {

// The largest movie file the player accepts.
inline constexpr qint64 kMaxMovieBytes = 1 << 20;

struct SlideFont
{
    QString family;
    double size = 0; // points; 0 = the layout's own
    std::optional<bool> bold;
    std::optional<bool> italic;
    std::optional<bool> underline;
    QString color; // #RRGGBB, empty = the design's
    QString align; // left, center, right, justify
};

struct SlideShape
{
    QString type;
    double x = 0, y = 0, w = 0, h = 0; // points on a 720 × 540 slide
    QString text;
    QString fill;
    QString line;
};

struct Slide
{
    QString layout = QStringLiteral("标题和文本");
    QString title;
    QString subtitle;
    QStringList body;
    QString notes;
    QString background;
    bool hidden = false;
    QString transition;
    QString animation;
    SlideFont titleFont;
    SlideFont bodyFont;
    std::vector<SlideShape> shapes;
};

// The views of the window: normal, outline, sorter, notes, show and the three master views.
const QStringList& knownViews();

struct Presentation
{
    QString design = QStringLiteral("默认设计模板");
    QString view = QStringLiteral("normal"); // one of knownViews()
    QString taskpane;                        // empty: no task pane
    int selected = 1;
    std::vector<Slide> slides;
    Slide master; // the slide master, as the master view shows it
};

struct MovieStep
{
    QString hint;
    QString caption; // the demonstration's words for the step
    QStringList accept;
    QJsonObject set;
};

struct Movie
{
    QString file = QStringLiteral("演示文稿1");
    Presentation presentation;
    std::vector<MovieStep> steps;
    QString result;
    bool completion = false; // the completion movie shown after a task is done
    QString completionText;
};

// Reads a movie document; the error says what is wrong and where.
Result<Movie> parseMovie(const QByteArray& bytes);
Result<Movie> loadMovieFile(const QString& path);

// Applies a step's changes (or a slide description) to a presentation.
Status applyPresentationChanges(Presentation& presentation, const QJsonObject& changes);
Status mergeSlide(Slide& slide, const QJsonObject& fields, const QString& where);

} // namespace pptdrill
