#pragma once

#include "movie/document/movie.h"
#include "movie/session/textediting.h"

#include <QLineF>
#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

class QPainter;

namespace pptdrill {

enum class SlidePaintMode
{
    Editing,   // normal view: empty placeholders show "单击此处添加标题" in dashed frames
    Thumbnail, // slides tab and slide sorter: no placeholder prompts
    Show,      // slide show: no prompts, no frames
};

// Draws a slide (720 × 540 points) scaled into `target`, with its design's
// background and colours, its layout's placeholders, text and shapes.
// `typedInto` names the placeholder the caret is in ("title", "subtitle", "body"): an empty one shows
// its frame without its prompt, as PowerPoint's does while it is typed into.
void paintSlide(QPainter& painter, const QRectF& target, const Slide& slide, const QString& design,
                SlidePaintMode mode, const QString& typedInto = {});

// Slide n (1-based) of a presentation, with the master's date, slide number and
// footer where 页眉和页脚 shows them.
void paintPresentationSlide(QPainter& painter, const QRectF& target, const Presentation& pres, int n,
                            SlidePaintMode mode, const QString& typedInto = {});
// The caret and the selection of text being typed into an object of slide `slide` shown in
// `target` ("title", "subtitle", "body", "shape:2"), in target coordinates; none for text
// written top to bottom.
struct TypingSpots
{
    QLineF caret;
    std::vector<QRectF> selection;
};
std::optional<TypingSpots> typingSpots(const QRectF& target, const Presentation& pres, int slide,
                                       const QString& object, const TextEditing& typing);
// The position in that text nearest a point of `target`, where a click puts the caret.
std::optional<int> typingPositionAt(const QRectF& target, const Presentation& pres, int slide,
                                    const QString& object, const TextEditing& typing, const QPointF& point);
// The box of that object's text in `target`.
QRectF typedObjectRect(const QRectF& target, const Presentation& pres, int slide, const QString& object);
// The header, date, footer and page number of a notes page or handout page,
// in text of `size` pixels; n is the page's number (0: none).
void paintNotesFooters(QPainter& painter, const QRect& page, const Presentation& pres, int n, double size);
// The slide's width over its height (页面设置), the largest slide of that shape
// centred in `box`, and the number slide n shows (起始编号 counts from there).
double slideAspect(const Presentation& pres);
QRect fitSlideIn(const QRect& box, const Presentation& pres);
int shownSlideNumber(const Presentation& pres, int n);
// A footer's date: the fixed text, or today's in the program's format ("2026-12-8").
QString footerDate(const QString& fixed);
// Draws a slide of a presentation as the window shows it: with what it takes
// from its master (fonts, background, colour scheme, the master's objects).
void paintSlide(QPainter& painter, const QRectF& target, const Presentation& presentation, const Slide& slide,
                SlidePaintMode mode, const QString& typedInto = {});

// Where a slide's placeholders lie, in `target` coordinates; empty when the
// layout has none of that kind.
QRectF titleRect(const QRectF& target, const Slide& slide);
QRectF bodyRect(const QRectF& target, const Slide& slide);
QRectF shapeRect(const QRectF& target, const Slide& slide, int index);

// The colour schemes that 幻灯片设计 - 配色方案 offers, row by row, and a sample of one.
const std::vector<ColorScheme>& standardSchemes();
void paintSchemeSample(QPainter& painter, const QRect& rect, const ColorScheme& scheme);

// Where the boxes of an organisation chart drawn in `rect` lie: its top shape first, then its
// co-workers, assistants and subordinates.
std::vector<QRectF> orgChartBoxes(const QRectF& rect, const SlideShape& shape);

// A fill effect drawn small, as 填充效果 shows its textures and patterns.
void paintFillSample(QPainter& painter, const QRect& rect, const BackgroundFill& fill);

// The small pictures of the kit: toolbar and menu icons by key ("new", "bold",
// …), layout thumbnails by layout name, design and effect thumbnails by name.
void paintIcon(QPainter& painter, const QRect& rect, const QString& key);
void paintLayoutIcon(QPainter& painter, const QRect& rect, const QString& layout);
void paintDesignThumbnail(QPainter& painter, const QRect& rect, const QString& design);

} // namespace pptdrill
