#pragma once

#include "common/widgets/fonts.h"
#include "movie/document/movie.h"
#include "movie/session/textediting.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QMarginsF>
#include <QPainterPath>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <numbers>
#include <optional>
#include <vector>

class QPainter;

// What the slide painter and the kit's icons share.
namespace pptdrill {

inline constexpr double kPi = std::numbers::pi;
// Slides are laid out in points on a 10 × 7.5 inch page.
inline constexpr double kSlideWidth = 720;
inline constexpr double kSlideHeight = 540;

// Text inside a placeholder keeps this distance from its frame (points).
inline constexpr double kInsetX = 7.2;
inline constexpr double kInsetY = 3.6;
// A line of text is this many times its font size high.
inline constexpr double kLineSpacing = 1.2;

struct Paragraph
{
    QString text;
    int level = 0; // 0 … 4, one per leading tab
};

struct TextStyle
{
    QString family;
    double size = 32; // first-level size in points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QColor color = Qt::black;
    QColor bulletColor = Qt::black;
    Qt::Alignment align = Qt::AlignLeft;
    bool bullets = false;
    bool middle = false; // anchored in the middle of its box rather than at the top
    bool vertical = false;

    // Text boxes: anchored at the bottom, or the lines centred as a block (the …居中 anchors);
    // wrapped or not; their insets from the box's edges in points (absent: a placeholder's).
    bool bottom = false;
    bool centredBlock = false;
    bool wrap = true;
    std::optional<QMarginsF> insets;
    // 分散对齐 (every line, the last too, spread over the whole width), 西文字体 (Latin letters
    // and digits in this family; empty: `family`), 阴影 and 阳文 (raised, lit from the upper left).
    bool distribute = false;
    QString latinFamily;
    bool shadow = false;
    bool emboss = false;
    QString highlight; // text shown selected (white on black), as 查找 leaves what it found
    // 项目符号和编号 and 行距 (the defaults draw the design's bullets, single-spaced).
    QString bulletChar;     // empty: the level's own; "无": none
    int pictureBullet = 0;  // a picture bullet of 图片项目符号 in place of the character (0: none)
    double bulletScale = 1; // of the text's height
    QString numbering;      // a numbering style in place of bullets
    int numberStart = 1;
    SlideSpacing spacing;
    QStringList misspelled; // words underlined with a red wavy line
};

// A font sized in slide points (the painter maps points to pixels).
QFont makeFont(const QString& family, double size, bool bold = false, bool italic = false,
               bool underline = false);

// A Latin font as drawn here: the one named where it is installed, else a serif or
// sans-serif face like it.
QString latinFace(const QString& requested);

// One of 图片项目符号's picture bullets (1 …), in `box`.
void paintPictureBullet(QPainter& p, const QRectF& box, int picture);

// Paragraphs of body lines (a leading tab per level) and of plain text.
std::vector<Paragraph> paragraphsOf(const QStringList& lines);
std::vector<Paragraph> plainParagraphs(const QString& text);
// Lays out and draws text in `box` (slide points), shrinking it to fit; with
// `growTo`, the text may run down to that height before it shrinks.
void paintText(QPainter& p, const QRectF& box, const std::vector<Paragraph>& given, const TextStyle& style,
               double growTo = 0);

// Where paintText puts the caret and a selection of a text being typed (a range of
// paragraph places), in the box's coordinates; none for vertical text.
struct TextSpots
{
    QLineF caret;
    std::vector<QRectF> selection;
};
std::optional<TextSpots> textSpots(const QRectF& box, const std::vector<Paragraph>& paragraphs,
                                   const TextStyle& style, double growTo, TextEditing::Place caret,
                                   TextEditing::Place from, TextEditing::Place to);
// The place of the text nearest a point of the box, as a click in it puts the caret.
std::optional<TextEditing::Place> textPlaceAt(const QRectF& box, const std::vector<Paragraph>& paragraphs,
                                              const TextStyle& style, double growTo, const QPointF& point);

// A placeholder's alignment by its name in a movie ("left", "center", …), else `fallback`.
Qt::Alignment alignmentOf(const QString& align, Qt::Alignment fallback);

// Colour arithmetic.
QColor mixed(const QColor& a, const QColor& b, double t);
QColor withAlpha(QColor color, int alpha);
double luminance(const QColor& color);
QColor colorFrom(const QString& text);
QColor contrastingText(const QColor& fill);

// A star of `points` points around `centre`.
QPainterPath starPath(const QPointF& centre, double outer, double inner, int points, double rotation = 0);

// Pictures that both slides and icons show.
void paintPicture(QPainter& p, const QRectF& r);
void paintSpeaker(QPainter& p, const QRectF& box, const QColor& colour);
void paintFilm(QPainter& p, const QRectF& r);

struct Design;
using Decoration = void (*)(QPainter& p, const Design& design, bool titleSlide);

// A design template: its colour scheme, background and master graphics.
struct Design
{
    enum class Fill
    {
        Solid,
        Vertical,
        Horizontal,
        Diagonal,
        Radial,
        Parchment,
    };
    QColor background = Qt::white;
    QColor background2;
    Fill fill = Fill::Solid;
    QColor title = Qt::black;
    QColor text = Qt::black;
    QColor bullet = Qt::black;
    QColor shapeFill;
    QColor shapeLine;
    QColor accent;
    QColor accent2;
    bool titleBold = false;
    Decoration decorate = nullptr;
};

// The design of a template's name; unknown names get a scheme of their own.
Design designFor(const QString& name);
// Fills a slide's background in the painter's current (slide) coordinates.
void paintBackground(QPainter& p, const Design& design, const QColor& override);
QColor backgroundTone(const Design& design, const QColor& override);

// The scheme's hyperlink colour, or its followed-hyperlink colour once visited.
QColor hyperlinkColour(const Design& design, bool visited);

// Draws one object of a slide in slide coordinates (points).
void paintShape(QPainter& p, const SlideShape& shape, const Design& design);
// A shape's text as paintShape lays it out: its box, paragraphs, style and how far it may grow.
struct ShapeText
{
    QRectF box;
    std::vector<Paragraph> paragraphs;
    TextStyle style;
    double growTo = 0;
};
ShapeText shapeText(const SlideShape& shape, const Design& design);
// The text of a table's cell (1-based row and column) where the table paints it; none outside the table.
std::optional<ShapeText> tableCellText(const SlideShape& table, int row, int column);
// The cell of a table under a point of the slide (in points), as row and column.
std::optional<std::pair<int, int>> tableCellAt(const SlideShape& table, const QPointF& onSlide);

// A background's fill effect over the whole slide, and the colour it looks like on the whole.
void paintBackgroundFill(QPainter& p, const BackgroundFill& fill);
QColor backgroundFillTone(const BackgroundFill& fill);
// A design with a colour scheme's colours in place of its own.
Design withScheme(Design design, const ColorScheme& scheme);
// Charts and organisation charts, in slide coordinates.
void paintChart(QPainter& p, const QRectF& r, const SlideShape& shape, const Design& design);
void paintOrgChart(QPainter& p, const QRectF& r, const SlideShape& shape, const QColor& fill,
                   const QColor& line);
void paintDiagram(QPainter& p, const QRectF& r, const SlideShape& shape, const Design& design);

// Draws the icon of `key` on its 16 × 16 grid, scaled into `rect`.
void paintIconIn(QPainter& p, const QRectF& rect, const QString& key);
// Every icon's key (those a start paints first, then the others by name), and
// the icons of `keys` painted 16 pixels square one under the other on a
// transparent ground (the build paints the programs' atlas with them).
QStringList iconKeys();
QImage paintIconColumn(const QStringList& keys);

} // namespace pptdrill
