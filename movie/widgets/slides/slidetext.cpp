#include "movie/widgets/slides/slidepaintsupport.h"
#include "movie/widgets/window/plaintextlayout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextLayout>
#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

using namespace Qt::Literals::StringLiterals;

// Text in placeholders and shapes: paragraphs, bullets, wrapping, AutoFit and vertical text.
namespace pptdrill {

// A font sized in slide points (the painter maps points to pixels).
QFont makeFont(const QString& family, double size, bool bold, bool italic, bool underline)
{
    QFont font(family);
    font.setPixelSize(std::max(1, qRound(size)));
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    // Unhinted metrics scale evenly, so a thumbnail wraps like the full slide.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

namespace {

// -------------------------------------------------------------------- text

constexpr int kMaxLevel = 4;

double levelSize(const TextStyle& style, int level)
{
    static constexpr std::array<double, kMaxLevel + 1> ratio = {1.0, 28.0 / 32, 24.0 / 32, 20.0 / 32,
                                                                20.0 / 32};
    return style.size * ratio[static_cast<size_t>(std::clamp(level, 0, kMaxLevel))];
}

QString bulletFor(int level)
{
    static const std::array<QString, kMaxLevel + 1> bullets = {u"•"_s, u"–"_s, u"•"_s, u"–"_s, u"»"_s};
    return bullets[static_cast<size_t>(std::clamp(level, 0, kMaxLevel))];
}

} // namespace

std::vector<Paragraph> paragraphsOf(const QStringList& lines)
{
    std::vector<Paragraph> paragraphs;
    for (const QString& line : lines) {
        qsizetype tabs = 0;
        while (tabs < line.size() && line[tabs] == u'\t')
            ++tabs;
        const int level = static_cast<int>(std::min<qsizetype>(tabs, kMaxLevel));
        for (const QString& part : line.mid(tabs).split(u'\n'))
            paragraphs.push_back({part, level});
    }
    return paragraphs;
}

std::vector<Paragraph> plainParagraphs(const QString& text)
{
    std::vector<Paragraph> paragraphs;
    for (const QString& part : text.split(u'\n'))
        paragraphs.push_back({part, 0});
    return paragraphs;
}
namespace {

constexpr double kLevelIndent = 40;
constexpr double kBulletGap = 0.85; // bullet to text, in ems
constexpr double kParagraphSpace = 0.2;
// Text that does not fit shrinks step by step, as PowerPoint's AutoFit does.
constexpr double kShrinkStep = 0.88;
constexpr int kShrinkSteps = 14;

struct LaidParagraph
{
    std::unique_ptr<QTextLayout> layout;
    QString bulletText;
    QFont font;
    double top = 0;
    double indent = 0;
    double bulletIndent = 0;
    double size = 0;
    int level = 0;
    bool bullet = false;
};

// Lays paragraphs out until they pass `limit`, and returns their height.
double layOutHorizontal(const std::vector<Paragraph>& paragraphs, const TextStyle& style, double width,
                        double factor, double limit, std::vector<LaidParagraph>& laid)
{
    laid.clear();
    double y = 0;
    std::array<int, kMaxLevel + 1> numbers{};
    const SlideSpacing& spacing = style.spacing;
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        const Paragraph& paragraph = paragraphs[i];
        LaidParagraph out;
        out.level = paragraph.level;
        out.size = levelSize(style, paragraph.level) * factor;
        out.font = makeFont(style.family, out.size, style.bold, style.italic, style.underline);
        if (!style.latinFamily.isEmpty())
            out.font.setFamilies({style.latinFamily, style.family});
        out.bullet = style.bullets && !paragraph.text.trimmed().isEmpty() && style.bulletChar != u"无"_s;
        if (out.bullet) {
            const auto level = static_cast<size_t>(std::clamp(paragraph.level, 0, kMaxLevel));
            // Numbers count the paragraphs of a level; a shallower one starts them again.
            const int number = style.numberStart + numbers[level]++;
            std::fill(numbers.begin() + static_cast<std::ptrdiff_t>(level) + 1, numbers.end(), 0);
            out.bulletText = !style.numbering.isEmpty()    ? numberLabel(style.numbering, number)
                             : !style.bulletChar.isEmpty() ? style.bulletChar
                                                           : bulletFor(paragraph.level);
        }
        if (style.bullets) {
            out.bulletIndent = paragraph.level * kLevelIndent * factor;
            double gap = kBulletGap * out.size;
            if (!style.numbering.isEmpty() && out.bullet) {
                const QFontMetricsF label(makeFont(sansFamily(), out.size * style.bulletScale));
                gap = std::max(gap, label.horizontalAdvance(out.bulletText) + 0.3 * out.size);
            }
            out.indent = out.bulletIndent + gap;
        }
        if (i > 0)
            y += spacing.beforePoints ? spacing.before * factor : spacing.before * out.size;
        out.top = y;
        out.layout = std::make_unique<QTextLayout>(paragraph.text, out.font);
        QTextOption option(style.distribute ? Qt::AlignLeft : style.align);
        option.setWrapMode(style.wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
        out.layout->setTextOption(option);
        const QFontMetricsF metrics(out.font);
        const double lineHeight = spacing.linePoints  ? spacing.line * factor
                                  : spacing.line == 1 ? std::max(kLineSpacing * out.size, metrics.height())
                                                      : spacing.line * kLineSpacing * out.size;
        const double lead = (lineHeight - metrics.height()) / 2;
        const double lineWidth = std::max(1.0, width - out.indent);
        double height = 0;
        out.layout->beginLayout();
        for (QTextLine line = out.layout->createLine(); line.isValid(); line = out.layout->createLine()) {
            line.setLineWidth(lineWidth);
            line.setPosition(QPointF(0, height + lead));
            height += lineHeight;
        }
        out.layout->endLayout();
        y += std::max(height, lineHeight);
        if (i + 1 < paragraphs.size())
            y += spacing.afterPoints ? spacing.after * factor : spacing.after * out.size;
        laid.push_back(std::move(out));
        if (y > limit)
            break;
    }
    return y;
}

// The red wavy line under each misspelled word of a paragraph, as the editing views show it.
void underlineMisspelled(QPainter& p, const QTextLayout& layout, const QPointF& at, const QStringList& words,
                         double size)
{
    const QString& text = layout.text();
    const double wave = std::max(0.8, size * 0.06);
    p.save();
    p.setPen(QPen(QColor(0xFF, 0x00, 0x00), wave * 0.6));
    p.setBrush(Qt::NoBrush);
    for (const QString& word : words) {
        for (qsizetype from = text.indexOf(word); from >= 0; from = text.indexOf(word, from + word.size())) {
            const QTextLine line = layout.lineForTextPosition(static_cast<int>(from));
            if (!line.isValid())
                continue;
            const int end =
                std::min(static_cast<int>(from + word.size()), line.textStart() + line.textLength());
            const double left = at.x() + line.cursorToX(static_cast<int>(from));
            const double right = at.x() + line.cursorToX(end);
            const double y = at.y() + line.y() + line.ascent() + line.descent() * 0.5;
            QPainterPath path(QPointF(left, y));
            bool up = true;
            for (double x = left + wave; x < right + wave / 2; x += wave, up = !up)
                path.lineTo(std::min(x, right), up ? y - wave : y);
            p.drawPath(path);
        }
    }
    p.restore();
}

} // namespace

QString latinFace(const QString& requested)
{
    static const QStringList serifFaces = {u"Times New Roman"_s,   u"Georgia"_s,  u"Book Antiqua"_s,
                                           u"Bookman Old Style"_s, u"Garamond"_s, u"Century Schoolbook"_s,
                                           u"Palatino Linotype"_s, u"Cambria"_s};
    const QString installed = firstInstalledFamily({requested.trimmed()}, QString());
    if (!installed.isEmpty())
        return installed;
    return serifFaces.contains(requested.trimmed(), Qt::CaseInsensitive) ? serifFamily() : sansFamily();
}

// The picture bullets of 图片项目符号, four to a row: glossy balls, squares,
// diamonds and bars, each row in its own colours.
void paintPictureBullet(QPainter& p, const QRectF& box, int picture)
{
    static const std::array<QColor, 16> colours = {
        QColor(0x1F, 0x5F, 0xC8), QColor(0xD8, 0x30, 0x30), QColor(0x2E, 0xA0, 0x3C),
        QColor(0xE8, 0xA0, 0x10), QColor(0x80, 0x40, 0xB0), QColor(0x10, 0x90, 0xA8),
        QColor(0xC0, 0x50, 0x90), QColor(0x60, 0x60, 0x60), QColor(0x3C, 0x8C, 0xE0),
        QColor(0xB0, 0x70, 0x30), QColor(0x70, 0xB0, 0x20), QColor(0xE0, 0x60, 0x20),
        QColor(0x20, 0x40, 0x80), QColor(0xA0, 0x20, 0x40), QColor(0x40, 0x80, 0x60),
        QColor(0x90, 0x90, 0x20)};
    const int index = std::clamp(picture, 1, int(colours.size())) - 1;
    const QColor colour = colours[static_cast<size_t>(index)];
    QRadialGradient gloss(box.left() + box.width() * 0.35, box.top() + box.height() * 0.3, box.width() * 0.8);
    gloss.setColorAt(0, colour.lighter(190));
    gloss.setColorAt(1, colour.darker(130));
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour.darker(170), std::max(0.3, box.width() * 0.06)));
    p.setBrush(gloss);
    switch (index % 4) {
    case 0:
        p.drawEllipse(box);
        break;
    case 1:
        p.drawRect(box);
        break;
    case 2:
        p.drawPolygon(
            QPolygonF({QPointF(box.center().x(), box.top()), QPointF(box.right(), box.center().y()),
                       QPointF(box.center().x(), box.bottom()), QPointF(box.left(), box.center().y())}));
        break;
    default:
        p.drawRect(box.adjusted(0, box.height() * 0.25, 0, -box.height() * 0.25));
        break;
    }
    p.restore();
}

namespace {

// 分散对齐: each line's characters spread evenly from the left edge to the right.
void drawDistributed(QPainter& p, const QTextLayout& layout, const QPointF& at)
{
    const QFontMetricsF metrics(layout.font());
    p.setFont(layout.font());
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        const std::u32string text =
            layout.text().mid(line.textStart(), line.textLength()).trimmed().toStdU32String();
        if (text.empty())
            continue;
        double natural = 0;
        for (const char32_t c : text)
            natural += metrics.horizontalAdvance(QString::fromUcs4(&c, 1));
        const double gap =
            text.size() > 1 ? std::max(0.0, line.width() - natural) / double(text.size() - 1) : 0;
        double x = at.x() + (text.size() > 1 ? 0 : (line.width() - natural) / 2);
        for (const char32_t c : text) {
            const QString glyph = QString::fromUcs4(&c, 1);
            p.drawText(QPointF(x, at.y() + line.y() + line.ascent()), glyph);
            x += metrics.horizontalAdvance(glyph) + gap;
        }
    }
}

// Draws the text once, or, with a shadow or 阳文, over its offset copies.
void drawTextLayout(QPainter& p, const QTextLayout& layout, const QPointF& at, const TextStyle& style,
                    double size)
{
    QList<QTextLayout::FormatRange> selections;
    for (qsizetype at = style.highlight.isEmpty() ? -1 : layout.text().indexOf(style.highlight); at >= 0;
         at = layout.text().indexOf(style.highlight, at + style.highlight.size())) {
        QTextLayout::FormatRange selected;
        selected.start = static_cast<int>(at);
        selected.length = static_cast<int>(style.highlight.size());
        selected.format.setBackground(Qt::black);
        selected.format.setForeground(Qt::white);
        selections.push_back(selected);
    }
    const auto draw = [&](const QPointF& where, const QColor& colour) {
        p.setPen(colour);
        if (style.distribute)
            drawDistributed(p, layout, where);
        else
            layout.draw(&p, where, selections);
    };
    const double offset = std::max(0.6, size * 0.05);
    if (style.emboss) {
        draw(at + QPointF(-offset, -offset), Qt::white);
        draw(at + QPointF(offset, offset), QColor(0x60, 0x60, 0x60));
        const QColor& c = style.color;
        draw(at, QColor((c.red() + 2 * 255) / 3, (c.green() + 2 * 255) / 3, (c.blue() + 2 * 255) / 3));
        return;
    }
    if (style.shadow)
        draw(at + QPointF(offset, offset), QColor(0x80, 0x80, 0x80));
    draw(at, style.color);
}

void drawHorizontal(QPainter& p, const std::vector<LaidParagraph>& laid, const QPointF& origin,
                    const TextStyle& style)
{
    for (const LaidParagraph& paragraph : laid) {
        const QPointF at(origin.x() + paragraph.indent, origin.y() + paragraph.top);
        drawTextLayout(p, *paragraph.layout, at, style, paragraph.size);
        if (!style.misspelled.isEmpty())
            underlineMisspelled(p, *paragraph.layout, at, style.misspelled, paragraph.size);
        if (!paragraph.bullet || paragraph.layout->lineCount() == 0)
            continue;
        const QTextLine first = paragraph.layout->lineAt(0);
        const double textStart = origin.x() + paragraph.indent + first.naturalTextRect().left();
        const double x = textStart - (paragraph.indent - paragraph.bulletIndent);
        if (style.pictureBullet > 0 && style.numbering.isEmpty()) {
            const double side = paragraph.size * 0.55 * style.bulletScale;
            const double middle = origin.y() + paragraph.top + first.y() + first.height() / 2;
            paintPictureBullet(p, QRectF(x, middle - side / 2, side, side), style.pictureBullet);
            continue;
        }
        QFont bulletFont = makeFont(sansFamily(), paragraph.size * style.bulletScale);
        p.setFont(bulletFont);
        p.setPen(style.bulletColor);
        p.drawText(QPointF(x, origin.y() + paragraph.top + first.y() + first.ascent()), paragraph.bulletText);
    }
}

// Vertical text: characters stacked top to bottom, columns from right to left.
// Chinese characters stand upright, Latin text lies on its side, and the
// commas and full stops move to the upper right of their cell.
enum class GlyphForm
{
    Upright,
    Rotated,
    Corner,
};

bool isWide(char32_t c)
{
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || c >= 0x20000;
}

// Closing punctuation never starts a column; it hangs below the last one.
bool staysWithPrevious(char32_t c)
{
    static const std::u32string closing = U"，。、．；：！？）》」』】〕…,.;:!?)";
    return closing.find(c) != std::u32string::npos;
}

GlyphForm formOf(char32_t c)
{
    static const std::u32string corner = U"，。、．";
    static const std::u32string turned = U"（）《》〈〉「」『』【】〔〕［］｛｝—…～－";
    if (corner.find(c) != std::u32string::npos)
        return GlyphForm::Corner;
    if (turned.find(c) != std::u32string::npos || !isWide(c))
        return GlyphForm::Rotated;
    return GlyphForm::Upright;
}

struct VerticalGlyph
{
    QString text;
    double y = 0;
    GlyphForm form = GlyphForm::Upright;
    bool bullet = false;
    int position = 0;   // where its text starts in its paragraph
    double advance = 0; // how far down it reaches
};

struct VerticalColumn
{
    std::vector<VerticalGlyph> glyphs;
    QFont font;
    double size = 0;
    double width = 0;  // the column's own width
    double space = 0;  // to the next column
    double length = 0; // how far down its text reaches
    int paragraph = 0;
};

// Lays paragraphs out in columns until they pass `limit`, and returns their width.
double layOutVertical(const std::vector<Paragraph>& paragraphs, const TextStyle& style, double height,
                      double factor, double limit, std::vector<VerticalColumn>& columns)
{
    columns.clear();
    double total = 0;
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        const Paragraph& paragraph = paragraphs[i];
        const double size = levelSize(style, paragraph.level) * factor;
        const QFont font = makeFont(style.family, size, style.bold, style.italic, style.underline);
        const QFontMetricsF metrics(font);
        const double start = style.bullets ? paragraph.level * kLevelIndent * factor : 0;
        const double textStart = style.bullets ? start + size : 0;
        const bool bullet = style.bullets && !paragraph.text.trimmed().isEmpty();
        const int number = static_cast<int>(i);
        VerticalColumn column{{}, font, size, kLineSpacing * size, 0, 0, number};
        double y = start;
        if (bullet) {
            column.glyphs.push_back({bulletFor(paragraph.level), y, GlyphForm::Rotated, true, 0, size});
            y = textStart;
        }
        int position = 0;
        // Wraps between wide characters and between Latin words; a word
        // longer than a whole column is broken between its letters.
        const std::u32string text = paragraph.text.toStdU32String();
        const auto inWord = [](char32_t c) {
            return !isWide(c) && c != U' ' && formOf(c) == GlyphForm::Rotated;
        };
        for (size_t i = 0; i < text.size();) {
            const GlyphForm form = formOf(text[i]);
            size_t end = i + 1;
            if (inWord(text[i]))
                while (end < text.size() && inWord(text[end]))
                    ++end;
            QString unit = QString::fromUcs4(text.data() + i, qsizetype(end - i));
            double advance = form == GlyphForm::Rotated ? metrics.horizontalAdvance(unit) : size;
            if (end - i > 1 && advance > height - textStart) {
                end = i + 1;
                unit = QString::fromUcs4(text.data() + i, 1);
                advance = metrics.horizontalAdvance(unit);
            }
            if (y + advance > height && y > textStart + 0.01 && !staysWithPrevious(text[i])) {
                column.length = y;
                total += column.width;
                columns.push_back(std::move(column));
                column = VerticalColumn{{}, font, size, kLineSpacing * size, 0, 0, number};
                y = textStart;
            }
            column.glyphs.push_back({unit, y, form, false, position, advance});
            position += static_cast<int>(unit.size());
            y += advance;
            i = end;
        }
        column.length = y;
        if (i + 1 < paragraphs.size())
            column.space = kParagraphSpace * size;
        total += column.width + column.space;
        columns.push_back(std::move(column));
        if (total > limit)
            break;
    }
    return total;
}

void drawVertical(QPainter& p, const std::vector<VerticalColumn>& columns, const QRectF& inner, double total,
                  const TextStyle& style)
{
    double right = style.middle && total < inner.width() ? inner.center().x() + total / 2 : inner.right();
    for (const VerticalColumn& column : columns) {
        const double centre = right - column.width / 2;
        const double offset = style.middle ? std::max(0.0, (inner.height() - column.length) / 2) : 0;
        const double size = column.size;
        const QFont bulletFont = makeFont(sansFamily(), size);
        for (const VerticalGlyph& glyph : column.glyphs) {
            const double top = inner.top() + offset + glyph.y;
            const QFont& font = glyph.bullet ? bulletFont : column.font;
            const QFontMetricsF metrics(font);
            p.setFont(font);
            p.setPen(glyph.bullet ? style.bulletColor : style.color);
            const double advance = metrics.horizontalAdvance(glyph.text);
            const double baseline = top + (size + metrics.ascent() - metrics.descent()) / 2;
            switch (glyph.form) {
            case GlyphForm::Upright:
                p.drawText(QPointF(centre - advance / 2, baseline), glyph.text);
                break;
            case GlyphForm::Corner:
                p.drawText(QPointF(centre - advance / 2 + size * 0.55, baseline - size * 0.55), glyph.text);
                break;
            case GlyphForm::Rotated:
                p.save();
                p.translate(centre, top);
                p.rotate(90);
                p.drawText(QPointF(0, (metrics.ascent() - metrics.descent()) / 2), glyph.text);
                p.restore();
                break;
            }
        }
        right -= column.width + column.space;
    }
}

// More text than this cannot show even at the smallest size, and laying it
// out over and over would stall the window.
constexpr size_t kMaxParagraphs = 200;
constexpr qsizetype kMaxParagraphLength = 4000;

} // namespace

// Paints text into a placeholder or shape, shrinking it until it fits. With
// `growTo`, the text may run down to that height (a text box grows with its
// text) before it shrinks.
namespace {

// Horizontal text as paintText lays it out in a box: shrunk to fit, anchored.
struct BoxText
{
    QRectF frame;
    std::vector<LaidParagraph> laid;
    QPointF origin;
};

std::optional<BoxText> layOutInBox(const QRectF& box, const std::vector<Paragraph>& given,
                                   const TextStyle& style, double growTo)
{
    BoxText out;
    out.frame = QRectF(box.left(), box.top(), box.width(), std::max(box.height(), growTo));
    const QMarginsF insets = style.insets.value_or(QMarginsF(kInsetX, kInsetY, kInsetX, kInsetY));
    const QRectF inner = out.frame.marginsRemoved(insets);
    // Text that does not wrap runs on past the box's right edge.
    if (!style.wrap)
        out.frame.setRight(std::max(out.frame.right(), kSlideWidth));
    if (given.empty() || inner.width() < 1 || inner.height() < 1 || style.vertical)
        return std::nullopt;
    std::vector<Paragraph> paragraphs(given.begin(), given.begin() + std::min(given.size(), kMaxParagraphs));
    for (Paragraph& paragraph : paragraphs)
        paragraph.text.truncate(kMaxParagraphLength);
    double factor = 1;
    double height = 0;
    for (int step = 0; step < kShrinkSteps; ++step) {
        height = layOutHorizontal(paragraphs, style, inner.width(), factor, inner.height(), out.laid);
        if (height <= inner.height())
            break;
        factor *= kShrinkStep;
    }
    double top = inner.top();
    if (style.middle && height < inner.height())
        top += (inner.height() - height) / 2;
    else if (style.bottom && height < inner.height())
        top += inner.height() - height;
    double left = inner.left();
    if (style.centredBlock) {
        double widest = 0;
        for (const LaidParagraph& paragraph : out.laid)
            for (int i = 0; i < paragraph.layout->lineCount(); ++i)
                widest = std::max(widest, paragraph.indent + paragraph.layout->lineAt(i).naturalTextWidth());
        left += std::max(0.0, (inner.width() - widest) / 2);
    }
    out.origin = QPointF(left, top);
    return out;
}

// Vertical text as paintText lays it out in a box: columns from the right, shrunk to fit.
struct VerticalBox
{
    QRectF frame;
    QRectF inner;
    std::vector<VerticalColumn> columns;
    double width = 0;
    const TextStyle* style = nullptr;

    // Where each column stands across (its centre) and how far down its text starts.
    template <typename Visit> void eachColumn(const Visit& visit) const
    {
        double right =
            style->middle && width < inner.width() ? inner.center().x() + width / 2 : inner.right();
        for (const VerticalColumn& column : columns) {
            const double offset = style->middle ? std::max(0.0, (inner.height() - column.length) / 2) : 0;
            visit(column, right - column.width / 2, inner.top() + offset);
            right -= column.width + column.space;
        }
    }
};

std::optional<VerticalBox> layOutVerticalBox(const QRectF& box, const std::vector<Paragraph>& given,
                                             const TextStyle& style, double growTo)
{
    VerticalBox out;
    out.style = &style;
    out.frame = QRectF(box.left(), box.top(), box.width(), std::max(box.height(), growTo));
    const QMarginsF insets = style.insets.value_or(QMarginsF(kInsetX, kInsetY, kInsetX, kInsetY));
    out.inner = out.frame.marginsRemoved(insets);
    if (given.empty() || out.inner.width() < 1 || out.inner.height() < 1)
        return std::nullopt;
    std::vector<Paragraph> paragraphs(given.begin(), given.begin() + std::min(given.size(), kMaxParagraphs));
    for (Paragraph& paragraph : paragraphs)
        paragraph.text.truncate(kMaxParagraphLength);
    double factor = 1;
    for (int step = 0; step < kShrinkSteps; ++step) {
        out.width =
            layOutVertical(paragraphs, style, out.inner.height(), factor, out.inner.width(), out.columns);
        if (out.width <= out.inner.width())
            break;
        factor *= kShrinkStep;
    }
    return out;
}

// The caret and the selection in vertical text: the caret lies across the column.
TextSpots verticalSpots(const VerticalBox& text, TextEditing::Place caret, TextEditing::Place from,
                        TextEditing::Place to)
{
    TextSpots spots;
    const auto before = [](TextEditing::Place a, TextEditing::Place b) {
        return a.paragraph < b.paragraph || (a.paragraph == b.paragraph && a.position < b.position);
    };
    text.eachColumn([&](const VerticalColumn& column, double centre, double top) {
        const double left = centre - column.width / 2;
        double end = top + column.length;
        int endPosition = 0;
        for (const VerticalGlyph& glyph : column.glyphs) {
            if (glyph.bullet)
                continue;
            const int length = static_cast<int>(glyph.text.size());
            const TextEditing::Place at{column.paragraph, glyph.position};
            if (column.paragraph == caret.paragraph && caret.position >= glyph.position &&
                caret.position < glyph.position + length) {
                const double y = top + glyph.y + glyph.advance * (caret.position - glyph.position) / length;
                spots.caret = QLineF(left, y, left + column.width, y);
            }
            if (!before(at, from) && before(at, to))
                spots.selection.emplace_back(left, top + glyph.y, column.width, glyph.advance);
            end = top + glyph.y + glyph.advance;
            endPosition = glyph.position + length;
        }
        // After the paragraph's last character, or in an empty paragraph.
        if (column.paragraph == caret.paragraph && caret.position >= endPosition && spots.caret.isNull())
            spots.caret = QLineF(left, end, left + column.width, end);
    });
    return spots;
}

TextEditing::Place verticalPlaceAt(const VerticalBox& text, const QPointF& point)
{
    TextEditing::Place place;
    double nearest = -1;
    text.eachColumn([&](const VerticalColumn& column, double centre, double top) {
        const double distance = std::abs(point.x() - centre);
        if (nearest >= 0 && distance >= nearest)
            return;
        nearest = distance;
        place = {column.paragraph, 0};
        bool first = true;
        for (const VerticalGlyph& glyph : column.glyphs) {
            if (glyph.bullet)
                continue;
            if (first)
                place.position = glyph.position;
            first = false;
            if (point.y() < top + glyph.y + glyph.advance / 2)
                return;
            place.position = glyph.position + static_cast<int>(glyph.text.size());
        }
    });
    return place;
}

QPointF paragraphOrigin(const BoxText& text, const LaidParagraph& paragraph)
{
    return {text.origin.x() + paragraph.indent, text.origin.y() + paragraph.top};
}

} // namespace

void paintText(QPainter& p, const QRectF& box, const std::vector<Paragraph>& given, const TextStyle& style,
               double growTo)
{
    if (style.vertical) {
        const std::optional<VerticalBox> text = layOutVerticalBox(box, given, style, growTo);
        if (!text)
            return;
        p.save();
        p.setClipRect(text->frame.adjusted(-2, -2, 2, 2), Qt::IntersectClip);
        drawVertical(p, text->columns, text->inner, text->width, style);
        p.restore();
        return;
    }
    const std::optional<BoxText> text = layOutInBox(box, given, style, growTo);
    if (!text)
        return;
    p.save();
    p.setClipRect(text->frame.adjusted(-2, -2, 2, 2), Qt::IntersectClip);
    drawHorizontal(p, text->laid, text->origin, style);
    p.restore();
}

std::optional<TextSpots> textSpots(const QRectF& box, const std::vector<Paragraph>& paragraphs,
                                   const TextStyle& style, double growTo, TextEditing::Place caret,
                                   TextEditing::Place from, TextEditing::Place to)
{
    // An empty text still has a caret: laid out as one empty paragraph.
    const std::vector<Paragraph> some = paragraphs.empty() ? std::vector<Paragraph>{Paragraph{}} : paragraphs;
    if (style.vertical) {
        const std::optional<VerticalBox> text = layOutVerticalBox(box, some, style, growTo);
        return text ? std::optional(verticalSpots(*text, caret, from, to)) : std::nullopt;
    }
    const std::optional<BoxText> text = layOutInBox(box, some, style, growTo);
    if (!text)
        return std::nullopt;
    TextSpots spots;
    for (size_t i = 0; i < text->laid.size(); ++i) {
        const LaidParagraph& paragraph = text->laid[i];
        const QPointF at = paragraphOrigin(*text, paragraph);
        const QTextLayout& layout = *paragraph.layout;
        const int index = static_cast<int>(i);
        if (index == caret.paragraph) {
            const QTextLine line = layout.lineForTextPosition(caret.position);
            if (line.isValid()) {
                const double x = at.x() + line.cursorToX(caret.position);
                spots.caret = QLineF(x, at.y() + line.y(), x, at.y() + line.y() + line.height());
            }
        }
        if (index < from.paragraph || index > to.paragraph)
            continue;
        const int start = index == from.paragraph ? from.position : 0;
        const int end = index == to.paragraph ? to.position : static_cast<int>(layout.text().size());
        const std::vector<QRectF> rects = textRangeRects(layout, at, start, end);
        spots.selection.insert(spots.selection.end(), rects.begin(), rects.end());
    }
    return spots;
}

std::optional<TextEditing::Place> textPlaceAt(const QRectF& box, const std::vector<Paragraph>& paragraphs,
                                              const TextStyle& style, double growTo, const QPointF& point)
{
    const std::vector<Paragraph> some = paragraphs.empty() ? std::vector<Paragraph>{Paragraph{}} : paragraphs;
    if (style.vertical) {
        const std::optional<VerticalBox> text = layOutVerticalBox(box, some, style, growTo);
        return text ? std::optional(verticalPlaceAt(*text, point)) : std::nullopt;
    }
    const std::optional<BoxText> text = layOutInBox(box, some, style, growTo);
    if (!text)
        return std::nullopt;
    TextEditing::Place place;
    for (size_t i = 0; i < text->laid.size(); ++i) {
        const LaidParagraph& paragraph = text->laid[i];
        const QPointF at = paragraphOrigin(*text, paragraph);
        const QTextLayout& layout = *paragraph.layout;
        for (int l = 0; l < layout.lineCount(); ++l) {
            const QTextLine line = layout.lineAt(l);
            // The line at the point's height, or the last line above it.
            if (point.y() < at.y() + line.y() && (i > 0 || l > 0))
                return place;
            place.paragraph = static_cast<int>(i);
            place.position = line.xToCursor(point.x() - at.x());
        }
    }
    return place;
}

Qt::Alignment alignmentOf(const QString& align, Qt::Alignment fallback)
{
    const QString a = align.trimmed().toLower();
    if (a == u"left"_s)
        return Qt::AlignLeft;
    if (a == u"center"_s || a == u"centre"_s)
        return Qt::AlignHCenter;
    if (a == u"right"_s)
        return Qt::AlignRight;
    if (a == u"justify"_s || a == u"distribute"_s)
        return Qt::AlignJustify;
    return fallback;
}

} // namespace pptdrill
