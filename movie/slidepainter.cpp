#include "movie/slidepainter.h"

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
#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <memory>
#include <numbers>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {
namespace {

// Slides are laid out in points on a 10 × 7.5 inch page.
constexpr double kSlideWidth = 720;
constexpr double kSlideHeight = 540;
constexpr double kPi = std::numbers::pi;

// ------------------------------------------------------------------ fonts

// Installed families by their lower-case name; read once, never per paint.
const QHash<QString, QString>& installedFamilies()
{
    static const QHash<QString, QString> families = [] {
        QHash<QString, QString> byName;
        for (const QString& family : QFontDatabase::families())
            byName.insert(family.toLower(), family);
        return byName;
    }();
    return families;
}

QString firstInstalled(std::initializer_list<QString> candidates, const QString& fallback)
{
    for (const QString& candidate : candidates) {
        const auto found = installedFamilies().constFind(candidate.toLower());
        if (found != installedFamilies().constEnd())
            return *found;
    }
    return fallback;
}

// The Song face PowerPoint's Chinese templates use for titles and text.
const QString& songFamily()
{
    static const QString family =
        firstInstalled({u"AR PL UMing CN"_s, u"Noto Serif CJK SC"_s, u"SimSun"_s, u"宋体"_s,
                        u"Noto Sans CJK SC"_s, u"WenQuanYi Micro Hei"_s, u"Droid Sans Fallback"_s},
                       QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    return family;
}

const QString& heiFamily()
{
    static const QString family = firstInstalled(
        {u"Noto Sans CJK SC"_s, u"WenQuanYi Micro Hei"_s, u"SimHei"_s, u"黑体"_s, u"Droid Sans Fallback"_s},
        songFamily());
    return family;
}

const QString& serifFamily()
{
    static const QString family = firstInstalled(
        {u"Times New Roman"_s, u"Nimbus Roman"_s, u"Liberation Serif"_s, u"DejaVu Serif"_s}, songFamily());
    return family;
}

const QString& sansFamily()
{
    static const QString family =
        firstInstalled({u"Arial"_s, u"Nimbus Sans"_s, u"Liberation Sans"_s, u"DejaVu Sans"_s}, heiFamily());
    return family;
}

// The face a slide font family stands for. Chinese Windows faces that are not
// installed are replaced by a face of the same kind (Song or Hei).
QString slideFamily(const QString& requested)
{
    const QString name = requested.trimmed();
    if (name.isEmpty())
        return songFamily();
    if (const auto found = installedFamilies().constFind(name.toLower());
        found != installedFamilies().constEnd())
        return *found;
    static const QStringList heiFaces = {
        u"黑体"_s,   u"微软雅黑"_s,        u"幼圆"_s,   u"华文细黑"_s, u"华文黑体"_s,
        u"SimHei"_s, u"Microsoft YaHei"_s, u"YouYuan"_s};
    if (heiFaces.contains(name, Qt::CaseInsensitive))
        return heiFamily();
    const bool latinName = std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x80; });
    return latinName ? name : songFamily();
}

// A font sized in slide points (the painter maps points to pixels).
QFont makeFont(const QString& family, double size, bool bold = false, bool italic = false,
               bool underline = false)
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

// ----------------------------------------------------------------- colours

QColor colorFrom(const QString& text)
{
    if (text.trimmed().isEmpty())
        return {};
    const QColor color(text.trimmed());
    return color.isValid() ? color : QColor();
}

QColor mixed(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(
        float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
        float(a.blueF() + (b.blueF() - a.blueF()) * t), float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QColor withAlpha(QColor color, int alpha)
{
    color.setAlpha(alpha);
    return color;
}

double luminance(const QColor& color)
{
    return 0.299 * color.redF() + 0.587 * color.greenF() + 0.114 * color.blueF();
}

QColor contrastingText(const QColor& fill)
{
    return luminance(fill) > 0.55 ? QColor(Qt::black) : QColor(Qt::white);
}

// -------------------------------------------------------------------- text

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
};

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

// Text inside a placeholder keeps this distance from its frame.
constexpr double kInsetX = 7.2;
constexpr double kInsetY = 3.6;
constexpr double kLevelIndent = 40;
constexpr double kBulletGap = 0.85; // bullet to text, in ems
constexpr double kLineSpacing = 1.2;
constexpr double kParagraphSpace = 0.2;
// Text that does not fit shrinks step by step, as PowerPoint's AutoFit does.
constexpr double kShrinkStep = 0.88;
constexpr int kShrinkSteps = 14;

struct LaidParagraph
{
    std::unique_ptr<QTextLayout> layout;
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
    for (size_t i = 0; i < paragraphs.size(); ++i) {
        const Paragraph& paragraph = paragraphs[i];
        LaidParagraph out;
        out.level = paragraph.level;
        out.size = levelSize(style, paragraph.level) * factor;
        out.font = makeFont(style.family, out.size, style.bold, style.italic, style.underline);
        out.bullet = style.bullets && !paragraph.text.trimmed().isEmpty();
        if (style.bullets) {
            out.bulletIndent = paragraph.level * kLevelIndent * factor;
            out.indent = out.bulletIndent + kBulletGap * out.size;
        }
        if (i > 0)
            y += kParagraphSpace * out.size;
        out.top = y;
        out.layout = std::make_unique<QTextLayout>(paragraph.text, out.font);
        QTextOption option(style.align);
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        out.layout->setTextOption(option);
        const QFontMetricsF metrics(out.font);
        const double lineHeight = std::max(kLineSpacing * out.size, metrics.height());
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
        laid.push_back(std::move(out));
        if (y > limit)
            break;
    }
    return y;
}

void drawHorizontal(QPainter& p, const std::vector<LaidParagraph>& laid, const QPointF& origin,
                    const TextStyle& style)
{
    for (const LaidParagraph& paragraph : laid) {
        p.setPen(style.color);
        paragraph.layout->draw(&p, QPointF(origin.x() + paragraph.indent, origin.y() + paragraph.top));
        if (!paragraph.bullet || paragraph.layout->lineCount() == 0)
            continue;
        const QTextLine first = paragraph.layout->lineAt(0);
        const double textStart = origin.x() + paragraph.indent + first.naturalTextRect().left();
        const double x = textStart - (paragraph.indent - paragraph.bulletIndent);
        QFont bulletFont = makeFont(sansFamily(), paragraph.size);
        p.setFont(bulletFont);
        p.setPen(style.bulletColor);
        p.drawText(QPointF(x, origin.y() + paragraph.top + first.y() + first.ascent()),
                   bulletFor(paragraph.level));
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
};

struct VerticalColumn
{
    std::vector<VerticalGlyph> glyphs;
    QFont font;
    double size = 0;
    double width = 0;  // the column's own width
    double space = 0;  // to the next column
    double length = 0; // how far down its text reaches
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
        VerticalColumn column{{}, font, size, kLineSpacing * size, 0, 0};
        double y = start;
        if (bullet) {
            column.glyphs.push_back({bulletFor(paragraph.level), y, GlyphForm::Rotated, true});
            y = textStart;
        }
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
                column = VerticalColumn{{}, font, size, kLineSpacing * size, 0, 0};
                y = textStart;
            }
            column.glyphs.push_back({unit, y, form, false});
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

// Paints text into a placeholder or shape, shrinking it until it fits. With
// `growTo`, the text may run down to that height (a text box grows with its
// text) before it shrinks.
void paintText(QPainter& p, const QRectF& box, const std::vector<Paragraph>& given, const TextStyle& style,
               double growTo = 0)
{
    const QRectF frame(box.left(), box.top(), box.width(), std::max(box.height(), growTo));
    const QRectF inner = frame.adjusted(kInsetX, kInsetY, -kInsetX, -kInsetY);
    if (given.empty() || inner.width() < 1 || inner.height() < 1)
        return;
    std::vector<Paragraph> paragraphs(given.begin(), given.begin() + std::min(given.size(), kMaxParagraphs));
    for (Paragraph& paragraph : paragraphs)
        paragraph.text.truncate(kMaxParagraphLength);
    p.save();
    p.setClipRect(frame.adjusted(-2, -2, 2, 2), Qt::IntersectClip);
    double factor = 1;
    if (style.vertical) {
        std::vector<VerticalColumn> columns;
        double width = 0;
        for (int step = 0; step < kShrinkSteps; ++step) {
            width = layOutVertical(paragraphs, style, inner.height(), factor, inner.width(), columns);
            if (width <= inner.width())
                break;
            factor *= kShrinkStep;
        }
        drawVertical(p, columns, inner, width, style);
    } else {
        std::vector<LaidParagraph> laid;
        double height = 0;
        for (int step = 0; step < kShrinkSteps; ++step) {
            height = layOutHorizontal(paragraphs, style, inner.width(), factor, inner.height(), laid);
            if (height <= inner.height())
                break;
            factor *= kShrinkStep;
        }
        double top = inner.top();
        if (style.middle && height < inner.height())
            top += (inner.height() - height) / 2;
        drawHorizontal(p, laid, QPointF(inner.left(), top), style);
    }
    p.restore();
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
    if (a == u"justify"_s)
        return Qt::AlignJustify;
    return fallback;
}

// ----------------------------------------------------------------- designs

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

// The scheme of the blank presentation ("默认设计模板").
Design defaultDesign()
{
    Design design;
    design.shapeFill = QColor(0xBB, 0xE0, 0xE3);
    design.shapeLine = QColor(0x33, 0x33, 0x99);
    design.accent = QColor(0x33, 0x33, 0x99);
    design.accent2 = QColor(0x00, 0x99, 0x99);
    return design;
}

QPainterPath wave(double baseline, double amplitude, double phase, double wavelength)
{
    QPainterPath path;
    path.moveTo(0, kSlideHeight);
    path.lineTo(0, baseline + amplitude * std::sin(phase));
    for (double x = 0; x <= kSlideWidth; x += 12)
        path.lineTo(x, baseline + amplitude * std::sin(phase + x / wavelength * 2 * kPi));
    path.lineTo(kSlideWidth, kSlideHeight);
    path.closeSubpath();
    return path;
}

QPainterPath starPath(const QPointF& centre, double outer, double inner, int points, double rotation = 0)
{
    QPainterPath path;
    for (int i = 0; i < points * 2; ++i) {
        const double angle = rotation + i * kPi / points;
        const double radius = i % 2 == 0 ? outer : inner;
        const QPointF point(centre.x() + radius * std::sin(angle), centre.y() - radius * std::cos(angle));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

void decorateBlends(QPainter& p, const Design& d, bool titleSlide)
{
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        QPainterPath band;
        const double o = i * 34;
        band.moveTo(0, 400 + o);
        band.cubicTo(220, 330 + o, 430, 560 + o, kSlideWidth, 430 + o);
        band.lineTo(kSlideWidth, kSlideHeight);
        band.lineTo(0, kSlideHeight);
        band.closeSubpath();
        p.fillPath(band, withAlpha(Qt::white, 22 + i * 12));
    }
    QLinearGradient sweep(0, 0, kSlideWidth, 0);
    sweep.setColorAt(0, withAlpha(d.accent, 0));
    sweep.setColorAt(0.5, withAlpha(d.accent, 200));
    sweep.setColorAt(1, withAlpha(d.accent, 0));
    p.fillRect(QRectF(0, titleSlide ? 294 : 116, kSlideWidth, 3), sweep);
}

void decorateCapsules(QPainter& p, const Design& d, bool titleSlide)
{
    p.setPen(Qt::NoPen);
    const std::array<QColor, 3> colours = {d.accent, d.accent2, mixed(d.accent, Qt::white, 0.55)};
    const std::array<QRectF, 3> capsules = {QRectF(-30, 5, 250, 13), QRectF(236, 5, 120, 13),
                                            QRectF(372, 5, 60, 13)};
    for (size_t i = 0; i < capsules.size(); ++i) {
        p.setBrush(colours[i]);
        p.drawRoundedRect(capsules[i], 6.5, 6.5);
    }
    p.setBrush(withAlpha(d.accent2, 150));
    p.drawRoundedRect(QRectF(560, 512, 200, 13), 6.5, 6.5);
    p.fillRect(titleSlide ? QRectF(108, 294, 504, 2) : QRectF(36, 116, 648, 2), d.accent);
}

void decorateOcean(QPainter& p, const Design& d, bool)
{
    p.setPen(Qt::NoPen);
    p.fillPath(wave(492, 9, 0.0, 360), withAlpha(d.accent2, 90));
    p.fillPath(wave(505, 7, 1.8, 260), withAlpha(d.accent, 120));
    p.fillPath(wave(520, 5, 3.1, 200), withAlpha(Qt::white, 60));
}

void decorateNetwork(QPainter& p, const Design& d, bool)
{
    static constexpr std::array<QPointF, 9> nodes = {QPointF(560, 30), QPointF(640, 14),  QPointF(700, 60),
                                                     QPointF(610, 96), QPointF(690, 150), QPointF(28, 470),
                                                     QPointF(80, 520), QPointF(14, 530),  QPointF(130, 500)};
    static constexpr std::array<std::pair<int, int>, 10> links = {
        {{0, 1}, {1, 2}, {0, 3}, {3, 2}, {2, 4}, {3, 4}, {5, 6}, {5, 7}, {6, 8}, {5, 8}}};
    p.setPen(QPen(withAlpha(d.accent, 140), 1.2));
    for (const auto& [from, to] : links)
        p.drawLine(nodes[static_cast<size_t>(from)], nodes[static_cast<size_t>(to)]);
    p.setPen(Qt::NoPen);
    p.setBrush(d.accent2);
    for (const QPointF& node : nodes)
        p.drawEllipse(node, 4, 4);
    p.fillRect(QRectF(0, kSlideHeight - 6, kSlideWidth, 6), withAlpha(d.accent, 160));
}

void decorateLayers(QPainter& p, const Design& d, bool)
{
    p.fillRect(QRectF(0, 0, 26, kSlideHeight), withAlpha(d.accent, 150));
    p.fillRect(QRectF(10, 0, 10, kSlideHeight), withAlpha(d.accent2, 150));
    p.fillRect(QRectF(0, 0, kSlideWidth, 12), withAlpha(d.accent, 120));
    p.fillRect(QRectF(200, 6, kSlideWidth - 200, 10), withAlpha(d.accent2, 110));
    p.fillRect(QRectF(0, 512, kSlideWidth, 28), withAlpha(d.accent, 90));
    p.fillRect(QRectF(0, 522, 480, 18), withAlpha(d.accent2, 110));
}

void decorateMaple(QPainter& p, const Design& d, bool)
{
    p.setPen(Qt::NoPen);
    struct Leaf
    {
        QPointF centre;
        double radius;
        double turn;
        bool accent;
    };
    static constexpr std::array<Leaf, 4> leaves = {{{{690, 24}, 40, 0.4, true},
                                                    {{640, 10}, 22, -0.3, false},
                                                    {{30, 510}, 36, 0.9, false},
                                                    {{84, 528}, 20, 0.2, true}}};
    for (const Leaf& leaf : leaves) {
        p.setBrush(withAlpha(leaf.accent ? d.accent : d.accent2, 200));
        p.drawPath(starPath(leaf.centre, leaf.radius, leaf.radius * 0.5, 7, leaf.turn));
    }
    p.fillRect(QRectF(36, 116, 648, 1.5), withAlpha(d.title, 160));
}

void decorateMountainTop(QPainter& p, const Design& d, bool)
{
    p.setPen(Qt::NoPen);
    QPainterPath far;
    far.moveTo(0, kSlideHeight);
    for (const QPointF& point : {QPointF(0, 500), QPointF(110, 470), QPointF(220, 505), QPointF(350, 476),
                                 QPointF(470, 508), QPointF(600, 466), QPointF(720, 498)})
        far.lineTo(point);
    far.lineTo(kSlideWidth, kSlideHeight);
    far.closeSubpath();
    p.fillPath(far, withAlpha(d.accent2, 150));
    QPainterPath near;
    near.moveTo(0, kSlideHeight);
    for (const QPointF& point : {QPointF(0, 515), QPointF(70, 492), QPointF(160, 522), QPointF(280, 496),
                                 QPointF(420, 526), QPointF(560, 490), QPointF(660, 520), QPointF(720, 506)})
        near.lineTo(point);
    near.lineTo(kSlideWidth, kSlideHeight);
    near.closeSubpath();
    p.fillPath(near, d.accent);
    // Snow on the high peaks.
    p.setBrush(Qt::white);
    for (const QPointF& peak : {QPointF(110, 470), QPointF(600, 466), QPointF(350, 476)}) {
        QPainterPath cap;
        cap.moveTo(peak);
        cap.lineTo(peak.x() + 14, peak.y() + 9);
        cap.lineTo(peak.x() + 4, peak.y() + 6);
        cap.lineTo(peak.x() - 4, peak.y() + 10);
        cap.lineTo(peak.x() - 14, peak.y() + 9);
        cap.closeSubpath();
        p.drawPath(cap);
    }
}

// A small deterministic sequence for patterns that must look random.
quint32 scramble(quint32 x)
{
    x ^= x >> 16;
    x *= 0x7FEB352Du;
    x ^= x >> 15;
    x *= 0x846CA68Bu;
    x ^= x >> 16;
    return x;
}

void decoratePixel(QPainter& p, const Design& d, bool)
{
    const std::array<QColor, 4> colours = {d.accent, d.accent2, mixed(d.accent, Qt::white, 0.5),
                                           mixed(d.accent2, Qt::white, 0.5)};
    constexpr double cell = 9;
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 80; ++col) {
            const quint32 r = scramble(quint32(row * 131 + col));
            if (row == 1 && r % 3 != 0)
                continue;
            p.fillRect(QRectF(col * cell, row * cell, cell - 1, cell - 1), colours[r % 4]);
        }
    }
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 30; ++col) {
            const quint32 r = scramble(quint32(977 + row * 57 + col));
            if (r % 2 == 0)
                p.fillRect(QRectF(kSlideWidth - (col + 1) * cell, kSlideHeight - (row + 1) * cell, cell - 1,
                                  cell - 1),
                           colours[r % 4]);
        }
}

void decorateRadial(QPainter& p, const Design& d, bool)
{
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 6; ++i) {
        p.setPen(QPen(withAlpha(d.accent2, 36), 2));
        p.drawEllipse(QPointF(kSlideWidth / 2, kSlideHeight / 2), i * 70.0, i * 70.0 * 0.8);
    }
}

void decorateStream(QPainter& p, const Design& d, bool)
{
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        QPainterPath stream;
        const double o = i * 12;
        stream.moveTo(0, 470 + o);
        stream.cubicTo(180, 420 + o, 360, 560 + o, kSlideWidth, 480 + o);
        stream.lineTo(kSlideWidth, 492 + o);
        stream.cubicTo(360, 572 + o, 180, 432 + o, 0, 484 + o);
        stream.closeSubpath();
        p.fillPath(stream, withAlpha(i == 1 ? d.accent2 : d.accent, 170 - i * 30));
    }
    p.fillRect(QRectF(0, 0, 12, kSlideHeight), withAlpha(d.accent, 90));
}

void decorateWatermark(QPainter& p, const Design& d, bool)
{
    p.setPen(QPen(withAlpha(d.accent, 40), 26));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(610, 420), 170, 170);
    p.setPen(QPen(withAlpha(d.accent, 28), 10));
    p.drawEllipse(QPointF(610, 420), 110, 110);
    p.fillRect(QRectF(36, 116, 648, 1), withAlpha(d.accent2, 200));
}

void decorateCliff(QPainter& p, const Design& d, bool)
{
    p.setPen(Qt::NoPen);
    QPainterPath cliff;
    cliff.moveTo(0, 120);
    for (const QPointF& point : {QPointF(22, 128), QPointF(18, 190), QPointF(30, 240), QPointF(24, 320),
                                 QPointF(34, 380), QPointF(28, 460), QPointF(40, 540)})
        cliff.lineTo(point);
    cliff.lineTo(0, kSlideHeight);
    cliff.closeSubpath();
    p.fillPath(cliff, withAlpha(d.accent, 210));
    p.fillRect(QRectF(0, 518, kSlideWidth, 22), withAlpha(d.accent2, 120));
    p.fillRect(QRectF(36, 116, 648, 1.5), withAlpha(d.accent, 200));
}

void decorateDigitalDots(QPainter& p, const Design& d, bool)
{
    const std::array<QColor, 4> colours = {d.accent, d.accent2, QColor(0xFF, 0x99, 0x33),
                                           QColor(0x99, 0xDD, 0x44)};
    p.setPen(Qt::NoPen);
    for (int col = 0; col < 60; ++col)
        for (int row = 0; row < 2; ++row) {
            const quint32 r = scramble(quint32(col * 7 + row * 1013));
            const double radius = 1.2 + (r % 4) * 0.8;
            p.setBrush(withAlpha(colours[(r >> 3) % 4], 120 + int(r % 120)));
            p.drawEllipse(QPointF(8 + col * 12, 6 + row * 10), radius, radius);
        }
    for (int row = 0; row < 40; ++row) {
        const quint32 r = scramble(quint32(row * 31 + 5));
        const double radius = 1.2 + (r % 4) * 0.8;
        p.setBrush(withAlpha(colours[(r >> 3) % 4], 120 + int(r % 120)));
        p.drawEllipse(QPointF(12, 40 + row * 12), radius, radius);
    }
}

void decorateEcho(QPainter& p, const Design& d, bool)
{
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 8; ++i) {
        p.setPen(QPen(withAlpha(d.accent, 120 - i * 12), 3));
        p.drawEllipse(QPointF(kSlideWidth, kSlideHeight), i * 42.0, i * 42.0);
    }
    p.fillRect(QRectF(36, 116, 400, 2), d.accent2);
}

void decorateEdge(QPainter& p, const Design& d, bool)
{
    QLinearGradient band(0, 0, 0, kSlideHeight);
    band.setColorAt(0, d.accent);
    band.setColorAt(1, d.accent2);
    p.fillRect(QRectF(0, 0, 22, kSlideHeight), band);
    p.fillRect(QRectF(26, 0, 2, kSlideHeight), withAlpha(d.accent, 180));
    p.fillRect(QRectF(36, 116, 648, 1.5), withAlpha(d.accent, 200));
}

void decorateFireworks(QPainter& p, const Design& d, bool)
{
    struct Burst
    {
        QPointF centre;
        double radius;
        QColor colour;
    };
    const std::array<Burst, 3> bursts = {
        {{{650, 60}, 56, d.accent}, {{70, 480}, 44, d.accent2}, {{690, 490}, 30, QColor(0xFF, 0x88, 0xCC)}}};
    for (const Burst& burst : bursts) {
        for (int i = 0; i < 18; ++i) {
            const double angle = i * 2 * kPi / 18;
            const QPointF tip(burst.centre.x() + burst.radius * std::cos(angle),
                              burst.centre.y() + burst.radius * std::sin(angle));
            const QPointF from(burst.centre.x() + burst.radius * 0.3 * std::cos(angle),
                               burst.centre.y() + burst.radius * 0.3 * std::sin(angle));
            QLinearGradient ray(from, tip);
            ray.setColorAt(0, withAlpha(burst.colour, 0));
            ray.setColorAt(1, burst.colour);
            p.setPen(QPen(QBrush(ray), 1.6));
            p.drawLine(from, tip);
            p.setPen(Qt::NoPen);
            p.setBrush(burst.colour);
            p.drawEllipse(tip, 1.8, 1.8);
        }
    }
}

void decorateGlassLayers(QPainter& p, const Design& d, bool)
{
    p.setPen(QPen(withAlpha(Qt::white, 160), 1));
    const std::array<QRectF, 3> panes = {QRectF(560, -40, 150, 300), QRectF(610, 120, 140, 300),
                                         QRectF(520, 330, 220, 260)};
    for (size_t i = 0; i < panes.size(); ++i) {
        p.save();
        p.translate(panes[i].center());
        p.rotate(12);
        p.translate(-panes[i].center());
        p.setBrush(withAlpha(i % 2 ? d.accent2 : Qt::white, 70));
        p.drawRect(panes[i]);
        p.restore();
    }
    p.fillRect(QRectF(36, 116, 648, 2), withAlpha(d.accent, 160));
}

void decorateGlobe(QPainter& p, const Design& d, bool)
{
    const QPointF centre(650, 470);
    const double radius = 200;
    p.setBrush(withAlpha(d.accent, 50));
    p.setPen(QPen(withAlpha(d.accent2, 110), 2));
    p.drawEllipse(centre, radius, radius);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(withAlpha(d.accent2, 70), 1.4));
    for (int i = 1; i < 4; ++i)
        p.drawEllipse(centre, radius * i / 4.0, radius);
    for (int i = -3; i <= 3; ++i) {
        const double y = centre.y() + radius * i / 4.0;
        const double half = std::sqrt(radius * radius - (y - centre.y()) * (y - centre.y()));
        p.drawLine(QPointF(centre.x() - half, y), QPointF(centre.x() + half, y));
    }
}

void decorateKimono(QPainter& p, const Design& d, bool)
{
    p.fillRect(QRectF(0, 0, 30, kSlideHeight), d.accent);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 24; ++i) {
        const double y = 12 + i * 22.0;
        QPainterPath diamond;
        diamond.moveTo(15, y - 8);
        diamond.lineTo(23, y);
        diamond.lineTo(15, y + 8);
        diamond.lineTo(7, y);
        diamond.closeSubpath();
        p.fillPath(diamond, i % 2 ? d.accent2 : QColor(0x1A, 0x1A, 0x1A));
    }
    p.fillRect(QRectF(33, 0, 2, kSlideHeight), d.accent2);
    p.fillRect(QRectF(36, 116, 648, 1.5), d.accent2);
}

void decorateProposal(QPainter& p, const Design& d, bool titleSlide)
{
    p.fillRect(QRectF(0, 0, kSlideWidth, 14), d.accent);
    p.fillRect(QRectF(0, 16, kSlideWidth, 2), d.accent2);
    p.fillRect(QRectF(0, 524, kSlideWidth, 16), withAlpha(d.accent, 60));
    if (titleSlide)
        p.fillRect(QRectF(108, 294, 504, 3), d.accent2);
}

void decorateSatelliteDish(QPainter& p, const Design& d, bool)
{
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 4; ++i) {
        p.setPen(QPen(withAlpha(d.accent2, 150 - i * 25), 3));
        p.drawArc(QRectF(-i * 46.0, -i * 46.0, i * 92.0, i * 92.0), -90 * 16, 90 * 16);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(Qt::white, 170));
    for (int i = 0; i < 24; ++i) {
        const quint32 r = scramble(quint32(i + 401));
        const QPointF star(230 + (r % 480), 4 + ((r >> 10) % 14));
        p.drawEllipse(star, 1.1, 1.1);
    }
    p.fillRect(QRectF(36, 116, 648, 1.5), withAlpha(d.accent2, 200));
}

void decorateTextured(QPainter& p, const Design& d, bool)
{
    p.setPen(QPen(withAlpha(d.accent, 200), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(8, 8, kSlideWidth - 16, kSlideHeight - 16));
    p.setPen(QPen(withAlpha(d.accent, 120), 1));
    p.drawRect(QRectF(14, 14, kSlideWidth - 28, kSlideHeight - 28));
}

void decorateBanded(QPainter& p, const Design& d, bool titleSlide)
{
    p.fillRect(QRectF(0, 0, kSlideWidth, 14), d.accent);
    p.fillRect(QRectF(0, 14, kSlideWidth, 3), d.accent2);
    p.fillRect(titleSlide ? QRectF(108, 294, 504, 2) : QRectF(36, 116, 648, 2), d.accent2);
}

void decorateStriped(QPainter& p, const Design& d, bool)
{
    QLinearGradient stripe(0, 0, 0, kSlideHeight);
    stripe.setColorAt(0, d.accent);
    stripe.setColorAt(1, d.accent2);
    p.fillRect(QRectF(0, 0, 24, kSlideHeight), stripe);
    p.fillRect(QRectF(0, 526, kSlideWidth, 3), d.accent);
}

void decorateCorners(QPainter& p, const Design& d, bool)
{
    p.setPen(Qt::NoPen);
    QPainterPath corner;
    corner.moveTo(kSlideWidth, 0);
    corner.lineTo(kSlideWidth - 150, 0);
    corner.lineTo(kSlideWidth, 110);
    corner.closeSubpath();
    p.fillPath(corner, withAlpha(d.accent, 170));
    QPainterPath foot;
    foot.moveTo(0, kSlideHeight);
    foot.lineTo(190, kSlideHeight);
    foot.lineTo(0, 440);
    foot.closeSubpath();
    p.fillPath(foot, withAlpha(d.accent2, 150));
}

struct DesignEntry
{
    const char16_t* name;
    QRgb background;
    QRgb background2;
    Design::Fill fill;
    QRgb title;
    QRgb text;
    QRgb accent;
    QRgb accent2;
    QRgb shapeFill;
    bool titleBold;
    Decoration decorate;
};

using F = Design::Fill;
// Known templates by their lower-case names, without ".pot".
constexpr std::array<DesignEntry, 22> kDesigns = {{
    {u"blends", 0x1B3668, 0x3F70B8, F::Vertical, 0xFFFFFF, 0xF2F6FC, 0xFFCC33, 0x9FC3F0, 0x5B8BD6, true,
     decorateBlends},
    {u"capsules", 0xFFFFFF, 0xE6ECF5, F::Vertical, 0x1F3864, 0x262626, 0x5B7DB4, 0x9DB3D6, 0xA7B9D6, true,
     decorateCapsules},
    {u"ocean", 0x0A2F63, 0x0D7BA6, F::Vertical, 0xFFFFFF, 0xE4F1FB, 0x2DA4C9, 0x7FD3E8, 0x2E8BC0, false,
     decorateOcean},
    {u"network", 0x0B1E39, 0x16406E, F::Diagonal, 0xFFE38A, 0xFFFFFF, 0x6FA8DC, 0xFFE38A, 0x2F5F9F, true,
     decorateNetwork},
    {u"layers", 0xEEF1E8, 0xDCE3D1, F::Vertical, 0x3D5229, 0x2B2B2B, 0x8DA66E, 0x5E7A48, 0xB9C9A3, true,
     decorateLayers},
    {u"maple", 0xF8EDD7, 0xEBD3A6, F::Vertical, 0x7A2E0B, 0x3B2614, 0xD9541E, 0xE8A33C, 0xE7A35B, true,
     decorateMaple},
    {u"mountain top", 0x8DB9E3, 0xEEF5FC, F::Vertical, 0x15325C, 0x17243A, 0x3E5A7E, 0x8AA3C2, 0x7FA7CF, true,
     decorateMountainTop},
    {u"pixel", 0xFFFFFF, 0, F::Solid, 0x1F4E79, 0x222222, 0x2E75B6, 0x70AD47, 0x8DB4E2, true, decoratePixel},
    {u"radial", 0x5C8BDB, 0x10295A, F::Radial, 0xFFFFFF, 0xF0F4FF, 0xFFD966, 0xFFFFFF, 0x6C94D8, true,
     decorateRadial},
    {u"stream", 0xEAF5EF, 0xFFFFFF, F::Vertical, 0x0B5345, 0x1C2833, 0x2E9E7E, 0x8FD1B8, 0x76C7A7, true,
     decorateStream},
    {u"watermark", 0xFBFBF8, 0, F::Solid, 0x4D4D4D, 0x333333, 0x7F7F7F, 0xA6A6A6, 0xD9D9D9, false,
     decorateWatermark},
    {u"cliff", 0xF6E7C8, 0xDDAE72, F::Vertical, 0x5B3A1A, 0x3B2A1A, 0x8A5A2B, 0xB98A55, 0xC8894A, true,
     decorateCliff},
    {u"digital dots", 0x0E0E12, 0x22232B, F::Vertical, 0x66CCFF, 0xF0F0F0, 0x33AAFF, 0xFF4FA0, 0x3377AA, true,
     decorateDigitalDots},
    {u"echo", 0xFFFFFF, 0xE1EAF6, F::Diagonal, 0x17375E, 0x222222, 0x7DA7D9, 0x2F5597, 0x9DC3E6, true,
     decorateEcho},
    {u"edge", 0x2A2B33, 0x3B3D48, F::Vertical, 0xFFB347, 0xF2F2F2, 0xF28C28, 0xC0392B, 0xE07B39, true,
     decorateEdge},
    {u"fireworks", 0x05061A, 0x1B1C4D, F::Vertical, 0xFFD966, 0xFFFFFF, 0xFFD966, 0x66E0FF, 0x7F6FD9, true,
     decorateFireworks},
    {u"glass layers", 0xE2F2F3, 0xA6D2D8, F::Diagonal, 0x0D4F5C, 0x13303A, 0x2A8C9A, 0x7CC3CC, 0x7CC3CC, true,
     decorateGlassLayers},
    {u"globe", 0x0D2846, 0x1F5B8C, F::Vertical, 0xFFFFFF, 0xDDEBF7, 0x3D85C6, 0x9FC5E8, 0x3D85C6, true,
     decorateGlobe},
    {u"kimono", 0xFBF6EA, 0, F::Solid, 0x8B0000, 0x2A1A10, 0x9E1B1B, 0xC9A227, 0xD9826B, true,
     decorateKimono},
    {u"proposal", 0xFFFFFF, 0, F::Solid, 0x7B1E1E, 0x333333, 0x7B1E1E, 0xC9A227, 0xC9A9A6, true,
     decorateProposal},
    {u"satellite dish", 0x0C1B33, 0x2A4E7E, F::Vertical, 0xFFFFFF, 0xE0E8F5, 0x5B7FB8, 0xAFC8EE, 0x5B7FB8,
     true, decorateSatelliteDish},
    {u"textured", 0xEADFC5, 0, F::Parchment, 0x5A3E1B, 0x3A2A14, 0x8C6A3A, 0xB08D57, 0xC7B38A, true,
     decorateTextured},
}};

Design designFromEntry(const DesignEntry& entry)
{
    Design design;
    design.background = QColor::fromRgb(entry.background);
    design.fill = entry.fill;
    if (entry.fill != F::Solid && entry.fill != F::Parchment)
        design.background2 = QColor::fromRgb(entry.background2);
    design.title = QColor::fromRgb(entry.title);
    design.text = QColor::fromRgb(entry.text);
    design.accent = QColor::fromRgb(entry.accent);
    design.accent2 = QColor::fromRgb(entry.accent2);
    design.bullet = luminance(design.background) < 0.5 ? design.accent : design.accent.darker(115);
    design.shapeFill = QColor::fromRgb(entry.shapeFill);
    design.shapeLine =
        luminance(design.background) < 0.5 ? design.shapeFill.lighter(150) : design.shapeFill.darker(180);
    design.titleBold = entry.titleBold;
    design.decorate = entry.decorate;
    return design;
}

quint32 nameHash(const QString& name)
{
    quint32 hash = 2166136261u;
    for (const QChar c : name) {
        hash ^= c.unicode();
        hash *= 16777619u;
    }
    return scramble(hash);
}

// Any other template gets a tasteful scheme that its name always picks.
Design derivedDesign(const QString& key)
{
    const quint32 hash = nameHash(key);
    const int hue = int(hash % 360);
    const int hue2 = (hue + 25 + int((hash >> 9) % 40)) % 360;
    Design design;
    design.accent = QColor::fromHsl(hue, 150, 95);
    design.accent2 = QColor::fromHsl(hue2, 140, 150);
    design.shapeFill = QColor::fromHsl(hue, 110, 190);
    design.titleBold = (hash >> 17) % 2 == 0;
    switch ((hash >> 12) % 3) {
    case 0:
        design.background = QColor::fromHsl(hue, 60, 250);
        design.title = QColor::fromHsl(hue, 120, 60);
        design.text = QColor(0x26, 0x26, 0x26);
        design.decorate = decorateBanded;
        break;
    case 1:
        design.background = Qt::white;
        design.background2 = QColor::fromHsl(hue, 80, 232);
        design.fill = Design::Fill::Vertical;
        design.title = QColor::fromHsl(hue, 120, 70);
        design.text = QColor(0x26, 0x26, 0x26);
        design.decorate = decorateStriped;
        break;
    default:
        design.background = QColor::fromHsl(hue, 120, 40);
        design.background2 = QColor::fromHsl(hue, 110, 85);
        design.fill = Design::Fill::Vertical;
        design.title = Qt::white;
        design.text = QColor::fromHsl(hue, 60, 240);
        design.accent = QColor::fromHsl(hue2, 150, 150);
        design.accent2 = QColor::fromHsl(hue, 100, 160);
        design.decorate = decorateCorners;
        break;
    }
    const bool dark = luminance(design.background) < 0.5;
    design.bullet = dark ? design.accent2 : design.accent;
    design.shapeLine = dark ? design.shapeFill.lighter(150) : design.shapeFill.darker(180);
    return design;
}

Design designFor(const QString& name)
{
    QString key = name.trimmed();
    if (key.endsWith(u".pot"_s, Qt::CaseInsensitive))
        key.chop(4);
    key = key.trimmed().toLower();
    if (key.isEmpty() || key == u"默认设计模板"_s || key == u"default design"_s)
        return defaultDesign();
    for (const DesignEntry& entry : kDesigns)
        if (key == QStringView(entry.name))
            return designFromEntry(entry);
    return derivedDesign(key);
}

// A parchment grain, made once and tiled.
const QImage& parchmentTile()
{
    static const QImage tile = [] {
        QImage image(96, 96, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 420; ++i) {
            const quint32 r = scramble(quint32(i * 2654435761u));
            const bool dark = r % 3 != 0;
            p.setBrush(dark ? QColor(0x6B, 0x4A, 0x1E, 14 + int(r % 26))
                            : QColor(0xFF, 0xFF, 0xF0, 30 + int(r % 40)));
            const double w = 1 + (r >> 8) % 5;
            p.drawEllipse(QRectF((r >> 12) % 96, (r >> 20) % 96, w, w * 0.6));
        }
        return image;
    }();
    return tile;
}

void paintBackground(QPainter& p, const Design& design, const QColor& override)
{
    const QRectF slide(0, 0, kSlideWidth, kSlideHeight);
    if (override.isValid()) {
        p.fillRect(slide, override);
        return;
    }
    switch (design.fill) {
    case Design::Fill::Solid:
        p.fillRect(slide, design.background);
        break;
    case Design::Fill::Vertical:
    case Design::Fill::Horizontal:
    case Design::Fill::Diagonal: {
        const QPointF end = design.fill == Design::Fill::Vertical     ? QPointF(0, kSlideHeight)
                            : design.fill == Design::Fill::Horizontal ? QPointF(kSlideWidth, 0)
                                                                      : QPointF(kSlideWidth, kSlideHeight);
        QLinearGradient gradient(QPointF(0, 0), end);
        gradient.setColorAt(0, design.background);
        gradient.setColorAt(1, design.background2);
        p.fillRect(slide, gradient);
        break;
    }
    case Design::Fill::Radial: {
        QRadialGradient gradient(QPointF(kSlideWidth / 2, kSlideHeight / 2), kSlideWidth * 0.62);
        gradient.setColorAt(0, design.background);
        gradient.setColorAt(1, design.background2);
        p.fillRect(slide, gradient);
        break;
    }
    case Design::Fill::Parchment:
        p.fillRect(slide, design.background);
        p.fillRect(slide, QBrush(parchmentTile()));
        break;
    }
}

QColor backgroundTone(const Design& design, const QColor& override)
{
    if (override.isValid())
        return override;
    return design.background2.isValid() ? mixed(design.background, design.background2, 0.5)
                                        : design.background;
}

// ----------------------------------------------------------------- layouts

// What a layout placeholder holds.
enum class Region
{
    Text,
    VerticalText,
    Content,
    Table,
    Chart,
    ClipArt,
    Diagram,
    Media,
    Object,
};

struct Placeholder
{
    Region kind = Region::Text;
    QRectF rect;
};

struct LayoutGeometry
{
    enum class Title
    {
        None,
        Top,
        Centre,
        Vertical,
    };
    Title title = Title::Top;
    QRectF titleRect;
    QRectF subtitleRect;
    std::vector<Placeholder> regions;
};

// Placeholder positions of PowerPoint's default masters, in points.
const QRectF kTopTitle(36, 21.6, 648, 90);
const QRectF kBodyArea(36, 126, 648, 356.4);
const QRectF kWholeArea(36, 21.6, 648, 460.8);
const QRectF kVerticalTitle(522, 21.6, 162, 460.8);
const QRectF kBesideVerticalTitle(36, 21.6, 474, 460.8);
const QRectF kCentreTitle(54, 167.75, 612, 115.75);
const QRectF kSubtitle(108, 306, 504, 126);
constexpr double kGap = 12;

std::pair<QRectF, QRectF> sideBySide(const QRectF& r)
{
    const double w = (r.width() - kGap) / 2;
    return {QRectF(r.left(), r.top(), w, r.height()), QRectF(r.left() + w + kGap, r.top(), w, r.height())};
}

std::pair<QRectF, QRectF> stacked(const QRectF& r)
{
    const double h = (r.height() - kGap) / 2;
    return {QRectF(r.left(), r.top(), r.width(), h), QRectF(r.left(), r.top() + h + kGap, r.width(), h)};
}

// One item of a layout name ("文本", "两项内容", "图表" …) placed in `area`:
// two of a kind stand side by side, or one above the other when `stack`.
bool placeItem(QString item, const QRectF& area, bool stack, bool verticalText, std::vector<Placeholder>& out)
{
    int count = 1;
    for (const auto& [prefix, n] : {std::pair{u"两项"_s, 2}, std::pair{u"两栏"_s, 2}, std::pair{u"两个"_s, 2},
                                    std::pair{u"四项"_s, 4}, std::pair{u"四个"_s, 4}}) {
        if (item.startsWith(prefix)) {
            count = n;
            item = item.mid(prefix.size());
            break;
        }
    }
    Region kind;
    if (item == u"文本"_s || item == u"文字"_s)
        kind = verticalText ? Region::VerticalText : Region::Text;
    else if (item == u"竖排文字"_s || item == u"竖排文本"_s || item == u"垂直排列文本"_s)
        kind = Region::VerticalText;
    else if (item == u"内容"_s)
        kind = Region::Content;
    else if (item == u"表格"_s)
        kind = Region::Table;
    else if (item == u"图表"_s)
        kind = Region::Chart;
    else if (item == u"剪贴画"_s)
        kind = Region::ClipArt;
    else if (item == u"图示或组织结构图"_s || item == u"组织结构图"_s || item == u"图示"_s)
        kind = Region::Diagram;
    else if (item == u"媒体剪辑"_s)
        kind = Region::Media;
    else if (item == u"对象"_s)
        kind = Region::Object;
    else
        return false;
    if (count == 1) {
        out.push_back({kind, area});
    } else if (count == 2) {
        const auto [first, second] = stack ? stacked(area) : sideBySide(area);
        out.push_back({kind, first});
        out.push_back({kind, second});
    } else {
        const auto [top, bottom] = stacked(area);
        for (const QRectF& row : {top, bottom}) {
            const auto [left, right] = sideBySide(row);
            out.push_back({kind, left});
            out.push_back({kind, right});
        }
    }
    return true;
}

// Reads what follows the title in a layout name: "X与Y" puts X left and Y
// right, "X在Y之上" puts X above Y, anything else fills the area.
bool placeRegions(QString rest, const QRectF& area, bool verticalText, std::vector<Placeholder>& out)
{
    while (!rest.isEmpty() && QStringView(u"和，,、与且 ").contains(rest.front()))
        rest.remove(0, 1);
    if (rest.isEmpty())
        return false;
    const qsizetype on = rest.indexOf(u'在');
    if (rest.endsWith(u"之上"_s) && on > 0) {
        const auto [top, bottom] = stacked(area);
        return placeItem(rest.left(on), top, false, verticalText, out) &&
               placeItem(rest.mid(on + 1, rest.size() - on - 3), bottom, false, verticalText, out);
    }
    const qsizetype with = rest.indexOf(u'与');
    if (with > 0) {
        const auto [left, right] = sideBySide(area);
        return placeItem(rest.left(with), left, true, verticalText, out) &&
               placeItem(rest.mid(with + 1), right, true, verticalText, out);
    }
    return placeItem(rest, area, false, verticalText, out);
}

LayoutGeometry textLayout()
{
    LayoutGeometry geometry;
    geometry.titleRect = kTopTitle;
    geometry.regions.push_back({Region::Text, kBodyArea});
    return geometry;
}

// The placeholders of a layout of the 幻灯片版式 task pane, by its name.
// Names the pane does not have are read the way its names are built, and
// anything unreadable is shown as 标题和文本.
LayoutGeometry layoutGeometry(const QString& layout)
{
    QString name = layout.trimmed();
    name.replace(u',', u'，');
    LayoutGeometry geometry;
    if (name == u"标题幻灯片"_s) {
        geometry.title = LayoutGeometry::Title::Centre;
        geometry.titleRect = kCentreTitle;
        geometry.subtitleRect = kSubtitle;
        return geometry;
    }
    if (name == u"只有标题"_s) {
        geometry.titleRect = kTopTitle;
        return geometry;
    }
    if (name == u"空白"_s) {
        geometry.title = LayoutGeometry::Title::None;
        return geometry;
    }
    QString rest;
    QRectF area;
    bool verticalText = false;
    if (name.startsWith(u"垂直排列标题"_s)) {
        geometry.title = LayoutGeometry::Title::Vertical;
        geometry.titleRect = kVerticalTitle;
        rest = name.mid(6);
        area = kBesideVerticalTitle;
        verticalText = true;
    } else if (name.startsWith(u"标题"_s)) {
        geometry.titleRect = kTopTitle;
        rest = name.mid(2);
        area = kBodyArea;
    } else {
        geometry.title = LayoutGeometry::Title::None;
        rest = name;
        area = kWholeArea;
    }
    if (!placeRegions(rest, area, verticalText, geometry.regions))
        return textLayout();
    return geometry;
}

bool holdsText(Region kind)
{
    return kind == Region::Text || kind == Region::VerticalText || kind == Region::Content ||
           kind == Region::Object;
}

// The placeholder that takes the slide's body text.
const Placeholder* bodyPlaceholder(const LayoutGeometry& geometry)
{
    for (const Placeholder& placeholder : geometry.regions)
        if (placeholder.kind == Region::Text || placeholder.kind == Region::VerticalText)
            return &placeholder;
    for (const Placeholder& placeholder : geometry.regions)
        if (holdsText(placeholder.kind))
            return &placeholder;
    return geometry.regions.empty() ? nullptr : &geometry.regions.front();
}

QRectF toTarget(const QRectF& target, const QRectF& points)
{
    if (points.isEmpty())
        return {};
    const double sx = target.width() / kSlideWidth;
    const double sy = target.height() / kSlideHeight;
    return QRectF(target.left() + points.left() * sx, target.top() + points.top() * sy, points.width() * sx,
                  points.height() * sy);
}

// ------------------------------------------------------------------ slides

struct SlideStyles
{
    TextStyle title;
    TextStyle subtitle;
    TextStyle body;
    QColor prompt;
};

SlideStyles stylesFor(const Slide& slide, const Design& design, bool verticalTitle)
{
    SlideStyles styles;
    const SlideFont& tf = slide.titleFont;
    styles.title.family = slideFamily(tf.family);
    styles.title.size = tf.size > 0 ? tf.size : 44;
    styles.title.bold = tf.bold.value_or(design.titleBold);
    styles.title.italic = tf.italic.value_or(false);
    styles.title.underline = tf.underline.value_or(false);
    styles.title.color = colorFrom(tf.color).isValid() ? colorFrom(tf.color) : design.title;
    styles.title.bulletColor = styles.title.color;
    styles.title.align = alignmentOf(tf.align, Qt::AlignHCenter);
    styles.title.middle = true;
    styles.title.vertical = verticalTitle;

    const SlideFont& bf = slide.bodyFont;
    styles.body.family = slideFamily(bf.family);
    styles.body.size = bf.size > 0 ? bf.size : 32;
    styles.body.bold = bf.bold.value_or(false);
    styles.body.italic = bf.italic.value_or(false);
    styles.body.underline = bf.underline.value_or(false);
    styles.body.color = colorFrom(bf.color).isValid() ? colorFrom(bf.color) : design.text;
    styles.body.bulletColor = colorFrom(bf.color).isValid() ? styles.body.color : design.bullet;
    styles.body.align = alignmentOf(bf.align, Qt::AlignLeft);
    styles.body.bullets = true;

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

void paintIconIn(QPainter& p, const QRectF& rect, const QString& key);

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

QString iconForObject(Region kind)
{
    switch (kind) {
    case Region::Table:
        return u"table"_s;
    case Region::Chart:
        return u"chart"_s;
    case Region::ClipArt:
        return u"clipart"_s;
    case Region::Diagram:
        return u"diagram"_s;
    case Region::Media:
        return u"movie"_s;
    default:
        return u"object"_s;
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

void paintShape(QPainter& p, const SlideShape& shape, const Design& design);

void paintSlideContent(QPainter& p, const Slide& slide, const Design& design, SlidePaintMode mode)
{
    const QColor override = colorFrom(slide.background);
    const LayoutGeometry geometry = layoutGeometry(slide.layout);
    const bool titleSlide = geometry.title == LayoutGeometry::Title::Centre;
    paintBackground(p, design, override);
    if (design.decorate)
        design.decorate(p, design, titleSlide);

    const bool editing = mode == SlidePaintMode::Editing;
    const QColor prompt = luminance(backgroundTone(design, override)) < 0.5 ? QColor(0xC8, 0xC8, 0xC8)
                                                                            : QColor(0x80, 0x80, 0x80);
    const SlideStyles styles = stylesFor(slide, design, geometry.title == LayoutGeometry::Title::Vertical);

    if (geometry.title != LayoutGeometry::Title::None) {
        const std::vector<Paragraph> title = plainParagraphs(slide.title);
        if (hasText(title)) {
            paintText(p, geometry.titleRect, title, styles.title);
        } else if (editing) {
            drawPlaceholderFrame(p, geometry.titleRect, prompt);
            paintText(p, geometry.titleRect, {{u"单击此处添加标题"_s, 0}}, promptStyle(styles.title, prompt));
        }
    }

    if (titleSlide) {
        std::vector<Paragraph> subtitle =
            slide.subtitle.isEmpty() ? std::vector<Paragraph>() : plainParagraphs(slide.subtitle);
        for (const Paragraph& line : paragraphsOf(slide.body))
            subtitle.push_back({line.text, 0});
        if (hasText(subtitle)) {
            paintText(p, geometry.subtitleRect, subtitle, styles.subtitle);
        } else if (editing) {
            drawPlaceholderFrame(p, geometry.subtitleRect, prompt);
            paintText(p, geometry.subtitleRect, {{u"单击此处添加副标题"_s, 0}},
                      promptStyle(styles.subtitle, prompt));
        }
    }

    std::vector<const Placeholder*> textHolders;
    for (const Placeholder& placeholder : geometry.regions)
        if (holdsText(placeholder.kind))
            textHolders.push_back(&placeholder);
    // A layout without a text placeholder still shows body text in its main one.
    if (textHolders.empty() && !slide.body.isEmpty())
        if (const Placeholder* main = bodyPlaceholder(geometry))
            textHolders.push_back(main);
    const std::vector<std::vector<Paragraph>> parts = distributeBody(slide.body, textHolders.size());

    for (const Placeholder& placeholder : geometry.regions) {
        const auto holder = std::find(textHolders.begin(), textHolders.end(), &placeholder);
        const std::vector<Paragraph>* text =
            holder == textHolders.end() ? nullptr : &parts[static_cast<size_t>(holder - textHolders.begin())];
        TextStyle body = styles.body;
        body.vertical = placeholder.kind == Region::VerticalText;
        if (text && hasText(*text)) {
            paintText(p, placeholder.rect, *text, body);
            continue;
        }
        if (!editing)
            continue;
        drawPlaceholderFrame(p, placeholder.rect, prompt);
        switch (placeholder.kind) {
        case Region::Text:
        case Region::VerticalText:
            paintText(p, placeholder.rect, {{u"单击此处添加文本"_s, 0}}, promptStyle(body, prompt));
            break;
        case Region::Content:
            paintContentPrompt(p, placeholder.rect, body, prompt);
            break;
        default:
            paintObjectPrompt(p, placeholder.rect, placeholder.kind, prompt);
            break;
        }
    }

    for (const SlideShape& shape : slide.shapes)
        paintShape(p, shape, design);
}

// ------------------------------------------------------------------ shapes

constexpr double kShapeLineWidth = 0.75;
constexpr double kShapeTextSize = 18;

TextStyle shapeTextStyle(const QColor& colour, Qt::Alignment align = Qt::AlignHCenter)
{
    TextStyle style;
    style.family = songFamily();
    style.size = kShapeTextSize;
    style.color = colour;
    style.bulletColor = colour;
    style.align = align;
    style.middle = true;
    return style;
}

QPainterPath blockArrowPath(const QRectF& r)
{
    const double headStart = r.right() - std::min(r.width(), r.height()) * 0.5;
    const double shaftTop = r.top() + r.height() * 0.25;
    const double shaftBottom = r.bottom() - r.height() * 0.25;
    QPainterPath path;
    path.moveTo(r.left(), shaftTop);
    path.lineTo(headStart, shaftTop);
    path.lineTo(headStart, r.top());
    path.lineTo(r.right(), r.center().y());
    path.lineTo(headStart, r.bottom());
    path.lineTo(headStart, shaftBottom);
    path.lineTo(r.left(), shaftBottom);
    path.closeSubpath();
    return path;
}

// A five-point star that fills its box, as an AutoShape star does.
QPainterPath starInBox(const QRectF& r)
{
    const QPainterPath unit = starPath(QPointF(0, 0), 1, 0.382, 5);
    const QRectF bounds = unit.boundingRect();
    QTransform t;
    t.translate(r.left(), r.top());
    t.scale(r.width() / bounds.width(), r.height() / bounds.height());
    t.translate(-bounds.left(), -bounds.top());
    return t.map(unit);
}

void paintSmiley(QPainter& p, const QRectF& r, const QColor& fill, const QColor& line)
{
    p.setPen(QPen(line, kShapeLineWidth));
    p.setBrush(fill);
    p.drawEllipse(r);
    p.setBrush(fill.darker(160));
    const double eyeW = r.width() * 0.1;
    const double eyeH = r.height() * 0.12;
    p.drawEllipse(QRectF(r.left() + r.width() * 0.3 - eyeW / 2, r.top() + r.height() * 0.3, eyeW, eyeH));
    p.drawEllipse(QRectF(r.left() + r.width() * 0.7 - eyeW / 2, r.top() + r.height() * 0.3, eyeW, eyeH));
    QPainterPath smile;
    smile.moveTo(r.left() + r.width() * 0.25, r.top() + r.height() * 0.66);
    smile.quadTo(r.center().x(), r.top() + r.height() * 0.86, r.left() + r.width() * 0.75,
                 r.top() + r.height() * 0.66);
    p.setBrush(Qt::NoBrush);
    p.drawPath(smile);
}

// A landscape photograph: sky, sun, hills.
void paintPicture(QPainter& p, const QRectF& r)
{
    p.save();
    p.setClipRect(r, Qt::IntersectClip);
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, QColor(0x3F, 0x8C, 0xD8));
    sky.setColorAt(0.65, QColor(0xBF, 0xDF, 0xF7));
    p.fillRect(r, sky);
    p.setPen(Qt::NoPen);
    const double unit = std::min(r.width(), r.height());
    QRadialGradient glow(QPointF(r.left() + r.width() * 0.76, r.top() + r.height() * 0.24), unit * 0.2);
    glow.setColorAt(0, QColor(0xFF, 0xF2, 0x9E));
    glow.setColorAt(0.55, QColor(0xFF, 0xD2, 0x3C));
    glow.setColorAt(1, QColor(0xFF, 0xD2, 0x3C, 0));
    p.setBrush(glow);
    p.drawEllipse(QPointF(r.left() + r.width() * 0.76, r.top() + r.height() * 0.24), unit * 0.2, unit * 0.2);
    QPainterPath far;
    far.moveTo(r.left(), r.bottom());
    far.lineTo(r.left(), r.top() + r.height() * 0.62);
    far.quadTo(r.left() + r.width() * 0.3, r.top() + r.height() * 0.38, r.left() + r.width() * 0.62,
               r.top() + r.height() * 0.66);
    far.quadTo(r.left() + r.width() * 0.82, r.top() + r.height() * 0.52, r.right(),
               r.top() + r.height() * 0.6);
    far.lineTo(r.right(), r.bottom());
    far.closeSubpath();
    p.fillPath(far, QColor(0x5E, 0x9E, 0x4A));
    QPainterPath near;
    near.moveTo(r.left(), r.bottom());
    near.lineTo(r.left(), r.top() + r.height() * 0.84);
    near.quadTo(r.left() + r.width() * 0.45, r.top() + r.height() * 0.62, r.right(),
                r.top() + r.height() * 0.8);
    near.lineTo(r.right(), r.bottom());
    near.closeSubpath();
    QLinearGradient grass(QPointF(0, r.top() + r.height() * 0.65), QPointF(0, r.bottom()));
    grass.setColorAt(0, QColor(0x7C, 0xC1, 0x4E));
    grass.setColorAt(1, QColor(0x3E, 0x7D, 0x2A));
    p.fillPath(near, grass);
    p.restore();
}

// Clip art: a flower in a pot.
void paintClipArt(QPainter& p, const QRectF& box, const QColor& petals)
{
    const double side = std::min(box.width(), box.height());
    const QRectF r(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    const auto at = [&r](double x, double y) {
        return QPointF(r.left() + x * r.width(), r.top() + y * r.height());
    };
    const QColor outline(0x33, 0x33, 0x33);
    p.setPen(QPen(QColor(0x2E, 0x7D, 0x32), side * 0.035, Qt::SolidLine, Qt::RoundCap));
    QPainterPath stem;
    stem.moveTo(at(0.5, 0.72));
    stem.cubicTo(at(0.48, 0.6), at(0.53, 0.5), at(0.5, 0.38));
    p.drawPath(stem);
    p.setPen(QPen(outline, side * 0.012));
    p.setBrush(QColor(0x5C, 0xB8, 0x4A));
    for (const bool left : {true, false}) {
        QPainterPath leaf;
        const double dir = left ? -1 : 1;
        leaf.moveTo(at(0.5, 0.6));
        leaf.quadTo(at(0.5 + dir * 0.12, 0.46), at(0.5 + dir * 0.24, 0.52));
        leaf.quadTo(at(0.5 + dir * 0.14, 0.64), at(0.5, 0.6));
        p.drawPath(leaf);
    }
    p.setBrush(petals);
    const QPointF centre = at(0.5, 0.28);
    for (int i = 0; i < 6; ++i) {
        p.save();
        p.translate(centre);
        p.rotate(i * 60.0);
        p.drawEllipse(QRectF(-side * 0.075, -side * 0.22, side * 0.15, side * 0.17));
        p.restore();
    }
    p.setBrush(QColor(0xFF, 0xD5, 0x3A));
    p.drawEllipse(centre, side * 0.08, side * 0.08);
    QPainterPath pot;
    pot.moveTo(at(0.3, 0.72));
    pot.lineTo(at(0.7, 0.72));
    pot.lineTo(at(0.63, 0.97));
    pot.lineTo(at(0.37, 0.97));
    pot.closeSubpath();
    p.setBrush(QColor(0xC8, 0x6B, 0x3C));
    p.drawPath(pot);
    p.setBrush(QColor(0xB0, 0x57, 0x2C));
    p.drawRect(QRectF(at(0.27, 0.69), at(0.73, 0.77)));
}

// WordArt: the text stretched over its box, slightly arched, filled with a
// gradient and outlined, over a soft shadow.
void paintWordArt(QPainter& p, const QRectF& r, const QString& text, const QColor& fill, const QColor& line)
{
    constexpr qsizetype kMaxWordArt = 200;
    const QString words =
        text.trimmed().isEmpty() ? u"请在此键入您自己的内容"_s : text.trimmed().left(kMaxWordArt);
    QPainterPath path;
    path.addText(0, 0, makeFont(songFamily(), 100, true), words);
    const QRectF bounds = path.boundingRect();
    if (bounds.isEmpty())
        return;
    const double arch = r.height() * 0.14;
    QTransform fit;
    fit.translate(r.left(), r.top() + arch);
    fit.scale(r.width() / bounds.width(), (r.height() - arch) / bounds.height());
    fit.translate(-bounds.left(), -bounds.top());
    path = fit.map(path);
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const double t = (e.x - r.center().x()) / (r.width() / 2);
        path.setElementPositionAt(i, e.x, e.y - arch * (1 - t * t));
    }
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x80, 0x80, 0x80, 110));
    p.drawPath(path.translated(r.height() * 0.04, r.height() * 0.05));
    QLinearGradient gradient(r.topLeft(), r.bottomLeft());
    gradient.setColorAt(0, fill.lighter(160));
    gradient.setColorAt(0.5, fill);
    gradient.setColorAt(1, fill.darker(150));
    p.setBrush(gradient);
    p.setPen(QPen(line, std::max(0.5, r.height() * 0.012)));
    p.drawPath(path);
    p.restore();
}

struct TableCells
{
    int rows = 3;
    int columns = 3;
    std::vector<QStringList> cells;
};

// "5x4" is five rows of four columns; other text is the cells themselves,
// one row a line, cells split by tabs or "|".
TableCells tableCellsOf(const QString& text)
{
    constexpr int kMostRowsOrColumns = 40;
    TableCells table;
    static const QRegularExpression size(u"^\\s*(\\d{1,3})\\s*[xX×*]\\s*(\\d{1,3})\\s*$"_s);
    if (const QRegularExpressionMatch match = size.match(text); match.hasMatch()) {
        table.rows = std::clamp(match.captured(1).toInt(), 1, kMostRowsOrColumns);
        table.columns = std::clamp(match.captured(2).toInt(), 1, kMostRowsOrColumns);
        return table;
    }
    if (text.trimmed().isEmpty())
        return table;
    static const QRegularExpression cellBreak(u"[\\t|]"_s);
    const QStringList lines = text.split(u'\n');
    int columns = 1;
    for (const QString& line : lines.mid(0, kMostRowsOrColumns)) {
        table.cells.push_back(line.split(cellBreak).mid(0, kMostRowsOrColumns));
        columns = std::max(columns, int(table.cells.back().size()));
    }
    table.rows = std::max(int(table.cells.size()), 2);
    table.columns = std::max(columns, 2);
    return table;
}

void paintTable(QPainter& p, const QRectF& r, const QString& text, const QColor& fill, const QColor& line,
                const QColor& header)
{
    const TableCells table = tableCellsOf(text);
    const double cellW = r.width() / table.columns;
    const double cellH = r.height() / table.rows;
    p.fillRect(QRectF(r.left(), r.top(), r.width(), cellH), header);
    p.fillRect(QRectF(r.left(), r.top() + cellH, r.width(), r.height() - cellH), fill);
    p.setPen(QPen(line, kShapeLineWidth));
    for (int row = 0; row <= table.rows; ++row)
        p.drawLine(QPointF(r.left(), r.top() + row * cellH), QPointF(r.right(), r.top() + row * cellH));
    for (int col = 0; col <= table.columns; ++col)
        p.drawLine(QPointF(r.left() + col * cellW, r.top()), QPointF(r.left() + col * cellW, r.bottom()));
    TextStyle style = shapeTextStyle(Qt::black);
    style.size = std::min(kShapeTextSize, cellH * 0.55);
    for (size_t row = 0; row < table.cells.size(); ++row)
        for (qsizetype col = 0; col < table.cells[row].size(); ++col) {
            style.color = contrastingText(row == 0 ? header : fill);
            const QRectF cell(r.left() + col * cellW, r.top() + row * cellH, cellW, cellH);
            paintText(p, cell, {{table.cells[row][col], 0}}, style);
        }
}

// Microsoft Graph's sample datasheet, as a 3-D column chart with a legend.
void paintChart(QPainter& p, const QRectF& r, const QColor& background, const QColor& ink)
{
    static const std::array<QString, 3> series = {u"东部"_s, u"西部"_s, u"北部"_s};
    static const std::array<QString, 4> quarters = {u"第一季度"_s, u"第二季度"_s, u"第三季度"_s,
                                                    u"第四季度"_s};
    static constexpr std::array<std::array<double, 4>, 3> values = {
        {{20.4, 27.4, 90, 20.4}, {30.6, 38.6, 34.6, 31.6}, {45.9, 46.9, 45, 43.9}}};
    static const std::array<QColor, 3> colours = {QColor(0x99, 0x99, 0xFF), QColor(0x99, 0x33, 0x66),
                                                  QColor(0xFF, 0xFF, 0xCC)};
    if (background.isValid())
        p.fillRect(r, background);
    const double text = std::max(3.0, std::min(r.width(), r.height() * 4 / 3) * 0.04);
    const QFont font = makeFont(songFamily(), text);
    const QFontMetricsF metrics(font);
    p.setFont(font);
    const QColor legendInk(0x20, 0x20, 0x20);

    const double legendW = metrics.horizontalAdvance(series[0]) + text * 2.6;
    const double legendH = text * 1.5 * 3 + text * 0.6;
    const QRectF legend(r.right() - legendW - text * 0.4, r.center().y() - legendH / 2, legendW, legendH);
    const QRectF plot(r.left() + metrics.horizontalAdvance(u"100"_s) + text * 0.8, r.top() + text,
                      legend.left() - text * 0.8 -
                          (r.left() + metrics.horizontalAdvance(u"100"_s) + text * 0.8),
                      r.height() - text * 3.2);
    if (plot.width() <= 0 || plot.height() <= 0)
        return;
    const double depth = std::min(plot.width(), plot.height()) * 0.09;
    const double front = plot.bottom();
    const double frontTop = plot.top() + depth;
    const auto valueY = [&](double v) { return front - v / 100 * (front - frontTop); };
    const double frontRight = plot.right() - depth;

    QPen wallPen(QColor(0x80, 0x80, 0x80), kShapeLineWidth * 0.6);
    p.setPen(wallPen);
    p.setBrush(QColor(0xC0, 0xC0, 0xC0));
    p.drawPolygon(
        QPolygonF({QPointF(plot.left() + depth, plot.top()), QPointF(plot.right(), plot.top()),
                   QPointF(plot.right(), front - depth), QPointF(plot.left() + depth, front - depth)}));
    p.setBrush(QColor(0xA8, 0xA8, 0xA8));
    p.drawPolygon(QPolygonF({QPointF(plot.left(), frontTop), QPointF(plot.left() + depth, plot.top()),
                             QPointF(plot.left() + depth, front - depth), QPointF(plot.left(), front)}));
    p.setBrush(QColor(0x96, 0x96, 0x96));
    p.drawPolygon(QPolygonF({QPointF(plot.left(), front), QPointF(plot.left() + depth, front - depth),
                             QPointF(plot.right(), front - depth), QPointF(frontRight, front)}));
    p.setPen(QPen(ink, kShapeLineWidth * 0.5));
    for (int v = 0; v <= 100; v += 20) {
        const double y = valueY(v);
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.left() + depth, y - depth));
        p.drawLine(QPointF(plot.left() + depth, y - depth), QPointF(plot.right(), y - depth));
        const QString label = QString::number(v);
        p.drawText(
            QPointF(plot.left() - text * 0.3 - metrics.horizontalAdvance(label), y + metrics.ascent() / 2.5),
            label);
    }
    const double slot = (frontRight - plot.left()) / 4;
    const double labelSize = text * std::min(1.0, slot * 0.92 / metrics.horizontalAdvance(quarters[0]));
    const QFont labelFont = makeFont(songFamily(), labelSize);
    const QFontMetricsF labelMetrics(labelFont);
    const double columnW = slot * 0.7 / 3;
    const double inset = depth * 0.25;
    const double columnDepth = depth * 0.55;
    for (size_t q = 0; q < quarters.size(); ++q) {
        for (size_t s = 0; s < series.size(); ++s) {
            const double x = plot.left() + q * slot + slot * 0.15 + s * columnW + inset;
            const double bottom = front - inset;
            const double top = valueY(values[s][q]) - inset;
            const QColor c = colours[s];
            p.setPen(QPen(QColor(0x30, 0x30, 0x30), kShapeLineWidth * 0.4));
            p.setBrush(c);
            p.drawRect(QRectF(QPointF(x, top), QPointF(x + columnW, bottom)));
            p.setBrush(c.lighter(125));
            p.drawPolygon(QPolygonF({QPointF(x, top), QPointF(x + columnDepth, top - columnDepth),
                                     QPointF(x + columnW + columnDepth, top - columnDepth),
                                     QPointF(x + columnW, top)}));
            p.setBrush(c.darker(135));
            p.drawPolygon(QPolygonF(
                {QPointF(x + columnW, top), QPointF(x + columnW + columnDepth, top - columnDepth),
                 QPointF(x + columnW + columnDepth, bottom - columnDepth), QPointF(x + columnW, bottom)}));
        }
        p.setPen(ink);
        p.setFont(labelFont);
        const double centre = plot.left() + q * slot + slot / 2;
        p.drawText(QPointF(centre - labelMetrics.horizontalAdvance(quarters[q]) / 2, front + text * 1.4),
                   quarters[q]);
    }
    p.setFont(font);
    p.setPen(QPen(legendInk, kShapeLineWidth * 0.5));
    p.setBrush(Qt::white);
    p.drawRect(legend);
    for (size_t s = 0; s < series.size(); ++s) {
        const double y = legend.top() + text * 0.3 + s * text * 1.5;
        p.setBrush(colours[s]);
        p.drawRect(QRectF(legend.left() + text * 0.5, y + text * 0.35, text * 0.8, text * 0.8));
        p.drawText(QPointF(legend.left() + text * 1.8, y + text * 0.35 + metrics.ascent() * 0.85), series[s]);
    }
}

void paintOrgChart(QPainter& p, const QRectF& r, const QString& text, const QColor& fill, const QColor& line)
{
    const double boxW = r.width() * 0.28;
    const double boxH = r.height() * 0.32;
    const QRectF boss(r.center().x() - boxW / 2, r.top(), boxW, boxH);
    const double childTop = r.bottom() - boxH;
    const std::array<QRectF, 3> staff = {QRectF(r.left(), childTop, boxW, boxH),
                                         QRectF(r.center().x() - boxW / 2, childTop, boxW, boxH),
                                         QRectF(r.right() - boxW, childTop, boxW, boxH)};
    const double middle = (boss.bottom() + childTop) / 2;
    p.setPen(QPen(line, kShapeLineWidth));
    p.drawLine(QPointF(boss.center().x(), boss.bottom()), QPointF(boss.center().x(), middle));
    p.drawLine(QPointF(staff[0].center().x(), middle), QPointF(staff[2].center().x(), middle));
    for (const QRectF& box : staff)
        p.drawLine(QPointF(box.center().x(), middle), QPointF(box.center().x(), childTop));
    p.setBrush(fill);
    const QStringList names = text.split(u'\n');
    TextStyle style = shapeTextStyle(contrastingText(fill));
    style.size = std::min(kShapeTextSize, boxH * 0.32);
    for (size_t i = 0; i < 4; ++i) {
        const QRectF& box = i == 0 ? boss : staff[i - 1];
        p.setPen(QPen(line, kShapeLineWidth));
        p.drawRect(box);
        if (qsizetype(i) < names.size() && !names[qsizetype(i)].trimmed().isEmpty())
            paintText(p, box, {{names[qsizetype(i)].trimmed(), 0}}, style);
    }
}

void paintSpeaker(QPainter& p, const QRectF& box, const QColor& colour)
{
    const double side = std::min(box.width(), box.height());
    const QRectF r(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    const auto at = [&r](double x, double y) {
        return QPointF(r.left() + x * r.width(), r.top() + y * r.height());
    };
    QPainterPath speaker;
    speaker.moveTo(at(0.1, 0.36));
    speaker.lineTo(at(0.3, 0.36));
    speaker.lineTo(at(0.55, 0.12));
    speaker.lineTo(at(0.55, 0.88));
    speaker.lineTo(at(0.3, 0.64));
    speaker.lineTo(at(0.1, 0.64));
    speaker.closeSubpath();
    QLinearGradient body(r.topLeft(), r.bottomLeft());
    body.setColorAt(0, colour.lighter(150));
    body.setColorAt(1, colour.darker(130));
    p.setPen(QPen(QColor(0x30, 0x30, 0x40), side * 0.03, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(body);
    p.drawPath(speaker);
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 2; ++i) {
        const double radius = side * (0.12 + i * 0.12);
        p.drawArc(QRectF(at(0.56, 0.5) - QPointF(radius, radius), QSizeF(radius * 2, radius * 2)), -45 * 16,
                  90 * 16);
    }
}

void paintFilm(QPainter& p, const QRectF& r)
{
    p.fillRect(r, QColor(0x1C, 0x1C, 0x1C));
    const double strip = std::min(r.height() * 0.14, r.width() * 0.14);
    const double hole = strip * 0.5;
    const int holes = std::max(2, int(r.width() / (hole * 2)));
    const double step = r.width() / holes;
    for (int i = 0; i < holes; ++i) {
        const double x = r.left() + i * step + (step - hole) / 2;
        p.fillRect(QRectF(x, r.top() + (strip - hole) / 2, hole, hole), QColor(0xEE, 0xEE, 0xEE));
        p.fillRect(QRectF(x, r.bottom() - strip + (strip - hole) / 2, hole, hole), QColor(0xEE, 0xEE, 0xEE));
    }
    paintPicture(p, r.adjusted(strip * 0.5, strip, -strip * 0.5, -strip));
}

void paintActionButton(QPainter& p, const QRectF& r, const QColor& fill, const QColor& line)
{
    const double bevel = std::min(r.width(), r.height()) * 0.125;
    const QRectF face = r.adjusted(bevel, bevel, -bevel, -bevel);
    p.setPen(Qt::NoPen);
    p.fillRect(r, fill);
    p.setBrush(fill.lighter(150));
    p.drawPolygon(QPolygonF(
        {r.topLeft(), r.topRight(), face.topRight(), face.topLeft(), face.bottomLeft(), r.bottomLeft()}));
    p.setBrush(fill.darker(160));
    p.drawPolygon(QPolygonF({r.bottomRight(), r.bottomLeft(), face.bottomLeft(), face.bottomRight(),
                             face.topRight(), r.topRight()}));
    p.setBrush(fill);
    p.drawRect(face);
    const double size = std::min(face.width(), face.height()) * 0.55;
    const QPointF c = face.center();
    p.setBrush(fill.darker(250));
    p.drawPolygon(
        QPolygonF({QPointF(c.x() - size * 0.4, c.y() - size / 2), QPointF(c.x() + size * 0.5, c.y()),
                   QPointF(c.x() - size * 0.4, c.y() + size / 2)}));
    p.setPen(QPen(line, kShapeLineWidth));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
}

void paintShape(QPainter& p, const SlideShape& shape, const Design& design)
{
    const QRectF r = QRectF(shape.x, shape.y, shape.w, shape.h).normalized();
    if (!(r.width() > 0.1 && r.height() > 0.1))
        return;
    const QColor givenFill = colorFrom(shape.fill);
    const QColor givenLine = colorFrom(shape.line);
    const QColor fill = givenFill.isValid() ? givenFill : design.shapeFill;
    const QColor line = givenLine.isValid() ? givenLine : design.shapeLine;
    const QString type = shape.type.trimmed().toLower();
    const QPen outline(line, kShapeLineWidth);
    p.save();
    p.setPen(outline);
    p.setBrush(fill);
    bool textInside = true;
    if (type == u"textbox"_s) {
        if (givenFill.isValid())
            p.fillRect(r, givenFill);
        if (givenLine.isValid()) {
            p.setBrush(Qt::NoBrush);
            p.drawRect(r);
        }
        TextStyle style = shapeTextStyle(design.text, Qt::AlignLeft);
        style.middle = false;
        paintText(p, r, paragraphsOf(shape.text.split(u'\n')), style, kSlideHeight - r.top());
        textInside = false;
    } else if (type == u"roundrect"_s) {
        const double radius = std::min(r.width(), r.height()) / 6;
        p.drawRoundedRect(r, radius, radius);
    } else if (type == u"ellipse"_s) {
        p.drawEllipse(r);
    } else if (type == u"arrow"_s) {
        p.drawPath(blockArrowPath(r));
    } else if (type == u"star"_s) {
        p.drawPath(starInBox(r));
    } else if (type == u"smiley"_s) {
        paintSmiley(p, r, fill, line);
        textInside = false;
    } else if (type == u"picture"_s) {
        paintPicture(p, r);
        if (givenLine.isValid()) {
            p.setBrush(Qt::NoBrush);
            p.drawRect(r);
        }
        textInside = false;
    } else if (type == u"clipart"_s) {
        paintClipArt(p, r, givenFill.isValid() ? givenFill : QColor(0xF2, 0x6D, 0x8F));
        textInside = false;
    } else if (type == u"wordart"_s) {
        paintWordArt(p, r, shape.text, givenFill.isValid() ? givenFill : QColor(0xF0, 0xA0, 0x30),
                     givenLine.isValid() ? givenLine : QColor(0x7F, 0x3F, 0x00));
        textInside = false;
    } else if (type == u"table"_s) {
        paintTable(p, r, shape.text, givenFill.isValid() ? givenFill : design.shapeFill.lighter(112),
                   givenLine.isValid() ? givenLine : QColor(Qt::black), design.accent);
        textInside = false;
    } else if (type == u"chart"_s) {
        paintChart(p, r, givenFill, givenFill.isValid() ? contrastingText(givenFill) : design.text);
        textInside = false;
    } else if (type == u"orgchart"_s) {
        paintOrgChart(p, r, shape.text, fill, line);
        textInside = false;
    } else if (type == u"sound"_s) {
        paintSpeaker(p, r, givenFill.isValid() ? givenFill : QColor(0x6F, 0x8F, 0xC8));
        textInside = false;
    } else if (type == u"movie"_s) {
        paintFilm(p, r);
        textInside = false;
    } else if (type == u"button"_s) {
        paintActionButton(p, r, givenFill.isValid() ? givenFill : QColor(0xC0, 0xC8, 0xD8), line);
        textInside = false;
    } else {
        p.drawRect(r);
    }
    if (textInside && !shape.text.trimmed().isEmpty())
        paintText(p, r, plainParagraphs(shape.text), shapeTextStyle(contrastingText(fill)));
    p.restore();
}

// ------------------------------------------------------------------- icons
//
// Icons are drawn on a 16 × 16 grid scaled to their rectangle; 1-unit lines
// sit on half units so they stay sharp at 16 pixels.

namespace ink {
const QColor outline(0x4B, 0x5B, 0x73);
const QColor paper(0xFF, 0xFF, 0xFF);
const QColor paperLine(0x8A, 0x9A, 0xB2);
const QColor blue(0x2F, 0x62, 0xC6);
const QColor darkBlue(0x1B, 0x3B, 0x82);
const QColor lightBlue(0xA9, 0xC8, 0xF0);
const QColor yellow(0xF6, 0xCE, 0x46);
const QColor darkYellow(0xA7, 0x7A, 0x10);
const QColor red(0xD8, 0x2E, 0x2A);
const QColor green(0x3A, 0xA0, 0x3A);
const QColor grey(0x80, 0x88, 0x94);
const QColor text(0x1E, 0x1E, 0x1E);
} // namespace ink

QPen iconPen(const QColor& colour, double width = 1)
{
    return QPen(colour, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

QPen roundPen(const QColor& colour, double width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void box(QPainter& p, const QRectF& r, const QColor& fill, const QColor& line)
{
    p.setPen(line.isValid() ? iconPen(line) : QPen(Qt::NoPen));
    p.setBrush(fill.isValid() ? QBrush(fill) : QBrush(Qt::NoBrush));
    p.drawRect(r);
}

void rule(QPainter& p, double x1, double x2, double y, const QColor& colour, double width = 1)
{
    p.setPen(iconPen(colour, width));
    p.drawLine(QPointF(x1, y), QPointF(x2, y));
}

void polygon(QPainter& p, std::initializer_list<QPointF> points, const QColor& fill, const QColor& line,
             double width = 1)
{
    p.setPen(line.isValid() ? iconPen(line, width) : QPen(Qt::NoPen));
    p.setBrush(fill.isValid() ? QBrush(fill) : QBrush(Qt::NoBrush));
    p.drawPolygon(QPolygonF(QList<QPointF>(points)));
}

// A sheet of paper with a folded corner.
void page(QPainter& p, const QRectF& r, bool lines)
{
    const double fold = std::min(r.width(), r.height()) * 0.3;
    polygon(p,
            {r.topLeft(), QPointF(r.right() - fold, r.top()), QPointF(r.right(), r.top() + fold),
             r.bottomRight(), r.bottomLeft()},
            ink::paper, ink::outline);
    polygon(p,
            {QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold),
             QPointF(r.right(), r.top() + fold)},
            QColor(0xDC, 0xE4, 0xF0), ink::outline);
    if (lines)
        for (double y = r.top() + fold + 2; y < r.bottom() - 1; y += 2)
            rule(p, r.left() + 2, r.right() - 2, y, ink::paperLine);
}

// Letters fitted to a box by their outline, so they fill it exactly.
void letters(QPainter& p, const QString& text, const QRectF& r, const QColor& colour, bool bold = true,
             bool italic = false, const QString& family = {}, const QColor& outline = {})
{
    QFont font(family.isEmpty() ? serifFamily() : family);
    font.setPixelSize(48);
    font.setBold(bold);
    font.setItalic(italic);
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF bounds = path.boundingRect();
    if (bounds.isEmpty())
        return;
    const double scale = std::min(r.width() / bounds.width(), r.height() / bounds.height());
    QTransform t;
    t.translate(r.center().x(), r.center().y());
    t.scale(scale, scale);
    t.translate(-bounds.center().x(), -bounds.center().y());
    p.setPen(outline.isValid() ? QPen(outline, 0.6) : QPen(Qt::NoPen));
    p.setBrush(colour);
    p.drawPath(t.map(path));
}

void textLines(QPainter& p, std::initializer_list<std::pair<double, double>> spans, double top, double step,
               const QColor& colour = ink::text)
{
    double y = top;
    for (const auto& [from, to] : spans) {
        rule(p, from, to, y, colour);
        y += step;
    }
}

void arrowHead(QPainter& p, const QPointF& tip, double angleDegrees, double size, const QColor& colour)
{
    const double a = angleDegrees * kPi / 180;
    const QPointF back(tip.x() - size * std::cos(a), tip.y() - size * std::sin(a));
    const QPointF side(-std::sin(a) * size * 0.6, std::cos(a) * size * 0.6);
    polygon(p, {tip, back + side, back - side}, colour, {});
}

void pencil(QPainter& p, const QPointF& tip, double length)
{
    p.save();
    p.translate(tip);
    p.rotate(-45);
    polygon(p, {QPointF(0, 0), QPointF(3, -1.5), QPointF(3, 1.5)}, QColor(0xF1, 0xD2, 0xA8),
            QColor(0x6B, 0x4A, 0x1E), 0.6);
    polygon(p, {QPointF(0, 0), QPointF(1.2, -0.6), QPointF(1.2, 0.6)}, ink::text, {});
    p.setPen(iconPen(QColor(0x8A, 0x64, 0x0E), 0.6));
    p.setBrush(ink::yellow);
    p.drawRect(QRectF(3, -1.5, length - 5, 3));
    p.setBrush(QColor(0xE0, 0x7A, 0x8A));
    p.drawRect(QRectF(length - 2, -1.5, 2, 3));
    p.restore();
}

void magnifier(QPainter& p, const QPointF& centre, double radius)
{
    p.setPen(roundPen(QColor(0x6B, 0x45, 0x1C), 2.2));
    p.drawLine(centre + QPointF(radius * 0.7, radius * 0.7), centre + QPointF(radius * 1.6, radius * 1.6));
    p.setPen(iconPen(ink::text, 1.2));
    p.setBrush(QColor(0xD8, 0xEC, 0xFF, 220));
    p.drawEllipse(centre, radius, radius);
}

void slideFrame(QPainter& p, const QRectF& r)
{
    box(p, r, ink::paper, ink::outline);
    p.fillRect(QRectF(r.left() + 0.5, r.top() + 0.5, r.width() - 1, 2.5), ink::blue);
}

void colourBar(QPainter& p, const QColor& colour)
{
    p.fillRect(QRectF(1, 12.5, 14, 3), colour);
}

// --- Standard toolbar

void iconNew(QPainter& p)
{
    page(p, QRectF(3.5, 1.5, 9, 13), false);
}

void iconOpen(QPainter& p)
{
    polygon(p,
            {QPointF(1.5, 13.5), QPointF(1.5, 3.5), QPointF(5.5, 3.5), QPointF(7, 5), QPointF(12.5, 5),
             QPointF(12.5, 13.5)},
            QColor(0xE9, 0xB8, 0x3A), ink::darkYellow);
    polygon(p, {QPointF(1.5, 13.5), QPointF(4, 7.5), QPointF(15, 7.5), QPointF(12.5, 13.5)},
            QColor(0xFB, 0xDE, 0x7E), ink::darkYellow);
}

void iconSave(QPainter& p)
{
    polygon(p,
            {QPointF(1.5, 1.5), QPointF(13, 1.5), QPointF(14.5, 3), QPointF(14.5, 14.5), QPointF(1.5, 14.5)},
            ink::blue, ink::darkBlue);
    p.fillRect(QRectF(4, 2, 8, 5.5), ink::paper);
    rule(p, 5, 11, 3.5, ink::lightBlue);
    rule(p, 5, 11, 5.5, ink::lightBlue);
    box(p, QRectF(4.5, 9.5, 7, 5), QColor(0xD9, 0xE0, 0xEA), ink::darkBlue);
    p.fillRect(QRectF(8.5, 10.5, 2, 3), ink::darkBlue);
}

void iconPermission(QPainter& p)
{
    page(p, QRectF(1.5, 1.5, 9, 12), true);
    p.setPen(iconPen(ink::red, 1.6));
    p.setBrush(ink::paper);
    p.drawEllipse(QPointF(11, 11), 3.8, 3.8);
    p.drawLine(QPointF(8.6, 8.6), QPointF(13.4, 13.4));
}

void iconEmail(QPainter& p)
{
    box(p, QRectF(1.5, 4.5, 13, 9), QColor(0xFF, 0xF6, 0xD6), ink::darkYellow);
    p.setPen(iconPen(ink::darkYellow));
    p.setBrush(QColor(0xFC, 0xE7, 0xA2));
    p.drawPolygon(QPolygonF({QPointF(1.5, 4.5), QPointF(8, 9.5), QPointF(14.5, 4.5)}));
    p.drawLine(QPointF(1.5, 13.5), QPointF(6.2, 8.7));
    p.drawLine(QPointF(14.5, 13.5), QPointF(9.8, 8.7));
}

void iconPrint(QPainter& p)
{
    box(p, QRectF(4.5, 1.5, 7, 5), ink::paper, ink::outline);
    QLinearGradient body(0, 6, 0, 13);
    body.setColorAt(0, QColor(0xE4, 0xE8, 0xEE));
    body.setColorAt(1, QColor(0xA4, 0xAC, 0xB8));
    p.setPen(iconPen(QColor(0x4A, 0x52, 0x5E)));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1.2, 1.2);
    box(p, QRectF(4.5, 10.5, 7, 4), ink::paper, ink::outline);
    rule(p, 5.5, 10.5, 12.5, ink::paperLine);
    p.fillRect(QRectF(12, 8, 1.5, 1.2), ink::green);
}

void iconPrintPreview(QPainter& p)
{
    page(p, QRectF(1.5, 1.5, 9, 13), true);
    magnifier(p, QPointF(10, 8.5), 3.2);
}

void iconSpelling(QPainter& p)
{
    letters(p, u"ABC"_s, QRectF(1, 1, 14, 5.5), ink::blue, true, false, sansFamily());
    p.setPen(roundPen(ink::red, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(3.5, 10.5), QPointF(6.5, 13.5), QPointF(12.5, 7.5)}));
}

void iconResearch(QPainter& p)
{
    box(p, QRectF(1.5, 1.5, 9, 12), QColor(0x3E, 0x74, 0xC8), ink::darkBlue);
    p.fillRect(QRectF(2, 2, 1.5, 11), QColor(0x21, 0x4C, 0x96));
    rule(p, 5, 9, 4.5, ink::lightBlue);
    magnifier(p, QPointF(10.5, 9.5), 3);
}

void iconCut(QPainter& p)
{
    p.setPen(roundPen(QColor(0x70, 0x78, 0x86), 1.4));
    p.drawLine(QPointF(5.6, 9.6), QPointF(11, 1.5));
    p.drawLine(QPointF(10.4, 9.6), QPointF(5, 1.5));
    p.setPen(iconPen(ink::text, 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(4.6, 12), 2.3, 2.3);
    p.drawEllipse(QPointF(11.4, 12), 2.3, 2.3);
    p.setPen(Qt::NoPen);
    p.setBrush(ink::text);
    p.drawEllipse(QPointF(8, 6.2), 0.9, 0.9);
}

void iconCopy(QPainter& p)
{
    page(p, QRectF(1.5, 1.5, 8, 10), true);
    page(p, QRectF(6.5, 4.5, 8, 10), true);
}

void iconPaste(QPainter& p)
{
    p.setPen(iconPen(QColor(0x6E, 0x4B, 0x1F)));
    p.setBrush(QColor(0xC9, 0x96, 0x4E));
    p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12), 1, 1);
    box(p, QRectF(4.5, 1.5, 4, 2.5), QColor(0xB8, 0xC0, 0xCC), ink::outline);
    page(p, QRectF(7.5, 6.5, 7, 8), true);
}

void iconFormatPainter(QPainter& p)
{
    p.setPen(iconPen(ink::darkYellow));
    p.setBrush(ink::yellow);
    p.drawRoundedRect(QRectF(2.5, 1.5, 11, 4), 1, 1);
    p.fillRect(QRectF(3.5, 2.5, 9, 1), QColor(0xFF, 0xEE, 0xA8));
    p.setPen(iconPen(ink::grey, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(
        QPolygonF({QPointF(13.5, 3.5), QPointF(15, 3.5), QPointF(15, 7.5), QPointF(8, 7.5), QPointF(8, 9)}));
    p.setPen(iconPen(QColor(0x5A, 0x3A, 0x14)));
    p.setBrush(QColor(0x9A, 0x62, 0x26));
    p.drawRect(QRectF(6.5, 9, 3, 6));
}

void curvedArrow(QPainter& p, bool left)
{
    p.save();
    if (!left) {
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    p.setPen(roundPen(ink::blue, 2.2));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(12.5, 13.5);
    path.cubicTo(15.5, 8, 11, 4.2, 6, 6.2);
    p.drawPath(path);
    polygon(p, {QPointF(1.5, 7.5), QPointF(7.5, 2.5), QPointF(8, 10)}, ink::blue, {});
    p.restore();
}

void iconUndo(QPainter& p)
{
    curvedArrow(p, true);
}

void iconRedo(QPainter& p)
{
    curvedArrow(p, false);
}

void iconChart(QPainter& p)
{
    p.fillRect(QRectF(1, 1, 14, 14), ink::paper);
    box(p, QRectF(3.5, 7.5, 3, 6), QColor(0x99, 0x99, 0xFF), QColor(0x33, 0x33, 0x66));
    box(p, QRectF(6.5, 3.5, 3, 10), QColor(0x99, 0x33, 0x66), QColor(0x4A, 0x15, 0x30));
    box(p, QRectF(9.5, 5.5, 3, 8), QColor(0xFF, 0xEE, 0x88), QColor(0x70, 0x60, 0x20));
    p.setPen(iconPen(ink::text));
    p.drawPolyline(QPolygonF({QPointF(1.5, 1.5), QPointF(1.5, 14.5), QPointF(14.5, 14.5)}));
}

void grid(QPainter& p, const QRectF& r, int rows, int cols, const QColor& header)
{
    box(p, r, ink::paper, {});
    p.fillRect(QRectF(r.left(), r.top(), r.width(), r.height() / rows), header);
    p.setPen(iconPen(ink::outline));
    for (int row = 0; row <= rows; ++row)
        p.drawLine(QPointF(r.left(), r.top() + r.height() * row / rows),
                   QPointF(r.right(), r.top() + r.height() * row / rows));
    for (int col = 0; col <= cols; ++col)
        p.drawLine(QPointF(r.left() + r.width() * col / cols, r.top()),
                   QPointF(r.left() + r.width() * col / cols, r.bottom()));
}

void iconTable(QPainter& p)
{
    grid(p, QRectF(1.5, 2.5, 13, 11), 3, 3, QColor(0x6E, 0x9B, 0xE0));
}

void iconTablesBorders(QPainter& p)
{
    grid(p, QRectF(1.5, 5.5, 10, 9), 2, 2, QColor(0x6E, 0x9B, 0xE0));
    pencil(p, QPointF(8.5, 8.5), 9.5);
}

void iconHyperlink(QPainter& p)
{
    QRadialGradient sea(QPointF(5, 5), 7);
    sea.setColorAt(0, QColor(0x9C, 0xD0, 0xFF));
    sea.setColorAt(1, QColor(0x2A, 0x6C, 0xC8));
    p.setPen(iconPen(ink::darkBlue));
    p.setBrush(sea);
    p.drawEllipse(QPointF(6.5, 6.5), 5.5, 5.5);
    polygon(p, {QPointF(3.5, 3.5), QPointF(6.5, 2.5), QPointF(7.5, 5), QPointF(5, 7.5), QPointF(3, 6)},
            ink::green, {});
    polygon(p, {QPointF(8, 8), QPointF(10.5, 7), QPointF(10, 10), QPointF(8, 11)}, ink::green, {});
    p.setBrush(Qt::NoBrush);
    p.setPen(iconPen(QColor(0x50, 0x58, 0x64), 1.4));
    p.drawRoundedRect(QRectF(8.2, 9.2, 4.6, 3), 1.5, 1.5);
    p.drawRoundedRect(QRectF(10.8, 12.2, 4.6, 3), 1.5, 1.5);
}

void iconExpandAll(QPainter& p)
{
    textLines(p, {{1, 9}, {3, 9}, {3, 9}, {1, 9}}, 2.5, 3);
    for (const double y : {5.5, 9.5}) {
        p.setPen(roundPen(ink::blue, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(10.5, y), QPointF(12.5, y + 2.5), QPointF(14.5, y)}));
    }
}

void iconShowFormatting(QPainter& p)
{
    letters(p, u"A"_s, QRectF(1, 2, 8, 11), ink::text, true);
    letters(p, u"A"_s, QRectF(9, 7, 6, 7), ink::text, false, true);
    p.setPen(roundPen(ink::blue, 1.2));
    p.drawLine(QPointF(7.5, 14.5), QPointF(11.5, 1.5));
}

void iconGrid(QPainter& p)
{
    box(p, QRectF(1.5, 1.5, 13, 13), ink::paper, ink::outline);
    QPen dotted(ink::blue, 1, Qt::DotLine);
    p.setPen(dotted);
    for (const double v : {5.5, 10.5}) {
        p.drawLine(QPointF(2, v), QPointF(14, v));
        p.drawLine(QPointF(v, 2), QPointF(v, 14));
    }
}

void iconColorGrayscale(QPainter& p)
{
    QConicalGradient hue(QPointF(8, 8), 90);
    for (int i = 0; i <= 6; ++i)
        hue.setColorAt(i / 6.0, QColor::fromHsv((i * 60) % 360, 220, 245));
    p.setPen(Qt::NoPen);
    p.setBrush(hue);
    p.drawPie(QRectF(1.5, 1.5, 13, 13), 90 * 16, 180 * 16);
    QLinearGradient grey(8, 1.5, 8, 14.5);
    grey.setColorAt(0, QColor(0xF0, 0xF0, 0xF0));
    grey.setColorAt(1, QColor(0x30, 0x30, 0x30));
    p.setBrush(grey);
    p.drawPie(QRectF(1.5, 1.5, 13, 13), -90 * 16, 180 * 16);
    p.setPen(iconPen(ink::outline));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
}

void iconHelp(QPainter& p)
{
    QRadialGradient ball(QPointF(6, 5), 9);
    ball.setColorAt(0, QColor(0x7D, 0xB2, 0xFF));
    ball.setColorAt(1, QColor(0x1D, 0x4C, 0xB0));
    p.setPen(iconPen(ink::darkBlue));
    p.setBrush(ball);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    letters(p, u"?"_s, QRectF(5, 3.5, 6, 9), ink::paper, true, false, sansFamily());
}

void iconZoom(QPainter& p)
{
    magnifier(p, QPointF(6.5, 6.5), 4.5);
}

// --- Formatting toolbar

void iconBold(QPainter& p)
{
    letters(p, u"B"_s, QRectF(3.5, 2.5, 9, 11), ink::text, true);
}

void iconItalic(QPainter& p)
{
    letters(p, u"I"_s, QRectF(4, 2.5, 8, 11), ink::text, true, true);
}

void iconUnderline(QPainter& p)
{
    letters(p, u"U"_s, QRectF(3.5, 1.5, 9, 10), ink::text, true);
    rule(p, 3, 13, 14, ink::text);
}

void iconShadow(QPainter& p)
{
    letters(p, u"S"_s, QRectF(4.5, 3, 9, 12), QColor(0xA0, 0xA0, 0xA0), true);
    letters(p, u"S"_s, QRectF(3, 1.5, 9, 12), ink::text, true);
}

void alignedLines(QPainter& p, Qt::Alignment align)
{
    for (int i = 0; i < 5; ++i) {
        const double width = i % 2 == 0 ? 12 : 8;
        const double left = align == Qt::AlignLeft ? 2 : align == Qt::AlignRight ? 14 - width : 8 - width / 2;
        const double right = align == Qt::AlignJustify ? 14 : left + width;
        rule(p, align == Qt::AlignJustify ? 2 : left, right, 3.5 + i * 2.4, ink::text);
    }
}

void iconAlignLeft(QPainter& p)
{
    alignedLines(p, Qt::AlignLeft);
}

void iconCenter(QPainter& p)
{
    alignedLines(p, Qt::AlignHCenter);
}

void iconAlignRight(QPainter& p)
{
    alignedLines(p, Qt::AlignRight);
}

void iconJustify(QPainter& p)
{
    alignedLines(p, Qt::AlignJustify);
}

void iconNumbering(QPainter& p)
{
    for (int i = 0; i < 3; ++i) {
        letters(p, QString::number(i + 1), QRectF(0.5, 0.8 + i * 5.2, 4, 4.6), ink::blue, true, false,
                sansFamily());
        rule(p, 6, 15, 3.5 + i * 5.2, ink::text);
    }
}

void iconBullets(QPainter& p)
{
    for (int i = 0; i < 3; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(ink::blue);
        p.drawEllipse(QPointF(3, 3.5 + i * 4.5), 1.5, 1.5);
        rule(p, 6, 15, 3.5 + i * 4.5, ink::text);
    }
}

void iconGrowFont(QPainter& p)
{
    letters(p, u"A"_s, QRectF(1, 3, 10, 12), ink::text, true);
    polygon(p, {QPointF(13, 1), QPointF(15.5, 4.5), QPointF(10.5, 4.5)}, ink::blue, {});
}

void iconShrinkFont(QPainter& p)
{
    letters(p, u"A"_s, QRectF(1.5, 6, 7, 9), ink::text, true);
    polygon(p, {QPointF(13, 5), QPointF(15.5, 1.5), QPointF(10.5, 1.5)}, ink::blue, {});
}

void indentArrow(QPainter& p, bool right)
{
    textLines(p, {{7, 15}, {7, 15}, {7, 15}}, 4.5, 3.5);
    rule(p, 1, 15, 1.5, ink::text);
    rule(p, 1, 15, 14.5, ink::text);
    if (right)
        polygon(p, {QPointF(1, 4.5), QPointF(5.5, 8), QPointF(1, 11.5)}, ink::blue, {});
    else
        polygon(p, {QPointF(5.5, 4.5), QPointF(1, 8), QPointF(5.5, 11.5)}, ink::blue, {});
}

void iconIndentIncrease(QPainter& p)
{
    indentArrow(p, true);
}

void iconIndentDecrease(QPainter& p)
{
    indentArrow(p, false);
}

void iconFontColor(QPainter& p)
{
    letters(p, u"A"_s, QRectF(3, 1, 10, 10), ink::text, true);
    colourBar(p, ink::red);
}

void iconDesign(QPainter& p)
{
    QPainterPath palette;
    palette.addEllipse(QRectF(1, 2, 14, 12));
    QPainterPath thumb;
    thumb.addEllipse(QRectF(9.5, 9, 3.5, 3));
    p.setPen(iconPen(QColor(0x8A, 0x62, 0x2A)));
    p.setBrush(QColor(0xF3, 0xD9, 0xA4));
    p.drawPath(palette.subtracted(thumb));
    const std::array<std::pair<QPointF, QColor>, 4> blobs = {{{QPointF(4.5, 6), ink::red},
                                                              {QPointF(8, 4.5), ink::blue},
                                                              {QPointF(11.5, 6), ink::green},
                                                              {QPointF(4.5, 10), ink::yellow}}};
    p.setPen(Qt::NoPen);
    for (const auto& [centre, colour] : blobs) {
        p.setBrush(colour);
        p.drawEllipse(centre, 1.6, 1.6);
    }
}

void iconNewSlide(QPainter& p)
{
    slideFrame(p, QRectF(3.5, 4.5, 11, 9));
    rule(p, 5.5, 12.5, 9.5, ink::paperLine);
    rule(p, 5.5, 10.5, 11.5, ink::paperLine);
    p.setPen(iconPen(ink::darkYellow, 0.6));
    p.setBrush(QColor(0xFF, 0xE0, 0x3A));
    p.drawPath(starPath(QPointF(4, 4), 4, 1.6, 5));
}

// --- Drawing toolbar

void iconDraw(QPainter& p)
{
    box(p, QRectF(1.5, 6.5, 9, 8), ink::lightBlue, ink::darkBlue);
    pencil(p, QPointF(6, 10), 11);
}

void iconSelect(QPainter& p)
{
    polygon(p,
            {QPointF(4.5, 1.5), QPointF(4.5, 13.5), QPointF(7.2, 10.8), QPointF(9.5, 15), QPointF(11.3, 14),
             QPointF(9.1, 10), QPointF(12.5, 9.5)},
            ink::paper, ink::text);
}

void iconAutoShapes(QPainter& p)
{
    p.setPen(iconPen(QColor(0x8A, 0x1E, 0x1E)));
    p.setBrush(QColor(0xF0, 0x6A, 0x5A));
    p.drawEllipse(QRectF(1.5, 1.5, 8, 8));
    box(p, QRectF(6.5, 6.5, 8, 8), QColor(0x6E, 0x9B, 0xE0), ink::darkBlue);
    polygon(p, {QPointF(4, 8), QPointF(8, 15), QPointF(0.5, 15)}, ink::yellow, ink::darkYellow);
}

void iconLine(QPainter& p)
{
    p.setPen(roundPen(ink::darkBlue, 1.3));
    p.drawLine(QPointF(2, 14), QPointF(14, 2));
}

void iconArrow(QPainter& p)
{
    p.setPen(roundPen(ink::darkBlue, 1.3));
    p.drawLine(QPointF(2, 14), QPointF(12, 4));
    arrowHead(p, QPointF(14.5, 1.5), -45, 5, ink::darkBlue);
}

void iconRect(QPainter& p)
{
    box(p, QRectF(1.5, 3.5, 13, 9), ink::paper, ink::darkBlue);
}

void iconEllipse(QPainter& p)
{
    p.setPen(iconPen(ink::darkBlue));
    p.setBrush(ink::paper);
    p.drawEllipse(QRectF(1.5, 3, 13, 10));
}

void iconTextbox(QPainter& p)
{
    box(p, QRectF(1.5, 1.5, 13, 13), ink::paper, ink::outline);
    letters(p, u"A"_s, QRectF(3, 3, 5, 6), ink::blue, true, false, sansFamily());
    rule(p, 9, 13, 5.5, ink::text);
    rule(p, 3, 13, 10.5, ink::text);
    rule(p, 3, 11, 12.5, ink::text);
}

void iconVerticalTextbox(QPainter& p)
{
    box(p, QRectF(1.5, 1.5, 13, 13), ink::paper, ink::outline);
    p.save();
    p.translate(12, 3);
    p.rotate(90);
    letters(p, u"A"_s, QRectF(0, -3, 5, 6), ink::blue, true, false, sansFamily());
    p.restore();
    p.setPen(iconPen(ink::text));
    p.drawLine(QPointF(10.5, 9), QPointF(10.5, 13));
    p.drawLine(QPointF(7.5, 3), QPointF(7.5, 13));
    p.drawLine(QPointF(4.5, 3), QPointF(4.5, 11));
}

void iconWordArt(QPainter& p)
{
    p.save();
    p.setTransform(QTransform(1, 0, -0.35, 1, 2.6, 0), true);
    QLinearGradient blue(0, 2, 0, 15);
    blue.setColorAt(0, QColor(0x9E, 0xC8, 0xFF));
    blue.setColorAt(1, QColor(0x1D, 0x4C, 0xB0));
    QFont font(serifFamily());
    font.setPixelSize(48);
    font.setBold(true);
    QPainterPath path;
    path.addText(0, 0, font, u"A"_s);
    const QRectF bounds = path.boundingRect();
    const QRectF target(2, 1.5, 13, 13.5);
    const double scale = std::min(target.width() / bounds.width(), target.height() / bounds.height());
    QTransform t;
    t.translate(target.center().x(), target.center().y());
    t.scale(scale, scale);
    t.translate(-bounds.center().x(), -bounds.center().y());
    p.setPen(QPen(ink::darkBlue, 0.7));
    p.setBrush(blue);
    p.drawPath(t.map(path));
    p.restore();
}

void iconDiagram(QPainter& p)
{
    p.setPen(iconPen(ink::outline));
    p.drawLine(QPointF(8, 5.5), QPointF(8, 8.5));
    p.drawLine(QPointF(3, 8.5), QPointF(13, 8.5));
    p.drawLine(QPointF(3, 8.5), QPointF(3, 10.5));
    p.drawLine(QPointF(13, 8.5), QPointF(13, 10.5));
    p.drawLine(QPointF(8, 8.5), QPointF(8, 10.5));
    box(p, QRectF(4.5, 1.5, 7, 4), QColor(0xF7, 0xB5, 0x42), QColor(0x8A, 0x55, 0x0E));
    for (const double x : {0.5, 5.5, 10.5})
        box(p, QRectF(x, 10.5, 5, 4), QColor(0x6E, 0x9B, 0xE0), ink::darkBlue);
}

void iconClipArt(QPainter& p)
{
    p.setPen(iconPen(QColor(0x5A, 0x3A, 0x14), 0.8));
    p.setBrush(QColor(0xFF, 0xD8, 0xA8));
    p.drawEllipse(QPointF(8, 4), 3, 3);
    p.setBrush(ink::blue);
    QPainterPath body;
    body.moveTo(4.5, 15);
    body.lineTo(5.2, 8.2);
    body.quadTo(8, 6.8, 10.8, 8.2);
    body.lineTo(11.5, 15);
    body.closeSubpath();
    p.drawPath(body);
    p.setPen(roundPen(QColor(0xE0, 0xA8, 0x70), 1.5));
    p.drawLine(QPointF(5, 9), QPointF(2, 5.5));
    p.drawLine(QPointF(11, 9), QPointF(14, 5.5));
    p.setPen(Qt::NoPen);
    p.setBrush(ink::text);
    p.drawEllipse(QPointF(7, 3.8), 0.45, 0.45);
    p.drawEllipse(QPointF(9, 3.8), 0.45, 0.45);
}

void iconPicture(QPainter& p)
{
    box(p, QRectF(0.5, 2.5, 15, 11), QColor(0xF4, 0xF0, 0xE6), QColor(0x6B, 0x55, 0x30));
    paintPicture(p, QRectF(2, 4, 12, 8));
}

void iconFillColor(QPainter& p)
{
    p.save();
    p.translate(7, 6);
    p.rotate(-30);
    box(p, QRectF(-3.5, -3.5, 7, 7.5), ink::paper, ink::text);
    p.restore();
    p.setPen(roundPen(ink::text, 1));
    p.drawLine(QPointF(7.5, 1.5), QPointF(7, 6));
    p.setPen(Qt::NoPen);
    p.setBrush(ink::yellow);
    p.drawEllipse(QPointF(13, 8.5), 1.5, 2);
    colourBar(p, ink::yellow);
}

void iconLineColor(QPainter& p)
{
    p.save();
    p.translate(9, 1);
    p.rotate(40);
    p.setPen(iconPen(QColor(0x5A, 0x3A, 0x14), 0.7));
    p.setBrush(QColor(0x9A, 0x62, 0x26));
    p.drawRect(QRectF(-1, 0, 2, 6));
    p.setBrush(QColor(0x90, 0x98, 0xA4));
    p.drawRect(QRectF(-1.3, 6, 2.6, 2));
    p.setBrush(ink::text);
    p.drawPolygon(QPolygonF({QPointF(-1.3, 8), QPointF(1.3, 8), QPointF(0, 11)}));
    p.restore();
    colourBar(p, ink::darkBlue);
}

void iconLineStyle(QPainter& p)
{
    rule(p, 2, 14, 2.5, ink::text, 1);
    rule(p, 2, 14, 5.5, ink::text, 1.5);
    rule(p, 2, 14, 9, ink::text, 2.5);
    rule(p, 2, 14, 13.5, ink::text, 3.5);
}

void iconDashStyle(QPainter& p)
{
    for (int i = 0; i < 4; ++i) {
        QPen pen(ink::text, 1.4);
        pen.setDashPattern(i == 0   ? QList<qreal>{1, 1}
                           : i == 1 ? QList<qreal>{2.5, 1.5}
                           : i == 2 ? QList<qreal>{4, 1.5}
                                    : QList<qreal>{4, 1.5, 1, 1.5});
        p.setPen(pen);
        p.drawLine(QPointF(2, 2.5 + i * 3.6), QPointF(14, 2.5 + i * 3.6));
    }
}

void iconArrowStyle(QPainter& p)
{
    rule(p, 2, 12, 3.5, ink::text);
    arrowHead(p, QPointF(15, 3.5), 0, 4, ink::text);
    rule(p, 4, 14, 8, ink::text);
    arrowHead(p, QPointF(1, 8), 180, 4, ink::text);
    rule(p, 4, 12, 12.5, ink::text);
    arrowHead(p, QPointF(1, 12.5), 180, 4, ink::text);
    arrowHead(p, QPointF(15, 12.5), 0, 4, ink::text);
}

void iconShadowStyle(QPainter& p)
{
    p.fillRect(QRectF(5, 5, 10, 10), QColor(0x80, 0x80, 0x80));
    box(p, QRectF(1.5, 1.5, 10, 10), ink::paper, ink::text);
}

void iconThreeD(QPainter& p)
{
    polygon(p, {QPointF(1.5, 5.5), QPointF(5.5, 1.5), QPointF(14.5, 1.5), QPointF(10.5, 5.5)},
            QColor(0xC8, 0xD8, 0xF0), ink::darkBlue);
    polygon(p, {QPointF(10.5, 5.5), QPointF(14.5, 1.5), QPointF(14.5, 10.5), QPointF(10.5, 14.5)},
            QColor(0x4A, 0x72, 0xB8), ink::darkBlue);
    box(p, QRectF(1.5, 5.5, 9, 9), QColor(0x8C, 0xAE, 0xE6), ink::darkBlue);
}

// --- Outlining toolbar

// A fat arrow pointing along `angle` degrees (0 = right).
void blockArrow(QPainter& p, double angle, const QColor& fill)
{
    p.save();
    p.translate(8, 8);
    p.rotate(angle);
    polygon(p,
            {QPointF(-6.5, -2.5), QPointF(0.5, -2.5), QPointF(0.5, -6.5), QPointF(7, 0), QPointF(0.5, 6.5),
             QPointF(0.5, 2.5), QPointF(-6.5, 2.5)},
            fill, fill.darker(170));
    p.restore();
}

const QColor kOutlineArrow(0x3E, 0x9A, 0x3E);

void iconPromote(QPainter& p)
{
    blockArrow(p, 180, kOutlineArrow);
}

void iconDemote(QPainter& p)
{
    blockArrow(p, 0, kOutlineArrow);
}

void iconMoveUp(QPainter& p)
{
    blockArrow(p, -90, ink::blue);
}

void iconMoveDown(QPainter& p)
{
    blockArrow(p, 90, ink::blue);
}

void signedLines(QPainter& p, bool plus)
{
    textLines(p, {{7, 15}, {9, 15}, {9, 15}, {7, 15}}, 3.5, 3);
    box(p, QRectF(0.5, 5.5, 5, 5), ink::paper, ink::outline);
    rule(p, 1.5, 4.5, 8, ink::blue);
    if (plus) {
        p.setPen(iconPen(ink::blue));
        p.drawLine(QPointF(3, 6.5), QPointF(3, 9.5));
    }
}

void iconCollapse(QPainter& p)
{
    signedLines(p, false);
}

void iconExpand(QPainter& p)
{
    signedLines(p, true);
}

void iconCollapseAll(QPainter& p)
{
    textLines(p, {{1, 9}, {3, 9}, {3, 9}, {1, 9}}, 2.5, 3);
    for (const double y : {8.5, 12.5}) {
        p.setPen(roundPen(ink::blue, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(10.5, y), QPointF(12.5, y - 2.5), QPointF(14.5, y)}));
    }
}

void iconSummarySlide(QPainter& p)
{
    slideFrame(p, QRectF(0.5, 0.5, 10, 8));
    slideFrame(p, QRectF(4.5, 6.5, 11, 9));
    for (const double y : {11.0, 13.5}) {
        p.fillRect(QRectF(6, y - 0.5, 1.2, 1.2), ink::blue);
        rule(p, 8, 14, y, ink::paperLine);
    }
}

// --- Slide Master View toolbar

void sparkle(QPainter& p, const QPointF& centre, double size)
{
    p.setPen(iconPen(ink::darkYellow, 0.6));
    p.setBrush(QColor(0xFF, 0xE0, 0x3A));
    p.drawPath(starPath(centre, size, size * 0.4, 5));
}

void iconNewMaster(QPainter& p)
{
    slideFrame(p, QRectF(4.5, 2.5, 11, 9));
    slideFrame(p, QRectF(2.5, 5.5, 11, 9));
    rule(p, 4.5, 11.5, 11, ink::paperLine);
    sparkle(p, QPointF(3.5, 3.5), 3.5);
}

void iconNewTitleMaster(QPainter& p)
{
    box(p, QRectF(2.5, 4.5, 13, 10), ink::paper, ink::outline);
    p.fillRect(QRectF(5, 8, 8, 2), ink::blue);
    rule(p, 6.5, 11.5, 12, ink::paperLine);
    sparkle(p, QPointF(3.5, 3.5), 3.5);
}

void iconDeleteMaster(QPainter& p)
{
    slideFrame(p, QRectF(0.5, 1.5, 11, 9));
    p.setPen(roundPen(ink::red, 2));
    p.drawLine(QPointF(8.5, 8.5), QPointF(14.5, 14.5));
    p.drawLine(QPointF(14.5, 8.5), QPointF(8.5, 14.5));
}

void iconPreserveMaster(QPainter& p)
{
    p.setPen(roundPen(QColor(0x70, 0x78, 0x86), 1.2));
    p.drawLine(QPointF(7, 9), QPointF(2, 14.5));
    p.save();
    p.translate(10, 6);
    p.rotate(45);
    p.setPen(iconPen(QColor(0x80, 0x16, 0x16)));
    p.setBrush(ink::red);
    p.drawRoundedRect(QRectF(-2.5, -6, 5, 4), 1, 1);
    p.drawRect(QRectF(-1.5, -2, 3, 3.5));
    p.drawRoundedRect(QRectF(-4, 1.5, 8, 2), 1, 1);
    p.restore();
}

void iconRenameMaster(QPainter& p)
{
    slideFrame(p, QRectF(0.5, 0.5, 12, 9));
    box(p, QRectF(3.5, 8.5, 12, 5), ink::paper, ink::outline);
    p.fillRect(QRectF(5, 10, 6, 2), QColor(0x31, 0x6A, 0xC5));
    p.setPen(iconPen(ink::text));
    p.drawLine(QPointF(12.5, 9.5), QPointF(12.5, 12.5));
}

void iconMasterLayout(QPainter& p)
{
    box(p, QRectF(0.5, 1.5, 15, 13), ink::paper, ink::outline);
    QPen dashed(ink::blue, 1, Qt::DashLine);
    dashed.setDashPattern({1.5, 1});
    p.setPen(dashed);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(2.5, 3.5, 11, 3));
    p.drawRect(QRectF(2.5, 8.5, 11, 4));
}

// --- Handout Master View toolbar: the slides a handout page holds

void handoutPage(QPainter& p, int columns, int rows)
{
    box(p, QRectF(2.5, 0.5, 11, 15), ink::paper, ink::outline);
    const double w = (9.0 - (columns - 1)) / columns;
    const double h = (13.0 - (rows - 1)) / rows;
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < columns; ++col)
            p.fillRect(QRectF(3.5 + col * (w + 1), 1.5 + row * (h + 1), w, h), ink::lightBlue);
}

void iconHandout1(QPainter& p)
{
    box(p, QRectF(2.5, 0.5, 11, 15), ink::paper, ink::outline);
    p.fillRect(QRectF(4, 4, 8, 7), ink::lightBlue);
}

void iconHandout2(QPainter& p)
{
    box(p, QRectF(2.5, 0.5, 11, 15), ink::paper, ink::outline);
    p.fillRect(QRectF(4.5, 2, 7, 5.5), ink::lightBlue);
    p.fillRect(QRectF(4.5, 8.5, 7, 5.5), ink::lightBlue);
}

void iconHandout3(QPainter& p)
{
    box(p, QRectF(2.5, 0.5, 11, 15), ink::paper, ink::outline);
    for (int i = 0; i < 3; ++i) {
        p.fillRect(QRectF(3.5, 1.5 + i * 4.5, 4, 3.5), ink::lightBlue);
        rule(p, 8.5, 12.5, 2.5 + i * 4.5, ink::paperLine);
        rule(p, 8.5, 12.5, 4.5 + i * 4.5, ink::paperLine);
    }
}

void iconHandout4(QPainter& p)
{
    handoutPage(p, 2, 2);
}

void iconHandout6(QPainter& p)
{
    handoutPage(p, 2, 3);
}

void iconHandout9(QPainter& p)
{
    handoutPage(p, 3, 3);
}

void iconHandoutOutline(QPainter& p)
{
    box(p, QRectF(2.5, 0.5, 11, 15), ink::paper, ink::outline);
    textLines(p, {{4, 12}, {5.5, 12}, {5.5, 10}, {4, 12}, {5.5, 11}}, 3, 2.5, ink::grey);
}

// --- Organization Chart toolbar

void miniOrgChart(QPainter& p, const QColor& top, const QColor& staff)
{
    p.setPen(iconPen(ink::outline));
    p.drawLine(QPointF(7, 5.5), QPointF(7, 8.5));
    p.drawLine(QPointF(3, 8.5), QPointF(11, 8.5));
    p.drawLine(QPointF(3, 8.5), QPointF(3, 10.5));
    p.drawLine(QPointF(11, 8.5), QPointF(11, 10.5));
    box(p, QRectF(3.5, 1.5, 7, 4), top, ink::darkBlue);
    box(p, QRectF(0.5, 10.5, 5, 4), staff, ink::darkBlue);
    box(p, QRectF(8.5, 10.5, 5, 4), staff, ink::darkBlue);
}

void iconOrgInsertShape(QPainter& p)
{
    miniOrgChart(p, ink::paper, ink::paper);
    p.setPen(roundPen(ink::green, 2));
    p.drawLine(QPointF(12.5, 1.5), QPointF(12.5, 6.5));
    p.drawLine(QPointF(10, 4), QPointF(15, 4));
}

void iconOrgLayout(QPainter& p)
{
    p.setPen(iconPen(ink::outline));
    p.drawLine(QPointF(4.5, 5.5), QPointF(4.5, 13));
    p.drawLine(QPointF(4.5, 8.5), QPointF(7.5, 8.5));
    p.drawLine(QPointF(4.5, 13), QPointF(7.5, 13));
    box(p, QRectF(1.5, 1.5, 7, 4), ink::paper, ink::darkBlue);
    box(p, QRectF(7.5, 7, 7, 3), ink::lightBlue, ink::darkBlue);
    box(p, QRectF(7.5, 11.5, 7, 3), ink::lightBlue, ink::darkBlue);
}

void iconOrgAutoFormat(QPainter& p)
{
    miniOrgChart(p, QColor(0xF7, 0xB5, 0x42), QColor(0x6E, 0x9B, 0xE0));
    p.setPen(roundPen(QColor(0x5A, 0x3A, 0x14), 1.4));
    p.drawLine(QPointF(9, 15), QPointF(14, 9));
    sparkle(p, QPointF(14, 8.5), 2.4);
}

// --- the window and its panes

void iconPowerPoint(QPainter& p)
{
    QLinearGradient face(0, 1, 0, 15);
    face.setColorAt(0, QColor(0xF4, 0x9B, 0x5A));
    face.setColorAt(1, QColor(0xC2, 0x41, 0x0C));
    p.setPen(iconPen(QColor(0x8A, 0x2C, 0x06)));
    p.setBrush(face);
    p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 2, 2);
    letters(p, u"P"_s, QRectF(4.5, 3, 7, 10), ink::paper, true, false, sansFamily());
}

void iconSlide(QPainter& p)
{
    slideFrame(p, QRectF(1.5, 2.5, 13, 11));
    rule(p, 3.5, 12.5, 8.5, ink::paperLine);
    rule(p, 3.5, 10.5, 10.5, ink::paperLine);
}

void iconViewNormal(QPainter& p)
{
    box(p, QRectF(1.5, 2.5, 13, 11), ink::paper, ink::outline);
    p.fillRect(QRectF(2, 3, 3.5, 10), QColor(0xC5, 0xD7, 0xF2));
    box(p, QRectF(6.5, 4.5, 7, 5), ink::paper, ink::grey);
    rule(p, 6.5, 13.5, 11.5, ink::grey);
}

void iconViewSorter(QPainter& p)
{
    for (int i = 0; i < 4; ++i)
        slideFrame(p, QRectF(1.5 + (i % 2) * 7, 2.5 + (i / 2) * 6, 6, 5));
}

void iconViewShow(QPainter& p)
{
    p.setPen(iconPen(ink::outline));
    p.drawLine(QPointF(8, 12), QPointF(8, 15));
    p.drawLine(QPointF(8, 13), QPointF(4.5, 15.5));
    p.drawLine(QPointF(8, 13), QPointF(11.5, 15.5));
    box(p, QRectF(1.5, 1.5, 13, 10), ink::paper, ink::outline);
    QLinearGradient picture(0, 3, 0, 10);
    picture.setColorAt(0, QColor(0x5E, 0x9E, 0xF0));
    picture.setColorAt(1, QColor(0xD8, 0xEA, 0xFF));
    p.fillRect(QRectF(3, 3, 10, 7), picture);
    polygon(p, {QPointF(3, 10), QPointF(7, 6), QPointF(10, 10)}, ink::green, {});
}

void iconOutline(QPainter& p)
{
    box(p, QRectF(1.5, 1.5, 13, 13), ink::paper, ink::outline);
    textLines(p, {{3, 12}, {5, 12}, {5, 10}, {3, 12}}, 4.5, 2.6, ink::grey);
    for (const double y : {4.5, 12.3})
        p.fillRect(QRectF(3, y - 0.5, 1.5, 1.5), ink::blue);
}

void iconTransition(QPainter& p)
{
    box(p, QRectF(1.5, 3.5, 8, 7), QColor(0xC5, 0xD7, 0xF2), ink::outline);
    box(p, QRectF(6.5, 6.5, 8, 7), ink::paper, ink::outline);
    p.setPen(roundPen(ink::blue, 1.2));
    p.drawLine(QPointF(8.5, 10), QPointF(11.5, 10));
    arrowHead(p, QPointF(13.5, 10), 0, 2.5, ink::blue);
}

void iconAnimation(QPainter& p)
{
    p.setPen(roundPen(ink::grey, 1));
    for (const double y : {6.0, 9.0, 12.0})
        p.drawLine(QPointF(1, y), QPointF(5, y));
    p.setPen(iconPen(ink::darkYellow, 0.7));
    p.setBrush(QColor(0xFF, 0xD8, 0x3A));
    p.drawPath(starPath(QPointF(10, 8.5), 6, 2.6, 5));
}

void iconBack(QPainter& p)
{
    QRadialGradient ball(QPointF(6, 5), 9);
    ball.setColorAt(0, QColor(0x8D, 0xD8, 0x6A));
    ball.setColorAt(1, QColor(0x2E, 0x8A, 0x22));
    p.setPen(iconPen(QColor(0x1E, 0x5E, 0x16)));
    p.setBrush(ball);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(roundPen(ink::paper, 1.8));
    p.drawLine(QPointF(11.5, 8), QPointF(6.5, 8));
    arrowHead(p, QPointF(3.8, 8), 180, 3.6, ink::paper);
}

void iconForward(QPainter& p)
{
    p.save();
    p.translate(16, 0);
    p.scale(-1, 1);
    iconBack(p);
    p.restore();
}

void iconLink(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(ink::blue);
    p.drawEllipse(QPointF(8, 8), 2.2, 2.2);
}

void iconClose(QPainter& p)
{
    p.setPen(roundPen(ink::text, 1.8));
    p.drawLine(QPointF(4, 4), QPointF(12, 12));
    p.drawLine(QPointF(12, 4), QPointF(4, 12));
}

void iconDelete(QPainter& p)
{
    p.setPen(roundPen(ink::red, 2.4));
    p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

void iconFind(QPainter& p)
{
    p.setPen(iconPen(ink::text));
    p.setBrush(QColor(0x4A, 0x52, 0x60));
    p.drawRoundedRect(QRectF(2.5, 2.5, 4, 6), 1, 1);
    p.drawRoundedRect(QRectF(9.5, 2.5, 4, 6), 1, 1);
    p.drawRect(QRectF(6.5, 5.5, 3, 2));
    p.setBrush(QColor(0x9E, 0xD0, 0xFF));
    p.drawEllipse(QPointF(4.5, 11.5), 3, 3);
    p.drawEllipse(QPointF(11.5, 11.5), 3, 3);
}

void iconReplace(QPainter& p)
{
    letters(p, u"a"_s, QRectF(1, 1.5, 5, 5), ink::text, true, false, sansFamily());
    letters(p, u"b"_s, QRectF(10, 8.5, 5, 6.5), ink::blue, true, false, sansFamily());
    p.setPen(roundPen(ink::blue, 1.4));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(4, 9);
    path.quadTo(4, 13, 7.5, 13);
    p.drawPath(path);
    arrowHead(p, QPointF(9.5, 13), 0, 3, ink::blue);
}

void iconSound(QPainter& p)
{
    paintSpeaker(p, QRectF(0.5, 0.5, 15, 15), QColor(0x6F, 0x8F, 0xC8));
}

void iconMovie(QPainter& p)
{
    paintFilm(p, QRectF(0.5, 2.5, 15, 11));
}

void iconObject(QPainter& p)
{
    page(p, QRectF(1.5, 1.5, 10, 13), false);
    p.setPen(iconPen(QColor(0x8A, 0x1E, 0x1E)));
    p.setBrush(QColor(0xF0, 0x6A, 0x5A));
    p.drawEllipse(QRectF(3.5, 7.5, 5, 5));
    box(p, QRectF(7.5, 5.5, 7, 7), QColor(0x6E, 0x9B, 0xE0), ink::darkBlue);
}

// Any key without a picture of its own: a neat plain button face.
void iconGeneric(QPainter& p)
{
    QLinearGradient face(0, 2, 0, 14);
    face.setColorAt(0, QColor(0xF4, 0xF7, 0xFC));
    face.setColorAt(1, QColor(0xB9, 0xC9, 0xE2));
    p.setPen(iconPen(QColor(0x5A, 0x6E, 0x8C)));
    p.setBrush(face);
    p.drawRoundedRect(QRectF(2.5, 2.5, 11, 11), 2, 2);
    polygon(p, {QPointF(8, 5), QPointF(11, 8), QPointF(8, 11), QPointF(5, 8)}, ink::blue, {});
}

using IconPainter = void (*)(QPainter&);

const QHash<QString, IconPainter>& iconPainters()
{
    static const QHash<QString, IconPainter> painters = {
        {u"new"_s, iconNew},
        {u"open"_s, iconOpen},
        {u"save"_s, iconSave},
        {u"permission"_s, iconPermission},
        {u"email"_s, iconEmail},
        {u"print"_s, iconPrint},
        {u"print-preview"_s, iconPrintPreview},
        {u"spelling"_s, iconSpelling},
        {u"research"_s, iconResearch},
        {u"cut"_s, iconCut},
        {u"copy"_s, iconCopy},
        {u"paste"_s, iconPaste},
        {u"format-painter"_s, iconFormatPainter},
        {u"undo"_s, iconUndo},
        {u"redo"_s, iconRedo},
        {u"chart"_s, iconChart},
        {u"table"_s, iconTable},
        {u"tables-borders"_s, iconTablesBorders},
        {u"hyperlink"_s, iconHyperlink},
        {u"expand-all"_s, iconExpandAll},
        {u"show-formatting"_s, iconShowFormatting},
        {u"grid"_s, iconGrid},
        {u"color-grayscale"_s, iconColorGrayscale},
        {u"help"_s, iconHelp},
        {u"zoom"_s, iconZoom},
        {u"bold"_s, iconBold},
        {u"italic"_s, iconItalic},
        {u"underline"_s, iconUnderline},
        {u"shadow"_s, iconShadow},
        {u"align-left"_s, iconAlignLeft},
        {u"center"_s, iconCenter},
        {u"align-right"_s, iconAlignRight},
        {u"justify"_s, iconJustify},
        {u"numbering"_s, iconNumbering},
        {u"bullets"_s, iconBullets},
        {u"grow-font"_s, iconGrowFont},
        {u"shrink-font"_s, iconShrinkFont},
        {u"indent-increase"_s, iconIndentIncrease},
        {u"indent-decrease"_s, iconIndentDecrease},
        {u"promote"_s, iconPromote},
        {u"demote"_s, iconDemote},
        {u"move-up"_s, iconMoveUp},
        {u"move-down"_s, iconMoveDown},
        {u"collapse"_s, iconCollapse},
        {u"expand"_s, iconExpand},
        {u"collapse-all"_s, iconCollapseAll},
        {u"summary-slide"_s, iconSummarySlide},
        {u"new-master"_s, iconNewMaster},
        {u"new-title-master"_s, iconNewTitleMaster},
        {u"delete-master"_s, iconDeleteMaster},
        {u"preserve-master"_s, iconPreserveMaster},
        {u"rename-master"_s, iconRenameMaster},
        {u"master-layout"_s, iconMasterLayout},
        {u"handout-1"_s, iconHandout1},
        {u"handout-2"_s, iconHandout2},
        {u"handout-3"_s, iconHandout3},
        {u"handout-4"_s, iconHandout4},
        {u"handout-6"_s, iconHandout6},
        {u"handout-9"_s, iconHandout9},
        {u"handout-outline"_s, iconHandoutOutline},
        {u"org-insert-shape"_s, iconOrgInsertShape},
        {u"org-layout"_s, iconOrgLayout},
        {u"org-autoformat"_s, iconOrgAutoFormat},
        {u"font-color"_s, iconFontColor},
        {u"design"_s, iconDesign},
        {u"new-slide"_s, iconNewSlide},
        {u"draw"_s, iconDraw},
        {u"select"_s, iconSelect},
        {u"autoshapes"_s, iconAutoShapes},
        {u"line"_s, iconLine},
        {u"arrow"_s, iconArrow},
        {u"rect"_s, iconRect},
        {u"ellipse"_s, iconEllipse},
        {u"textbox"_s, iconTextbox},
        {u"vertical-textbox"_s, iconVerticalTextbox},
        {u"wordart"_s, iconWordArt},
        {u"diagram"_s, iconDiagram},
        {u"clipart"_s, iconClipArt},
        {u"picture"_s, iconPicture},
        {u"fill-color"_s, iconFillColor},
        {u"line-color"_s, iconLineColor},
        {u"line-style"_s, iconLineStyle},
        {u"dash-style"_s, iconDashStyle},
        {u"arrow-style"_s, iconArrowStyle},
        {u"shadow-style"_s, iconShadowStyle},
        {u"3d-style"_s, iconThreeD},
        {u"powerpoint"_s, iconPowerPoint},
        {u"slide"_s, iconSlide},
        {u"view-normal"_s, iconViewNormal},
        {u"view-sorter"_s, iconViewSorter},
        {u"view-show"_s, iconViewShow},
        {u"view-outline"_s, iconOutline},
        {u"transition"_s, iconTransition},
        {u"animation"_s, iconAnimation},
        {u"back"_s, iconBack},
        {u"forward"_s, iconForward},
        {u"link"_s, iconLink},
        {u"close"_s, iconClose},
        {u"delete"_s, iconDelete},
        {u"find"_s, iconFind},
        {u"replace"_s, iconReplace},
        {u"sound"_s, iconSound},
        {u"movie"_s, iconMovie},
        {u"object"_s, iconObject},
    };
    return painters;
}

// Other spellings of the same pictures.
QString canonicalIconKey(const QString& key)
{
    static const QHash<QString, QString> aliases = {
        {u"slide-show"_s, u"view-show"_s},
        {u"slideshow"_s, u"view-show"_s},
        {u"normal"_s, u"view-normal"_s},
        {u"sorter"_s, u"view-sorter"_s},
        {u"slide-sorter"_s, u"view-sorter"_s},
        {u"outline"_s, u"view-outline"_s},
        {u"increase-indent"_s, u"indent-increase"_s},
        {u"decrease-indent"_s, u"indent-decrease"_s},
        {u"align-center"_s, u"center"_s},
        {u"centre"_s, u"center"_s},
        {u"textbox-vertical"_s, u"vertical-textbox"_s},
        {u"align-justify"_s, u"justify"_s},
        {u"rectangle"_s, u"rect"_s},
        {u"oval"_s, u"ellipse"_s},
        {u"text-box"_s, u"textbox"_s},
        {u"organization-chart"_s, u"diagram"_s},
        {u"orgchart"_s, u"diagram"_s},
        {u"insert-picture"_s, u"picture"_s},
        {u"insert-chart"_s, u"chart"_s},
        {u"insert-table"_s, u"table"_s},
        {u"three-d"_s, u"3d-style"_s},
        {u"3d"_s, u"3d-style"_s},
        {u"media"_s, u"movie"_s},
        {u"font-colour"_s, u"font-color"_s},
        {u"fill-colour"_s, u"fill-color"_s},
        {u"line-colour"_s, u"line-color"_s},
        {u"mail"_s, u"email"_s},
        {u"preview"_s, u"print-preview"_s},
        {u"spell"_s, u"spelling"_s},
        {u"custom-animation"_s, u"animation"_s},
        {u"slide-design"_s, u"design"_s},
        {u"arrow-line"_s, u"arrow"_s},
    };
    QString normal = key.trimmed().toLower();
    normal.replace(u'_', u'-');
    normal.replace(u' ', u'-');
    return aliases.value(normal, normal);
}

void paintIconIn(QPainter& p, const QRectF& rect, const QString& key)
{
    const double side = std::min(rect.width(), rect.height());
    if (!(side > 0))
        return;
    const IconPainter paint = iconPainters().value(canonicalIconKey(key), iconGeneric);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(rect.center().x() - side / 2, rect.center().y() - side / 2);
    p.scale(side / 16, side / 16);
    paint(p);
    p.restore();
}

// ------------------------------------------------------------ thumbnails

// The largest 4 : 3 rectangle centred in `r`, on whole pixels.
QRect slideFrameIn(const QRect& r)
{
    int w = r.width();
    int h = w * 3 / 4;
    if (h > r.height()) {
        h = r.height();
        w = h * 4 / 3;
    }
    return QRect(r.left() + (r.width() - w) / 2, r.top() + (r.height() - h) / 2, w, h);
}

const QColor kLayoutBar(0x70, 0x70, 0x70);
const QColor kLayoutLine(0xA8, 0xA8, 0xA8);
const QColor kLayoutFrame(0xC4, 0xC4, 0xC4);

void layoutTitleBar(QPainter& p, const QRect& r, bool vertical)
{
    if (vertical) {
        const int w = std::max(2, r.width() / 3);
        p.fillRect(QRect(r.center().x() - w / 2, r.top() + r.height() / 8, w, r.height() * 3 / 4),
                   kLayoutBar);
    } else {
        const int h = std::max(2, r.height() / 3);
        p.fillRect(QRect(r.left() + r.width() / 6, r.center().y() - h / 2, r.width() * 2 / 3, h), kLayoutBar);
    }
}

void layoutTextLines(QPainter& p, const QRect& r, bool bullets, bool centred)
{
    const int step = std::max(3, r.height() / 7);
    const int thickness = step >= 6 ? 2 : 1;
    int row = 0;
    for (int y = r.top() + step / 2 + 1; y + thickness <= r.bottom() - 1; y += step, ++row) {
        int left = r.left() + 2;
        if (bullets) {
            p.fillRect(QRect(left, y - thickness / 2, std::max(2, thickness + 1), std::max(2, thickness + 1)),
                       kLayoutBar);
            left += 5;
        }
        const int length = (r.right() - 2 - left) * (row % 3 == 2 ? 2 : 3) / 3;
        const int x = centred ? r.center().x() - length / 2 : left;
        p.fillRect(QRect(x, y, length, thickness), kLayoutLine);
        if (centred && row >= 1)
            break;
    }
}

void layoutVerticalLines(QPainter& p, const QRect& r)
{
    const int step = std::max(3, r.width() / 7);
    int col = 0;
    for (int x = r.right() - step / 2 - 1; x >= r.left() + 1; x -= step, ++col) {
        p.fillRect(QRect(x - 1, r.top() + 2, 2, 2), kLayoutBar);
        const int length = (r.height() - 8) * (col % 3 == 2 ? 2 : 3) / 3;
        p.fillRect(QRect(x - 1, r.top() + 6, 1, length), kLayoutLine);
    }
}

void layoutContentCluster(QPainter& p, const QRect& r)
{
    static const std::array<QColor, 6> colours = {QColor(0x6E, 0x9B, 0xE0), QColor(0x99, 0x33, 0x66),
                                                  QColor(0xF2, 0x6D, 0x8F), QColor(0x5E, 0x9E, 0x4A),
                                                  QColor(0xF7, 0xB5, 0x42), QColor(0x40, 0x40, 0x40)};
    const int cell = std::max(2, std::min(r.width(), r.height()) / 6);
    const int gap = std::max(1, cell / 3);
    const int left = r.center().x() - (3 * cell + 2 * gap) / 2;
    const int top = r.center().y() - (2 * cell + gap) / 2;
    for (size_t i = 0; i < colours.size(); ++i)
        p.fillRect(QRect(left + int(i % 3) * (cell + gap), top + int(i / 3) * (cell + gap), cell, cell),
                   colours[i]);
}

void paintLayoutPlaceholder(QPainter& p, const QRect& r, Region kind)
{
    switch (kind) {
    case Region::Text:
        layoutTextLines(p, r, true, false);
        return;
    case Region::VerticalText:
        layoutVerticalLines(p, r);
        return;
    default:
        break;
    }
    QPen frame(kLayoutFrame, 1, Qt::DotLine);
    p.setPen(frame);
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    if (kind == Region::Content) {
        layoutContentCluster(p, r);
        return;
    }
    const int side = std::min(r.width(), r.height()) * 3 / 5;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    paintIconIn(p, QRectF(r.center().x() - side / 2.0 + 0.5, r.center().y() - side / 2.0 + 0.5, side, side),
                iconForObject(kind));
    p.restore();
}

Slide designSample()
{
    Slide slide;
    slide.layout = u"标题和文本"_s;
    slide.title = u"单击此处添加标题"_s;
    slide.body = {u"单击此处添加文本"_s, u"\t第二级"_s};
    return slide;
}

} // namespace

void paintSlide(QPainter& painter, const QRectF& target, const Slide& slide, const QString& design,
                SlidePaintMode mode)
{
    if (!(target.width() > 0 && target.height() > 0))
        return;
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(target.width() / kSlideWidth, target.height() / kSlideHeight);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    paintSlideContent(painter, slide, designFor(design), mode);
    painter.restore();
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

void paintIcon(QPainter& painter, const QRect& rect, const QString& key)
{
    paintIconIn(painter, QRectF(rect), key);
}

void paintLayoutIcon(QPainter& painter, const QRect& rect, const QString& layout)
{
    const QRect slide = slideFrameIn(rect.adjusted(1, 1, -1, -1));
    if (slide.width() < 4 || slide.height() < 3)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(slide, Qt::white);
    const LayoutGeometry geometry = layoutGeometry(layout);
    const auto pixels = [&slide](const QRectF& points) { return toTarget(QRectF(slide), points).toRect(); };
    if (geometry.title != LayoutGeometry::Title::None)
        layoutTitleBar(painter, pixels(geometry.titleRect),
                       geometry.title == LayoutGeometry::Title::Vertical);
    if (geometry.title == LayoutGeometry::Title::Centre)
        layoutTextLines(painter, pixels(geometry.subtitleRect), false, true);
    for (const Placeholder& placeholder : geometry.regions)
        paintLayoutPlaceholder(painter, pixels(placeholder.rect), placeholder.kind);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(slide.adjusted(0, 0, -1, -1));
    painter.restore();
}

void paintDesignThumbnail(QPainter& painter, const QRect& rect, const QString& design)
{
    const QRect slide = slideFrameIn(rect.adjusted(1, 1, -1, -1));
    if (slide.width() < 4 || slide.height() < 3)
        return;
    static const Slide sample = designSample();
    paintSlide(painter, QRectF(slide), sample, design, SlidePaintMode::Thumbnail);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(slide.adjusted(0, 0, -1, -1));
    painter.restore();
}

} // namespace pptdrill
