#include "movie/widgets/slides/slidepainter.h"

#include "movie/document/tablecells.h"
#include "movie/widgets/slides/slidelayouts.h"
#include "movie/widgets/slides/slidepaintsupport.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRegularExpression>
#include <QTextLayout>
#include <QTransform>
#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <map>
#include <memory>
#include <numbers>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {
namespace {

// ------------------------------------------------------------------ slides

struct SlideStyles
{
    TextStyle title;
    TextStyle subtitle;
    TextStyle body;
    QColor prompt;
};

// A font's colour: its own, or the scheme's colour that it follows.
QColor fontColour(const QString& color, const Design& design)
{
    static const QHash<QString, QColor Design::*> scheme = {
        {u"background"_s, &Design::background}, {u"text"_s, &Design::text},
        {u"title"_s, &Design::title},           {u"fill"_s, &Design::shapeFill},
        {u"accent"_s, &Design::accent},         {u"hyperlink"_s, &Design::accent2}};
    if (const auto it = scheme.constFind(color); it != scheme.constEnd())
        return design.*(*it);
    if (color == u"shadow"_s)
        return design.background.darker(200);
    if (color == u"followed"_s)
        return design.accent2.lighter(150);
    return colorFrom(color);
}

// 西文字体, 分散对齐, 阴影 and 阳文 of a font, on its text's style.
void applyFontEffects(TextStyle& style, const SlideFont& font)
{
    if (!font.latinFamily.isEmpty())
        style.latinFamily = latinFace(font.latinFamily);
    style.distribute = font.align.trimmed().toLower() == u"distribute"_s;
    style.shadow = font.shadow.value_or(false);
    style.emboss = font.emboss.value_or(false);
}

SlideStyles stylesFor(const Slide& slide, const Design& design, bool verticalTitle)
{
    SlideStyles styles;
    const SlideFont& tf = slide.titleFont;
    styles.title.family = slideFamily(tf.family);
    styles.title.size = tf.size > 0 ? tf.size : 44;
    styles.title.bold = tf.bold.value_or(design.titleBold);
    styles.title.italic = tf.italic.value_or(false);
    styles.title.underline = tf.underline.value_or(false);
    styles.title.color = fontColour(tf.color, design).isValid() ? fontColour(tf.color, design) : design.title;
    styles.title.bulletColor = styles.title.color;
    styles.title.align = alignmentOf(tf.align, Qt::AlignHCenter);
    styles.title.middle = true;
    styles.title.vertical = verticalTitle;
    applyFontEffects(styles.title, tf);

    const SlideFont& bf = slide.bodyFont;
    styles.body.family = slideFamily(bf.family);
    styles.body.size = bf.size > 0 ? bf.size : 32;
    styles.body.bold = bf.bold.value_or(false);
    styles.body.italic = bf.italic.value_or(false);
    styles.body.underline = bf.underline.value_or(false);
    const QColor bodyColour = fontColour(bf.color, design);
    styles.body.color = bodyColour.isValid() ? bodyColour : design.text;
    styles.body.bulletColor = bodyColour.isValid() ? styles.body.color : design.bullet;
    styles.body.align = alignmentOf(bf.align, Qt::AlignLeft);
    styles.body.bullets = true;
    applyFontEffects(styles.body, bf);

    const SlideBullets& bullets = slide.bullets;
    styles.body.bulletChar = bullets.character;
    styles.body.pictureBullet = bullets.picture;
    styles.body.bulletScale = bullets.size / 100;
    styles.body.numbering = bullets.numbering;
    styles.body.numberStart = bullets.start;
    if (const QColor colour = colorFrom(bullets.color); colour.isValid())
        styles.body.bulletColor = colour;
    styles.body.spacing = slide.spacing;
    // Hyperlinked text is underlined in the scheme's hyperlink colour.
    const QColor link = hyperlinkColour(design, slide.linkVisited);
    if (!slide.titleLink.isEmpty()) {
        styles.title.color = link;
        styles.title.underline = true;
    }
    if (!slide.bodyLink.isEmpty()) {
        styles.body.color = link;
        styles.body.underline = true;
    }

    // 查找 selects the text it found in the first placeholder that has it.
    if (!slide.foundText.isEmpty()) {
        if (slide.title.contains(slide.foundText))
            styles.title.highlight = slide.foundText;
        else
            styles.body.highlight = slide.foundText;
    }
    styles.subtitle = styles.body;
    styles.subtitle.bullets = false;
    styles.subtitle.align = alignmentOf(bf.align, Qt::AlignHCenter);
    return styles;
}

// A prompt of an empty placeholder: the placeholder's own style, in grey.
TextStyle promptStyle(TextStyle style, const QColor& prompt)
{
    style.color = prompt;
    style.bulletColor = prompt;
    style.underline = false;
    return style;
}

void drawPlaceholderFrame(QPainter& p, const QRectF& rect, const QColor& colour)
{
    QPen pen(colour, 1, Qt::DashLine);
    pen.setCosmetic(true);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect);
}

QString promptForObject(Region kind)
{
    switch (kind) {
    case Region::Table:
        return u"双击此处添加表格"_s;
    case Region::Chart:
        return u"双击此处添加图表"_s;
    case Region::ClipArt:
        return u"双击此处添加剪贴画"_s;
    case Region::Diagram:
        return u"双击此处添加图示或组织结构图"_s;
    case Region::Media:
        return u"双击此处添加媒体剪辑"_s;
    default:
        return u"双击此处添加对象"_s;
    }
}

TextStyle captionStyle(const QColor& colour, double size)
{
    TextStyle style;
    style.family = songFamily();
    style.size = size;
    style.color = colour;
    style.bulletColor = colour;
    style.align = Qt::AlignHCenter;
    return style;
}

// An empty content placeholder: a text prompt, the six content icons and
// their caption.
void paintContentPrompt(QPainter& p, const QRectF& r, const TextStyle& body, const QColor& prompt)
{
    paintText(p, r, {{u"单击此处添加文本"_s, 0}}, promptStyle(body, prompt));
    const double textBottom = r.top() + kInsetY + kLineSpacing * body.size;
    const double caption = 18;
    const double cell =
        std::clamp(std::min(r.width() * 0.09, (r.bottom() - textBottom - caption * 2) / 2.8), 8.0, 44.0);
    const double gap = cell * 0.3;
    const double paletteWidth = 3 * cell + 2 * gap;
    const double paletteHeight = 2 * cell + gap;
    const double top = std::max(textBottom + 4, r.center().y() - (paletteHeight + caption * 1.6) / 2);
    const double left = r.center().x() - paletteWidth / 2;
    static const std::array<QString, 6> icons = {u"table"_s,   u"chart"_s,   u"clipart"_s,
                                                 u"picture"_s, u"diagram"_s, u"movie"_s};
    for (size_t i = 0; i < icons.size(); ++i) {
        const double x = left + (i % 3) * (cell + gap);
        const double y = top + (i / 3) * (cell + gap);
        paintIconIn(p, QRectF(x, y, cell, cell), icons[i]);
    }
    const QRectF below(r.left(), top + paletteHeight + caption * 0.2, r.width(), caption * 1.6);
    paintText(p, below, {{u"单击图标添加内容"_s, 0}}, captionStyle(prompt, caption));
}

void paintObjectPrompt(QPainter& p, const QRectF& r, Region kind, const QColor& prompt)
{
    const double size = std::clamp(std::min(r.width(), r.height()) * 0.3, 12.0, 80.0);
    const double caption = std::clamp(r.height() * 0.1, 10.0, 24.0);
    const double top = r.center().y() - (size + caption * 2) / 2;
    paintIconIn(p, QRectF(r.center().x() - size / 2, top, size, size), iconForObject(kind));
    paintText(p, QRectF(r.left(), top + size + caption * 0.4, r.width(), r.bottom() - top - size),
              {{promptForObject(kind), 0}}, captionStyle(prompt, caption));
}

// Body lines for each text placeholder: with several, an empty line starts
// the next placeholder's text; the last one takes whatever remains.
std::vector<std::vector<Paragraph>> distributeBody(const QStringList& body, size_t placeholders)
{
    std::vector<std::vector<Paragraph>> parts(std::max<size_t>(placeholders, 1));
    if (placeholders <= 1) {
        parts[0] = paragraphsOf(body);
        return parts;
    }
    size_t current = 0;
    QStringList lines;
    for (const QString& line : body) {
        if (line.trimmed().isEmpty() && current + 1 < placeholders) {
            parts[current++] = paragraphsOf(lines);
            lines.clear();
            continue;
        }
        lines.push_back(line);
    }
    parts[current] = paragraphsOf(lines);
    return parts;
}

bool hasText(const std::vector<Paragraph>& paragraphs)
{
    return std::any_of(paragraphs.begin(), paragraphs.end(),
                       [](const Paragraph& paragraph) { return !paragraph.text.trimmed().isEmpty(); });
}

void paintSlideBackground(QPainter& p, const Slide& slide, const Design& templateDesign)
{
    const Design design = withScheme(templateDesign, slide.scheme);
    if (slide.fill.type.isEmpty())
        paintBackground(p, design, colorFrom(slide.background));
    else
        paintBackgroundFill(p, slide.fill);
    if (design.decorate && !slide.ignoreMasterGraphics)
        design.decorate(p, design, layoutGeometry(slide.layout).title == LayoutGeometry::Title::Centre);
}

// An object placeholder that an object of the slide fills shows no prompt.
bool holdsObject(const Slide& slide, const QRectF& placeholder)
{
    return std::any_of(slide.shapes.begin(), slide.shapes.end(), [&](const SlideShape& shape) {
        const QRectF r = QRectF(shape.x, shape.y, shape.w, shape.h).normalized();
        return shape.type != u"textbox"_s && r.intersects(placeholder) && placeholder.contains(r.center());
    });
}

// The comments' markers along the slide's top left corner (initials and number), and the
// box of an open comment beside its marker. They are drawn a little larger than the
// slide's text so that they stay legible when the slide is shown small.
void paintComments(QPainter& p, const std::vector<SlideComment>& comments)
{
    const QColor paper(0xFF, 0xFF, 0xCC);
    const QColor edge(0x80, 0x80, 0x80);
    std::map<QString, int> numbers; // each author's comments are numbered apart
    for (size_t i = 0; i < comments.size(); ++i) {
        const SlideComment& comment = comments[i];
        const int number = ++numbers[comment.initials];
        const QRectF marker(6 + 46.0 * static_cast<double>(i), 6, 42, 22);
        p.setPen(QPen(edge, 1));
        p.setBrush(QColor(0xFF, 0xF2, 0x9E));
        p.drawRect(marker);
        p.setPen(Qt::black);
        p.setFont(makeFont(sansFamily(), 13));
        p.drawText(marker, Qt::AlignCenter, comment.initials + QString::number(number));
        if (!comment.open)
            continue;
        const QRectF box(marker.left() + 10, marker.bottom() + 4, 330, 150);
        p.setPen(QPen(edge, 1));
        p.setBrush(paper);
        p.drawRect(box);
        const QRectF inner = box.adjusted(8, 6, -8, -6);
        QFont bold = makeFont(sansFamily(), 18, true);
        p.setFont(bold);
        p.setPen(Qt::black);
        const double header = QFontMetricsF(bold).height();
        p.drawText(QRectF(inner.left(), inner.top(), inner.width(), header), Qt::AlignLeft | Qt::AlignVCenter,
                   comment.author + u':');
        p.setFont(makeFont(sansFamily(), 18));
        p.drawText(inner.adjusted(0, header + 4, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                   comment.text);
    }
}

// What painting a slide's placeholders needs: the slide, its layout, the styles of
// its text, and whether empty placeholders show their frames and prompts.
struct PlaceholderPainting
{
    const Slide& slide;
    const LayoutGeometry& geometry;
    const SlideStyles& styles;
    bool editing;
    QColor prompt;
    const QString& typedInto;
};

// A placeholder's text, or, while editing, its frame and prompt when it has none.
void paintTextPlaceholder(QPainter& p, const PlaceholderPainting& c, const QRectF& rect,
                          const std::vector<Paragraph>& text, const TextStyle& style, const QString& name,
                          const QString& promptText)
{
    if (hasText(text)) {
        paintText(p, rect, text, style);
    } else if (c.editing) {
        drawPlaceholderFrame(p, rect, c.prompt);
        if (c.typedInto != name)
            paintText(p, rect, {{promptText, 0}}, promptStyle(style, c.prompt));
    }
}

void paintTitleAndSubtitle(QPainter& p, const PlaceholderPainting& c)
{
    const Slide& slide = c.slide;
    if (c.geometry.title != LayoutGeometry::Title::None)
        paintTextPlaceholder(p, c, c.geometry.titleRect, plainParagraphs(slide.title), c.styles.title,
                             u"title"_s, u"单击此处添加标题"_s);
    if (c.geometry.title == LayoutGeometry::Title::Centre) {
        std::vector<Paragraph> subtitle =
            slide.subtitle.isEmpty() ? std::vector<Paragraph>() : plainParagraphs(slide.subtitle);
        for (const Paragraph& line : paragraphsOf(slide.body))
            subtitle.push_back({line.text, 0});
        paintTextPlaceholder(p, c, c.geometry.subtitleRect, subtitle, c.styles.subtitle, u"subtitle"_s,
                             u"单击此处添加副标题"_s);
    }
}

// The body's text in the layout's text placeholders; while editing, the frames and
// prompts of the empty ones, and of the object placeholders no object fills.
void paintBodyPlaceholders(QPainter& p, const PlaceholderPainting& c)
{
    const LayoutGeometry& geometry = c.geometry;
    std::vector<const Placeholder*> textHolders;
    for (const Placeholder& placeholder : geometry.regions)
        if (holdsText(placeholder.kind))
            textHolders.push_back(&placeholder);
    // A layout without a text placeholder still shows body text in its main one.
    if (textHolders.empty() && !c.slide.body.isEmpty())
        if (const Placeholder* main = bodyPlaceholder(geometry))
            textHolders.push_back(main);
    const std::vector<std::vector<Paragraph>> parts = distributeBody(c.slide.body, textHolders.size());

    for (const Placeholder& placeholder : geometry.regions) {
        const auto holder = std::find(textHolders.begin(), textHolders.end(), &placeholder);
        const std::vector<Paragraph>* text =
            holder == textHolders.end() ? nullptr : &parts[static_cast<size_t>(holder - textHolders.begin())];
        TextStyle body = c.styles.body;
        body.vertical = placeholder.kind == Region::VerticalText;
        if (text && hasText(*text)) {
            paintText(p, placeholder.rect, *text, body);
            continue;
        }
        if (!c.editing || (!text && holdsObject(c.slide, placeholder.rect)))
            continue;
        drawPlaceholderFrame(p, placeholder.rect, c.prompt);
        if (c.typedInto == u"body"_s && &placeholder == bodyPlaceholder(geometry))
            continue;
        switch (placeholder.kind) {
        case Region::Text:
        case Region::VerticalText:
            paintText(p, placeholder.rect, {{u"单击此处添加文本"_s, 0}}, promptStyle(body, c.prompt));
            break;
        case Region::Content:
            paintContentPrompt(p, placeholder.rect, body, c.prompt);
            break;
        default:
            paintObjectPrompt(p, placeholder.rect, placeholder.kind, c.prompt);
            break;
        }
    }
}

void paintSlideContent(QPainter& p, const Slide& slide, const Design& templateDesign, SlidePaintMode mode,
                       bool withBackground, const QString& typedInto)
{
    const Design design = withScheme(templateDesign, slide.scheme);
    const QColor override =
        slide.fill.type.isEmpty() ? colorFrom(slide.background) : backgroundFillTone(slide.fill);
    const LayoutGeometry geometry = layoutGeometry(slide.layout);
    if (withBackground)
        paintSlideBackground(p, slide, templateDesign);

    const bool editing = mode == SlidePaintMode::Editing;
    const QColor prompt = luminance(backgroundTone(design, override)) < 0.5 ? QColor(0xC8, 0xC8, 0xC8)
                                                                            : QColor(0x80, 0x80, 0x80);
    SlideStyles styles = stylesFor(slide, design, geometry.title == LayoutGeometry::Title::Vertical);
    if (editing) {
        for (TextStyle* style : {&styles.title, &styles.subtitle, &styles.body})
            style->misspelled = slide.misspelled;
    }
    const PlaceholderPainting placeholders{slide, geometry, styles, editing, prompt, typedInto};
    paintTitleAndSubtitle(p, placeholders);
    paintBodyPlaceholders(p, placeholders);

    for (const SlideShape& shape : slide.shapes)
        paintShape(p, shape, design);
    if (editing)
        paintComments(p, slide.comments);
}

} // namespace

void paintSlide(QPainter& painter, const QRectF& target, const Slide& slide, const QString& design,
                SlidePaintMode mode, const QString& typedInto)
{
    if (!(target.width() > 0 && target.height() > 0))
        return;
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    const Design scheme = designFor(design);
    const QRectF content = slideContentRect(target);
    if (content != target) {
        // A page of another shape: the background fills it, the text and objects keep their proportions.
        painter.save();
        painter.translate(target.topLeft());
        painter.scale(target.width() / kSlideWidth, target.height() / kSlideHeight);
        paintSlideBackground(painter, slide, scheme);
        painter.restore();
    }
    painter.translate(content.topLeft());
    painter.scale(content.width() / kSlideWidth, content.height() / kSlideHeight);
    paintSlideContent(painter, slide, scheme, mode, content == target, typedInto);
    painter.restore();
}

void paintSlide(QPainter& painter, const QRectF& target, const Presentation& presentation, const Slide& slide,
                SlidePaintMode mode, const QString& typedInto)
{
    paintSlide(painter, target, slideAsShown(presentation, slide), presentation.design, mode, typedInto);
}

QRectF titleRect(const QRectF& target, const Slide& slide)
{
    const LayoutGeometry geometry = layoutGeometry(slide.layout);
    if (geometry.title == LayoutGeometry::Title::None)
        return {};
    return toTarget(target, geometry.titleRect);
}

QRectF bodyRect(const QRectF& target, const Slide& slide)
{
    const LayoutGeometry geometry = layoutGeometry(slide.layout);
    if (geometry.title == LayoutGeometry::Title::Centre)
        return toTarget(target, geometry.subtitleRect);
    const Placeholder* body = bodyPlaceholder(geometry);
    return body ? toTarget(target, body->rect) : QRectF();
}

QRectF shapeRect(const QRectF& target, const Slide& slide, int index)
{
    if (index < 0 || size_t(index) >= slide.shapes.size())
        return {};
    const SlideShape& shape = slide.shapes[size_t(index)];
    const QRectF onSlide = QRectF(shape.x, shape.y, shape.w, shape.h)
                               .normalized()
                               .intersected(QRectF(0, 0, kSlideWidth, kSlideHeight));
    return toTarget(target, onSlide);
}

namespace {

// The text of an object of slide `slide` ("title", "subtitle", "body", "shape:2") as the
// slide paints it, and the mapping of the slide's points into `target`.
struct ShownText
{
    ShapeText text;
    QTransform toTarget;
    // The tabs before each paragraph of a body: typed, they set its level, and the slide shows
    // the paragraph's text without them.
    std::vector<int> levelTabs;

    TextEditing::Place shownPlace(TextEditing::Place typed) const
    {
        const auto tabs = static_cast<size_t>(typed.paragraph) < levelTabs.size()
                              ? levelTabs[static_cast<size_t>(typed.paragraph)]
                              : 0;
        return {typed.paragraph, std::max(0, typed.position - tabs)};
    }
    TextEditing::Place typedPlace(TextEditing::Place shown) const
    {
        const auto tabs = static_cast<size_t>(shown.paragraph) < levelTabs.size()
                              ? levelTabs[static_cast<size_t>(shown.paragraph)]
                              : 0;
        return {shown.paragraph, shown.position + tabs};
    }
};

std::optional<ShownText> shownText(const QRectF& target, const Presentation& pres, int slideNumber,
                                   const QString& object)
{
    if (slideNumber < 1 || slideNumber > static_cast<int>(pres.slides.size()))
        return std::nullopt;
    const Slide slide = slideAsShown(pres, pres.slides[static_cast<size_t>(slideNumber - 1)]);
    const Design design = withScheme(designFor(pres.design), slide.scheme);
    const QRectF content = slideContentRect(target);
    QTransform toTarget;
    toTarget.translate(content.left(), content.top());
    toTarget.scale(content.width() / kSlideWidth, content.height() / kSlideHeight);
    const LayoutGeometry geometry = layoutGeometry(slide.layout);
    const bool titleSlide = geometry.title == LayoutGeometry::Title::Centre;
    const SlideStyles styles = stylesFor(slide, design, geometry.title == LayoutGeometry::Title::Vertical);
    ShapeText text;
    if (const std::optional<TableCellName> cell = tableCellNamed(object)) {
        if (cell->shape > static_cast<int>(slide.shapes.size()))
            return std::nullopt;
        const std::optional<ShapeText> cellText =
            tableCellText(slide.shapes[static_cast<size_t>(cell->shape - 1)], cell->row, cell->column);
        if (!cellText)
            return std::nullopt;
        text = *cellText;
    } else if (object.startsWith(u"shape:"_s)) {
        const int shape = object.mid(6).toInt();
        if (shape < 1 || shape > static_cast<int>(slide.shapes.size()))
            return std::nullopt;
        text = shapeText(slide.shapes[static_cast<size_t>(shape - 1)], design);
    } else if (object == u"title"_s && geometry.title != LayoutGeometry::Title::None) {
        text = ShapeText{geometry.titleRect, plainParagraphs(slide.title), styles.title, 0};
    } else if (object == u"subtitle"_s && titleSlide) {
        text = ShapeText{geometry.subtitleRect, plainParagraphs(slide.subtitle), styles.subtitle, 0};
    } else if (object == u"body"_s && !titleSlide) {
        const Placeholder* body = bodyPlaceholder(geometry);
        if (!body)
            return std::nullopt;
        TextStyle style = styles.body;
        style.vertical = body->kind == Region::VerticalText;
        text = ShapeText{body->rect, paragraphsOf(slide.body), style, 0};
        std::vector<int> levelTabs;
        for (const QString& line : slide.body) {
            int tabs = 0;
            while (tabs < line.size() && line[tabs] == u'\t')
                ++tabs;
            levelTabs.push_back(tabs);
        }
        return ShownText{text, toTarget, levelTabs};
    } else {
        return std::nullopt;
    }
    return ShownText{text, toTarget, {}};
}

} // namespace

std::optional<TypingSpots> typingSpots(const QRectF& target, const Presentation& pres, int slide,
                                       const QString& object, const TextEditing& typing)
{
    const std::optional<ShownText> shown = shownText(target, pres, slide, object);
    if (!shown)
        return std::nullopt;
    const ShapeText& text = shown->text;
    const std::optional<TextSpots> spots = textSpots(
        text.box, text.paragraphs, text.style, text.growTo, shown->shownPlace(typing.placeOf(typing.caret())),
        shown->shownPlace(typing.placeOf(typing.selectionStart())),
        shown->shownPlace(typing.placeOf(typing.selectionEnd())));
    if (!spots)
        return std::nullopt;
    TypingSpots out;
    out.caret = shown->toTarget.map(spots->caret);
    for (const QRectF& r : spots->selection)
        out.selection.push_back(shown->toTarget.mapRect(r));
    return out;
}

std::optional<int> typingPositionAt(const QRectF& target, const Presentation& pres, int slide,
                                    const QString& object, const TextEditing& typing, const QPointF& point)
{
    const std::optional<ShownText> shown = shownText(target, pres, slide, object);
    if (!shown)
        return std::nullopt;
    const ShapeText& text = shown->text;
    const std::optional<TextEditing::Place> place = textPlaceAt(
        text.box, text.paragraphs, text.style, text.growTo, shown->toTarget.inverted().map(point));
    if (!place)
        return std::nullopt;
    return typing.positionOf(shown->typedPlace(*place));
}

QRectF typedObjectRect(const QRectF& target, const Presentation& pres, int slide, const QString& object)
{
    const std::optional<ShownText> shown = shownText(target, pres, slide, object);
    return shown ? shown->toTarget.mapRect(shown->text.box) : QRectF();
}

} // namespace pptdrill
