#include "movie/widgets/slidepainter.h"

#include "movie/widgets/slidepaintsupport.h"

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

} // namespace

// The Song face PowerPoint's Chinese templates use for titles and text.
const QString& songFamily()
{
    static const QString family =
        firstInstalled({u"AR PL UMing CN"_s, u"Noto Serif CJK SC"_s, u"SimSun"_s, u"宋体"_s,
                        u"Noto Sans CJK SC"_s, u"WenQuanYi Micro Hei"_s, u"Droid Sans Fallback"_s},
                       QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    return family;
}
namespace {

const QString& heiFamily()
{
    static const QString family = firstInstalled(
        {u"Noto Sans CJK SC"_s, u"WenQuanYi Micro Hei"_s, u"SimHei"_s, u"黑体"_s, u"Droid Sans Fallback"_s},
        songFamily());
    return family;
}

} // namespace

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
namespace {

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

} // namespace

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

// ----------------------------------------------------------------- colours

} // namespace

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

} // namespace

// Paints text into a placeholder or shape, shrinking it until it fits. With
// `growTo`, the text may run down to that height (a text box grows with its
// text) before it shrinks.
void paintText(QPainter& p, const QRectF& box, const std::vector<Paragraph>& given, const TextStyle& style,
               double growTo)
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
namespace {

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
