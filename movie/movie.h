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
    QString color; // #RRGGBB or a scheme colour's name ("accent"), empty = the design's
    QString align; // left, center, right, justify

    bool operator==(const SlideFont&) const = default;
};

// A chart's datasheet: its categories and, per series, one value a category.
struct ChartSeries
{
    QString name;
    std::vector<double> values;

    bool operator==(const ChartSeries&) const = default;
};

struct ChartData
{
    QStringList categories;
    std::vector<ChartSeries> series;

    bool operator==(const ChartData&) const = default;
};

struct SlideShape
{
    QString type;
    double x = 0, y = 0, w = 0, h = 0; // points on a 720 × 540 slide
    QString text;
    QString fill;
    QString line;

    // Objects: turned clockwise (degrees), and the group it belongs to (0: none).
    double rotation = 0;
    int group = 0;
    // A chart: its sub-type as 图表类型 names it ("簇状柱形图"; empty: the
    // inserted sample, a 三维簇状柱形图) and its datasheet (empty: the sample's).
    QString chart{};
    ChartData data{};
    // An organisation chart: its layout (标准, 两边悬挂, 左悬挂, 右悬挂) and the
    // shapes added to its top shape; `text` names the top shape, then its subordinates.
    QString orgLayout{};
    int subordinates = 3;
    int assistants = 0;
    int coworkers = 0;
    // A table: its border width (points; 0: the default thin line).
    double borderWidth = 0;

    bool operator==(const SlideShape&) const = default;
};

// A background drawn by 填充效果: a gradient, a texture, a pattern or a picture.
struct BackgroundFill
{
    QString type;       // gradient, texture, pattern, picture; empty: none
    QStringList colors; // a gradient's one or two colours (#RRGGBB)
    QString preset;     // a preset gradient (雨后初晴, 红日西斜 …)
    QString style;   // a gradient's 底纹样式: 水平, 垂直, 斜上, 斜下, 角部辐射, 中心辐射
    int variant = 1; // which of the style's four 变形 (1–4)
    QString texture; // 羊皮纸, 纸莎草纸, 花岗岩 …
    QString pattern; // 大网格, 浅色下对角线 …
    QString foreground; // a pattern's colours
    QString background;

    bool operator==(const BackgroundFill&) const = default;
};

// The eight colours of a colour scheme; an empty one is the design's.
struct ColorScheme
{
    QString background, text, shadow, title, fill, accent, hyperlink, followed;

    bool isEmpty() const { return *this == ColorScheme{}; }
    bool operator==(const ColorScheme&) const = default;
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

    // The background's fill effect, the colour scheme and the master's graphics.
    BackgroundFill fill;
    ColorScheme scheme;
    bool ignoreMasterGraphics = false;

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
    // The title master (插入新标题母版): title slides follow it instead of the slide master.
    std::optional<Slide> titleMaster;

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
    bool completion = false; // the completion movie shown after a task is done
    QString completionText;
    QString source; // the file's name as messages give it ("…/1.movie"), empty when not read
};

// The text paragraphs a slide shows under its title in the outline: the body
// lines (a leading tab per level below the first), or the subtitle of a title slide.
QStringList outlineParagraphs(const Slide& slide);

// A slide as the window shows it: the fonts, background and colour scheme it
// does not set come from its master, and the master's own objects (unless it
// ignores the master's graphics) lie under its own.
Slide slideAsShown(const Presentation& presentation, const Slide& slide);
// The colours of a scheme by the names a font's colour may give them.
const QStringList& schemeColorNames();
// The names a movie may give a background's fill effect.
const QStringList& knownTextures();
const QStringList& knownPatterns();
const QStringList& knownGradientPresets();
const QStringList& knownGradientStyles();

// Reads a movie document. The error says what is wrong and where, as
// "source:line: …": `source` names the document (its file), the line is the
// offending item's. Every slide and shape that a step's actions or changes
// name must exist when the step comes, along the demonstration's way.
Result<Movie> parseMovie(const QByteArray& bytes, const QString& source = QStringLiteral("movie"));
Result<Movie> loadMovieFile(const QString& path);

// Applies a step's changes (or a slide description) to a presentation: all of
// them, or, when one cannot apply, none. The presentation keeps at least one
// slide and at most kMaxMovieSlides, and its selected slide is one of them.
Status applyPresentationChanges(Presentation& presentation, const QJsonObject& changes);
Status mergeSlide(Slide& slide, const QJsonObject& fields, const QString& where);

} // namespace pptdrill
