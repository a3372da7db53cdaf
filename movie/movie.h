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
// The most slides a presentation may have, at the start or after any step.
inline constexpr int kMaxMovieSlides = 200;
// The largest font size (points), as in PowerPoint.
inline constexpr double kMaxFontSize = 4000;
// The farthest a shape's position or size may reach (points): 56 inches, PowerPoint's largest slide.
inline constexpr double kMaxShapeExtent = 4032;

struct SlideFont
{
    QString family;
    double size = 0; // points; 0 = the layout's own
    std::optional<bool> bold;
    std::optional<bool> italic;
    std::optional<bool> underline;
    QString color; // #RRGGBB, empty = the design's
    QString align; // left, center, right, justify

    bool operator==(const SlideFont&) const = default;
};

struct SlideShape
{
    QString type;
    double x = 0, y = 0, w = 0, h = 0; // points on a 720 × 540 slide
    QString text;
    QString fill;
    QString line;

    bool operator==(const SlideShape&) const = default;
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
    bool collapsed = false; // the outline shows its title only
    QString transition;
    QString animation;
    SlideFont titleFont;
    SlideFont bodyFont;
    std::vector<SlideShape> shapes;

    bool operator==(const Slide&) const = default;
};

// The views of the window: normal, outline, sorter, notes, show and the three master views.
const QStringList& knownViews();

struct Presentation
{
    QString design = QStringLiteral("默认设计模板");
    QString view = QStringLiteral("normal"); // one of knownViews()
    QString taskpane;                        // empty: no task pane
    QString file;                            // the document's name, as the title bar shows it
    int selected = 1;
    std::vector<Slide> slides;
    Slide master; // the slide master, as the master view shows it

    bool operator==(const Presentation&) const = default;
};

struct MovieStep
{
    QString hint;
    QString caption; // the demonstration's words for the step
    QStringList accept;
    QJsonObject set;
    // Where the step is in its movie file (1-based lines; 0 when not read from a file).
    int line = 0;
    std::vector<int> acceptLines; // the line of each accepted action
};

// Another whole way of doing a run of a movie's steps (the 格式 toolbar in
// place of 格式 → 字体...): steps of its own that leave the presentation as the
// run leaves it.
struct MovieWay
{
    QString name;
    int from = 0;  // the run's first step (0-based)
    int count = 1; // how many steps the run has
    std::vector<MovieStep> steps;
    int line = 0;
};

struct Movie
{
    QString file = QStringLiteral("演示文稿1");
    Presentation presentation;
    std::vector<MovieStep> steps;
    std::vector<MovieWay> ways; // the other ways of its runs of steps
    QString result;
    // What the learner sees change in the window once the task is done; or,
    // for a task whose result the real program's window does not show either,
    // why not. A movie has one of the two.
    QString shows;
    QString unseen;
    bool completion = false; // the completion movie shown after a task is done
    QString completionText;
    QString source; // the file's name as messages give it ("…/1.movie"), empty when not read
};

// The text paragraphs a slide shows under its title in the outline: the body
// lines (a leading tab per level below the first), or the subtitle of a title slide.
QStringList outlineParagraphs(const Slide& slide);

// Reads a movie document. The error says what is wrong and where, as
// "source:line: …": `source` names the document (its file), the line is the
// offending item's. Every slide and shape that a step's actions or changes
// name must exist when the step comes, along the demonstration's way. A
// movie may say what its result shows or why it shows nothing, not both.
Result<Movie> parseMovie(const QByteArray& bytes, const QString& source = QStringLiteral("movie"));
Result<Movie> loadMovieFile(const QString& path);

// Applies a step's changes (or a slide description) to a presentation: all of
// them, or, when one cannot apply, none. The presentation keeps at least one
// slide and at most kMaxMovieSlides, and its selected slide is one of them.
Status applyPresentationChanges(Presentation& presentation, const QJsonObject& changes);
Status mergeSlide(Slide& slide, const QJsonObject& fields, const QString& where);

} // namespace pptdrill
