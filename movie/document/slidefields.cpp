#include "movie/document/moviereading.h"

#include <QJsonArray>
#include <QRectF>
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

// What a slide, its objects and the presentation's settings hold, as a movie
// gives them, and what a slide takes from its master.
namespace pptdrill {
namespace reading {
// ---------------------------------------------------------------- objects

// A whole number between `low` and `high`.
Check readCount(const QJsonObject& o, const QString& key, int& out, int low, int high, const QString& where)
{
    if (!o.contains(key))
        return {};
    if (Check f = readInteger(o[key], out, where + u'.' + key, u"整数"_s))
        return f;
    if (out < low || out > high)
        return Fault{where + u'.' + key, u"应为 %1 至 %2"_s.arg(low).arg(high)};
    return {};
}

// A text that must be one of `known` (or empty, when `emptyAllowed`).
Check readName(const QJsonObject& o, const QString& key, QString& out, const QStringList& known,
               const QString& where, bool emptyAllowed = true)
{
    if (Check f = readString(o, key, out, where))
        return f;
    if ((out.isEmpty() && emptyAllowed) || known.contains(out))
        return {};
    if (out.isEmpty())
        return Fault{where + u'.' + key, u"缺少或为空（可用：%1）"_s.arg(known.join(u'、'))};
    return Fault{where + u'.' + key, u"不能是“%1”（可用：%2）"_s.arg(out, known.join(u'、'))};
}

const QStringList& knownPictureFrames()
{
    static const QStringList frames{u"矩形"_s,           u"圆角矩形"_s,       u"简单框架，白色"_s,
                                    u"简单框架，黑色"_s, u"复杂框架，黑色"_s, u"居中矩形阴影"_s,
                                    u"柔化边缘矩形"_s};
    return frames;
}

const QStringList& knownOrgLayouts()
{
    static const QStringList layouts{u"标准"_s, u"两边悬挂"_s, u"左悬挂"_s, u"右悬挂"_s};
    return layouts;
}

const QStringList& knownDiagrams()
{
    static const QStringList kinds{u"循环图"_s, u"射线图"_s, u"棱锥图"_s, u"维恩图"_s, u"目标图"_s};
    return kinds;
}

constexpr int kMostChartCells = 50;
constexpr int kMostDiagramShapes = 12;
constexpr int kMostOrgShapes = 20;
constexpr int kShadowStyles = 20;

// The pictures of 幻灯片放映 → 动作按钮, by the names after "动作按钮: ".
const QStringList& actionButtonKinds()
{
    static const QStringList kinds{u"自定义"_s,       u"第一张"_s,       u"帮助"_s, u"信息"_s,
                                   u"后退或前一项"_s, u"前进或下一项"_s, u"开始"_s, u"结束"_s,
                                   u"上一张"_s,       u"文档"_s,         u"声音"_s, u"影片"_s};
    return kinds;
}

Check readChartData(const QJsonObject& o, ChartData& data, const QString& where)
{
    if (!o.contains(u"data"_s))
        return {};
    const QString w = where + u".data"_s;
    if (!o[u"data"_s].isObject())
        return wrongType(w, u"对象"_s);
    const QJsonObject d = o[u"data"_s].toObject();
    ChartData read;
    const QJsonArray categories = d[u"categories"_s].toArray();
    if (!d[u"categories"_s].isArray() || categories.isEmpty() || categories.size() > kMostChartCells)
        return Fault{w + u".categories"_s, u"应为 1 至 %1 个分类的文字数组"_s.arg(kMostChartCells)};
    for (qsizetype i = 0; i < categories.size(); ++i) {
        if (!categories[i].isString())
            return wrongType(u"%1.categories[%2]"_s.arg(w).arg(i), u"文字"_s);
        read.categories << categories[i].toString();
    }
    const QJsonArray series = d[u"series"_s].toArray();
    if (!d[u"series"_s].isArray() || series.isEmpty() || series.size() > kMostChartCells)
        return Fault{w + u".series"_s, u"应为 1 至 %1 个系列的数组"_s.arg(kMostChartCells)};
    for (qsizetype i = 0; i < series.size(); ++i) {
        const QString sw = u"%1.series[%2]"_s.arg(w).arg(i);
        if (!series[i].isObject())
            return wrongType(sw, u"对象"_s);
        const QJsonObject so = series[i].toObject();
        ChartSeries one;
        if (Check f = readString(so, u"name"_s, one.name, sw))
            return f;
        const QJsonArray values = so[u"values"_s].toArray();
        if (!so[u"values"_s].isArray() || values.size() != read.categories.size())
            return Fault{sw + u".values"_s, u"应为 %1 个数字（每个分类一个）"_s.arg(read.categories.size())};
        for (qsizetype j = 0; j < values.size(); ++j) {
            if (!values[j].isDouble() || !(std::abs(values[j].toDouble()) <= 1e9))
                return wrongType(u"%1.values[%2]"_s.arg(sw).arg(j), u"数字"_s);
            one.values.push_back(values[j].toDouble());
        }
        read.series.push_back(one);
    }
    data = read;
    return {};
}

// The fields of charts, organisation charts, tables and of every object.
Check readObjectFields(const QJsonObject& so, SlideShape& shape, const QString& w)
{
    double group = shape.group;
    Check fault;
    if ((fault = readNumber(so, u"rotation"_s, shape.rotation, w)) ||
        (fault = readNumber(so, u"group"_s, group, w)) ||
        (fault = readString(so, u"chart"_s, shape.chart, w)) || (fault = readChartData(so, shape.data, w)) ||
        (fault = readName(so, u"orgLayout"_s, shape.orgLayout, knownOrgLayouts(), w)) ||
        (fault = readCount(so, u"subordinates"_s, shape.subordinates, 0, kMostOrgShapes, w)) ||
        (fault = readCount(so, u"assistants"_s, shape.assistants, 0, kMostOrgShapes, w)) ||
        (fault = readCount(so, u"coworkers"_s, shape.coworkers, 0, kMostOrgShapes, w)) ||
        (fault = readNumber(so, u"borderWidth"_s, shape.borderWidth, w)) ||
        (fault = readCount(so, u"shadow"_s, shape.shadow, 0, kShadowStyles, w)) ||
        (fault = readName(so, u"button"_s, shape.button, actionButtonKinds(), w)) ||
        (fault = readName(so, u"frame"_s, shape.frame, knownPictureFrames(), w)) ||
        (fault = readNumber(so, u"outerBorderWidth"_s, shape.outerBorderWidth, w)) ||
        (fault = readColor(so, u"outerLine"_s, shape.outerLine, w)) ||
        (fault = readName(so, u"cellAlign"_s, shape.cellAlign, {u"顶端"_s, u"居中"_s}, w)) ||
        (fault = readName(so, u"pictureColor"_s, shape.pictureColor,
                          {u"自动"_s, u"灰度"_s, u"黑白"_s, u"冲蚀"_s}, w)) ||
        (fault = readNumber(so, u"brightness"_s, shape.brightness, w)) ||
        (fault = readNumber(so, u"contrast"_s, shape.contrast, w)) ||
        (fault = readNumber(so, u"cropLeft"_s, shape.cropLeft, w)) ||
        (fault = readNumber(so, u"cropRight"_s, shape.cropRight, w)) ||
        (fault = readNumber(so, u"cropTop"_s, shape.cropTop, w)) ||
        (fault = readNumber(so, u"cropBottom"_s, shape.cropBottom, w)) ||
        (fault = readName(so, u"diagram"_s, shape.diagram, knownDiagrams(), w)) ||
        (fault = readCount(so, u"diagramShapes"_s, shape.diagramShapes, 1, kMostDiagramShapes, w)))
        return fault;
    std::optional<bool> flipH, flipV;
    if ((fault = readBool(so, u"flipH"_s, flipH, w)) || (fault = readBool(so, u"flipV"_s, flipV, w)))
        return fault;
    shape.flipH = flipH.value_or(shape.flipH);
    shape.flipV = flipV.value_or(shape.flipV);
    if (!shape.button.isEmpty() && shape.type != u"button"_s)
        return Fault{w + u".button"_s, u"只有动作按钮（type 为 button）才有按钮图案"_s};
    if (!shape.frame.isEmpty() && shape.type != u"picture"_s)
        return Fault{w + u".frame"_s, u"只有图片（type 为 picture）才有相框形状"_s};
    std::optional<bool> reversed;
    if ((fault = readBool(so, u"diagramReversed"_s, reversed, w)))
        return fault;
    if (reversed)
        shape.diagramReversed = *reversed;
    if (!(std::abs(shape.rotation) <= 360))
        return Fault{w + u".rotation"_s, u"应在 -360 至 360 度之间"_s};
    if (group != std::trunc(group) || group < 0 || group > 1000)
        return Fault{w + u".group"_s, u"应为 0 至 1000 的整数（0 为不在组合中）"_s};
    shape.group = static_cast<int>(group);
    if (!(shape.borderWidth >= 0 && shape.borderWidth <= 6))
        return Fault{w + u".borderWidth"_s, u"应为 0 至 6 磅"_s};
    if (!(shape.outerBorderWidth >= 0 && shape.outerBorderWidth <= 6))
        return Fault{w + u".outerBorderWidth"_s, u"应为 0 至 6 磅"_s};
    for (const auto& [key, value] :
         {std::pair{u"brightness"_s, shape.brightness}, std::pair{u"contrast"_s, shape.contrast}}) {
        if (!(value >= 0 && value <= 100))
            return Fault{w + u'.' + key, u"应为 0 至 100（%）"_s};
    }
    for (const auto& [key, value] :
         {std::pair{u"cropLeft"_s, shape.cropLeft}, std::pair{u"cropRight"_s, shape.cropRight},
          std::pair{u"cropTop"_s, shape.cropTop}, std::pair{u"cropBottom"_s, shape.cropBottom}}) {
        if (!(value >= 0 && value <= kMaxShapeExtent))
            return Fault{w + u'.' + key, u"应在 0 至 %1 磅之间"_s.arg(kMaxShapeExtent)};
    }
    if (!shape.chart.isEmpty() && shape.type != u"chart"_s)
        return Fault{w + u".chart"_s, u"只有图表（type 为 chart）才有图表类型"_s};
    if (!shape.diagram.isEmpty() && shape.type != u"diagram"_s)
        return Fault{w + u".diagram"_s, u"只有图示（type 为 diagram）才有图示类型"_s};
    return {};
}

// ------------------------------------------------------------ backgrounds

Check readBackgroundFill(const QJsonObject& o, BackgroundFill& fill, const QString& where)
{
    if (!o.contains(u"fill"_s))
        return {};
    const QString w = where + u".fill"_s;
    if (o[u"fill"_s].isNull()) {
        fill = {};
        return {};
    }
    if (!o[u"fill"_s].isObject())
        return wrongType(w, u"对象或 null"_s);
    const QJsonObject f = o[u"fill"_s].toObject();
    BackgroundFill read;
    static const QStringList types{u"gradient"_s, u"texture"_s, u"pattern"_s, u"picture"_s};
    Check fault;
    if ((fault = readName(f, u"type"_s, read.type, types, w, false)) ||
        (fault = readName(f, u"preset"_s, read.preset, knownGradientPresets(), w)) ||
        (fault = readName(f, u"style"_s, read.style, knownGradientStyles(), w)) ||
        (fault = readCount(f, u"variant"_s, read.variant, 1, 4, w)) ||
        (fault = readName(f, u"texture"_s, read.texture, knownTextures(), w)) ||
        (fault = readName(f, u"pattern"_s, read.pattern, knownPatterns(), w)) ||
        (fault = readColor(f, u"foreground"_s, read.foreground, w)) ||
        (fault = readColor(f, u"background"_s, read.background, w)))
        return fault;
    if (f.contains(u"colors"_s)) {
        const QJsonArray colors = f[u"colors"_s].toArray();
        if (!f[u"colors"_s].isArray() || colors.isEmpty() || colors.size() > 2)
            return Fault{w + u".colors"_s, u"应为一或两个颜色 #RRGGBB"_s};
        for (qsizetype i = 0; i < colors.size(); ++i) {
            QString colour;
            QJsonObject one{{u"c"_s, colors[i]}};
            if (readColor(one, u"c"_s, colour, w) || colour.isEmpty())
                return wrongType(u"%1.colors[%2]"_s.arg(w).arg(i), u"颜色 #RRGGBB"_s);
            read.colors << colour;
        }
    }
    // What each kind needs to be drawn.
    if (read.type == u"gradient"_s && read.colors.isEmpty() && read.preset.isEmpty())
        return Fault{w, u"渐变需要 colors 或 preset"_s};
    if (read.type == u"texture"_s && read.texture.isEmpty())
        return Fault{w, u"纹理需要 texture"_s};
    if (read.type == u"pattern"_s && read.pattern.isEmpty())
        return Fault{w, u"图案需要 pattern"_s};
    fill = read;
    return {};
}

// A colour scheme's colours, merged into those given before.
Check readScheme(const QJsonObject& o, ColorScheme& scheme, const QString& where)
{
    if (!o.contains(u"scheme"_s))
        return {};
    const QString w = where + u".scheme"_s;
    if (!o[u"scheme"_s].isObject())
        return wrongType(w, u"对象"_s);
    const QJsonObject s = o[u"scheme"_s].toObject();
    ColorScheme read = scheme;
    const std::array<std::pair<QString, QString*>, 8> colours = {{{u"background"_s, &read.background},
                                                                  {u"text"_s, &read.text},
                                                                  {u"shadow"_s, &read.shadow},
                                                                  {u"title"_s, &read.title},
                                                                  {u"fill"_s, &read.fill},
                                                                  {u"accent"_s, &read.accent},
                                                                  {u"hyperlink"_s, &read.hyperlink},
                                                                  {u"followed"_s, &read.followed}}};
    for (auto it = s.begin(); it != s.end(); ++it) {
        const auto known = std::find_if(colours.begin(), colours.end(),
                                        [&](const auto& colour) { return colour.first == it.key(); });
        if (known == colours.end())
            return Fault{
                w + u'.' + it.key(),
                u"不是配色方案的颜色（background、text、shadow、title、fill、accent、hyperlink、followed）"_s};
        if (Check f = readColor(s, it.key(), *known->second, w))
            return f;
    }
    scheme = read;
    return {};
}

// One shape's fields, merged into `shape`.
Check readShape(const QJsonObject& so, SlideShape& shape, const QString& w)
{
    Check fault;
    if ((fault = readString(so, u"type"_s, shape.type, w)) || (fault = readNumber(so, u"x"_s, shape.x, w)) ||
        (fault = readNumber(so, u"y"_s, shape.y, w)) || (fault = readNumber(so, u"w"_s, shape.w, w)) ||
        (fault = readNumber(so, u"h"_s, shape.h, w)) || (fault = readString(so, u"text"_s, shape.text, w)) ||
        (fault = readColor(so, u"fill"_s, shape.fill, w)) ||
        (fault = readColor(so, u"line"_s, shape.line, w)))
        return fault;
    if ((fault = readObjectFields(so, shape, w)) || (fault = readTextBoxFields(so, shape, w)))
        return fault;
    if (shape.type.isEmpty())
        return Fault{w + u".type"_s, u"不能为空"_s};
    for (const auto& [key, value] : {std::pair{u"x"_s, shape.x}, std::pair{u"y"_s, shape.y},
                                     std::pair{u"w"_s, shape.w}, std::pair{u"h"_s, shape.h}}) {
        if (!(std::abs(value) <= kMaxShapeExtent))
            return Fault{w + u'.' + key, u"应在 -%1 至 %1 磅之间"_s.arg(kMaxShapeExtent)};
    }
    return {};
}

Check readShapes(const QJsonObject& o, std::vector<SlideShape>& shapes, const QString& where)
{
    if (!o.contains(u"shapes"_s))
        return {};
    if (!o[u"shapes"_s].isArray())
        return wrongType(where + u".shapes"_s, u"数组"_s);
    shapes.clear();
    const QJsonArray list = o[u"shapes"_s].toArray();
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString w = u"%1.shapes[%2]"_s.arg(where).arg(i);
        if (!list[i].isObject())
            return wrongType(w, u"对象"_s);
        SlideShape shape;
        if (Check fault = readShape(list[i].toObject(), shape, w))
            return fault;
        shapes.push_back(shape);
    }
    return {};
}

// ------------------------------------------------ bullets, spacing, links

// An object member, or nothing when absent; `out` is its object.
Check readObject(const QJsonObject& o, const QString& key, QJsonObject& out, const QString& where,
                 bool& given)
{
    given = o.contains(key);
    if (!given)
        return {};
    if (!o[key].isObject())
        return wrongType(where + u'.' + key, u"对象"_s);
    out = o[key].toObject();
    return {};
}

Check readBetween(const QJsonObject& o, const QString& key, double& out, double low, double high,
                  const QString& where, const QString& unit)
{
    if (Check f = readNumber(o, key, out, where))
        return f;
    if (o.contains(key) && !(out >= low && out <= high))
        return Fault{where + u'.' + key, u"应为 %1 至 %2%3"_s.arg(low).arg(high).arg(unit)};
    return {};
}

Check readBullets(const QJsonObject& fields, SlideBullets& bullets, const QString& where)
{
    QJsonObject o;
    bool given = false;
    if (Check f = readObject(fields, u"bullets"_s, o, where, given); f || !given)
        return f;
    const QString w = where + u".bullets"_s;
    double start = bullets.start;
    double picture = bullets.picture;
    Check fault;
    if ((fault = readString(o, u"char"_s, bullets.character, w)) ||
        (fault = readColor(o, u"color"_s, bullets.color, w)) ||
        (fault = readBetween(o, u"size"_s, bullets.size, 25, 400, w, u"（字高的百分比）"_s)) ||
        (fault = readString(o, u"numbering"_s, bullets.numbering, w)) ||
        (fault = readBetween(o, u"start"_s, start, 1, 9999, w, QString())) ||
        (fault = readBetween(o, u"picture"_s, picture, 0, kPictureBullets, w, QString())))
        return fault;
    if (picture != std::trunc(picture))
        return wrongType(w + u".picture"_s, u"整数"_s);
    bullets.picture = static_cast<int>(picture);
    if (o.contains(u"char"_s) && bullets.character.toStdU32String().size() != 1)
        return Fault{w + u".char"_s, u"应为一个字符"_s};
    if (!bullets.numbering.isEmpty() && !numberingStyles().contains(bullets.numbering))
        return Fault{w + u".numbering"_s, u"不是编号样式：“%1”"_s.arg(bullets.numbering)};
    if (start != std::trunc(start))
        return wrongType(w + u".start"_s, u"整数"_s);
    bullets.start = static_cast<int>(start);
    return {};
}

// 行距, 段前 and 段后, each in lines ("line") or in points ("linePt").
Check readSpacing(const QJsonObject& fields, SlideSpacing& spacing, const QString& where)
{
    QJsonObject o;
    bool given = false;
    if (Check f = readObject(fields, u"spacing"_s, o, where, given); f || !given)
        return f;
    const QString w = where + u".spacing"_s;
    struct Part
    {
        QString key;
        double& value;
        bool& points;
    };
    for (const Part& part : {Part{u"line"_s, spacing.line, spacing.linePoints},
                             Part{u"before"_s, spacing.before, spacing.beforePoints},
                             Part{u"after"_s, spacing.after, spacing.afterPoints}}) {
        const QString inPoints = part.key + u"Pt"_s;
        if (o.contains(part.key) && o.contains(inPoints))
            return Fault{w + u'.' + inPoints, u"与 %1 只能有一个（行或磅）"_s.arg(part.key)};
        if (o.contains(part.key)) {
            if (Check f = readBetween(o, part.key, part.value, 0, 9999, w, u" 行"_s))
                return f;
            part.points = false;
        } else if (o.contains(inPoints)) {
            if (Check f = readBetween(o, inPoints, part.value, 0, 1584, w, u" 磅"_s))
                return f;
            part.points = true;
        }
    }
    if (!spacing.linePoints && spacing.line == 0)
        return Fault{w + u".line"_s, u"行距不能为 0 行"_s};
    return {};
}

Check readTextResults(const QJsonObject& fields, Slide& slide, const QString& where)
{
    std::optional<bool> visited;
    Check fault;
    if ((fault = readBullets(fields, slide.bullets, where)) ||
        (fault = readSpacing(fields, slide.spacing, where)) ||
        (fault = readString(fields, u"titleLink"_s, slide.titleLink, where)) ||
        (fault = readString(fields, u"bodyLink"_s, slide.bodyLink, where)) ||
        (fault = readBool(fields, u"linkVisited"_s, visited, where)))
        return fault;
    if (visited)
        slide.linkVisited = *visited;
    return {};
}

// ------------------------------------ headers and footers, page, window

Check readFlag(const QJsonObject& o, const QString& key, bool& out, const QString& where)
{
    std::optional<bool> value;
    if (Check f = readBool(o, key, value, where))
        return f;
    if (value)
        out = *value;
    return {};
}

// The toolbars shown, the windows open and whether the presentation and PowerPoint are closed.
Check readWindowState(const QJsonObject& o, WindowOptions& window, const QString& where)
{
    Check fault;
    if ((fault = readFlag(o, u"drawingToolbar"_s, window.drawingToolbar, where)) ||
        (fault = readFlag(o, u"assistant"_s, window.assistant, where)) ||
        (fault = readFlag(o, u"saved"_s, window.saved, where)) ||
        (fault = readFlag(o, u"closed"_s, window.closed, where)) ||
        (fault = readFlag(o, u"exited"_s, window.exited, where)) ||
        (fault = readString(o, u"arrange"_s, window.arrange, where)))
        return fault;
    if (!window.arrange.isEmpty() && window.arrange != u"全部重排"_s && window.arrange != u"层叠"_s)
        return Fault{where + u".arrange"_s, u"应为“全部重排”或“层叠”"_s};
    if (o.contains(u"windows"_s)) {
        if ((fault = readInteger(o[u"windows"_s], window.windows, where + u".windows"_s, u"窗口数"_s)))
            return fault;
        if (window.windows < 1 || window.windows > 9)
            return Fault{where + u".windows"_s, u"应为 1 至 9 个窗口"_s};
    }
    if (o.contains(u"toolbars"_s)) {
        if (!o[u"toolbars"_s].isArray())
            return wrongType(where + u".toolbars"_s, u"工具栏名的数组"_s);
        window.toolbars.clear();
        for (const QJsonValue& name : o[u"toolbars"_s].toArray()) {
            if (!name.isString() || name.toString().isEmpty())
                return wrongType(where + u".toolbars"_s, u"工具栏名的数组"_s);
            window.toolbars << name.toString();
        }
    }
    return {};
}

Check readPageResults(const QJsonObject& fields, Presentation& p, const QString& where)
{
    QJsonObject o;
    bool given = false;
    Check fault;
    if ((fault = readObject(fields, u"footers"_s, o, where, given)))
        return fault;
    if (given) {
        const QString w = where + u".footers"_s;
        SlideFooters& f = p.footers;
        if ((fault = readFlag(o, u"date"_s, f.date, w)) ||
            (fault = readString(o, u"fixedDate"_s, f.fixedDate, w)) ||
            (fault = readFlag(o, u"number"_s, f.number, w)) ||
            (fault = readString(o, u"footer"_s, f.footer, w)) ||
            (fault = readFlag(o, u"notOnTitle"_s, f.notOnTitle, w)))
            return fault;
    }
    if ((fault = readObject(fields, u"notesFooters"_s, o, where, given)))
        return fault;
    if (given) {
        const QString w = where + u".notesFooters"_s;
        NotesFooters& f = p.notesFooters;
        if ((fault = readString(o, u"header"_s, f.header, w)) ||
            (fault = readFlag(o, u"date"_s, f.date, w)) ||
            (fault = readString(o, u"fixedDate"_s, f.fixedDate, w)) ||
            (fault = readFlag(o, u"number"_s, f.number, w)) ||
            (fault = readString(o, u"footer"_s, f.footer, w)))
            return fault;
    }
    if ((fault = readObject(fields, u"pageSetup"_s, o, where, given)))
        return fault;
    if (given) {
        const QString w = where + u".pageSetup"_s;
        PageSetup& page = p.page;
        double first = page.firstNumber;
        const QString cm = u" 厘米"_s;
        if ((fault = readBetween(o, u"width"_s, page.width, kMinSlideSide, kMaxSlideSide, w, cm)) ||
            (fault = readBetween(o, u"height"_s, page.height, kMinSlideSide, kMaxSlideSide, w, cm)) ||
            (fault = readBetween(o, u"firstNumber"_s, first, 0, 9999, w, QString())) ||
            (fault = readFlag(o, u"notesLandscape"_s, page.notesLandscape, w)))
            return fault;
        if (first != std::trunc(first))
            return wrongType(w + u".firstNumber"_s, u"整数"_s);
        page.firstNumber = static_cast<int>(first);
    }
    if ((fault = readObject(fields, u"window"_s, o, where, given)))
        return fault;
    if (given) {
        const QString w = where + u".window"_s;
        WindowOptions& window = p.window;
        if ((fault = readFlag(o, u"statusBar"_s, window.statusBar, w)) ||
            (fault = readFlag(o, u"rulers"_s, window.rulers, w)) ||
            (fault = readFlag(o, u"verticalRuler"_s, window.verticalRuler, w)) ||
            (fault = readWindowState(o, window, w)))
            return fault;
        // Each view keeps a zoom of its own, as 显示比例 sets it there.
        for (const auto& [key, out] : {std::pair<QString, int*>{u"zoom"_s, &window.zoom},
                                       std::pair<QString, int*>{u"sorterZoom"_s, &window.sorterZoom},
                                       std::pair<QString, int*>{u"notesZoom"_s, &window.notesZoom}}) {
            double zoom = *out;
            if ((fault = readNumber(o, key, zoom, w)))
                return fault;
            if (zoom != 0 && !(zoom >= 10 && zoom <= 400 && zoom == std::trunc(zoom)))
                return Fault{w + u'.' + key, u"应为 10 至 400 的整数（%），0 为适应"_s};
            *out = static_cast<int>(zoom);
        }
    }
    if ((fault = readObject(fields, u"notesMaster"_s, o, where, given)))
        return fault;
    if (given)
        return mergeFields(p.notesMaster, o, where + u".notesMaster"_s);
    return {};
}

// "transition": the effect's name alone, or { effect, speed, sound, onClick, after }.
Check readTransition(const QJsonObject& o, SlideTransition& t, const QString& where)
{
    const QString key = u"transition"_s;
    if (!o.contains(key))
        return {};
    if (o[key].isString()) {
        t.effect = o[key].toString();
        return {};
    }
    const QString w = where + u'.' + key;
    if (!o[key].isObject())
        return wrongType(w, u"文字或对象"_s);
    const QJsonObject f = o[key].toObject();
    std::optional<bool> onClick;
    Check fault;
    if ((fault = readString(f, u"effect"_s, t.effect, w)) ||
        (fault = readString(f, u"speed"_s, t.speed, w)) || (fault = readString(f, u"sound"_s, t.sound, w)) ||
        (fault = readBool(f, u"onClick"_s, onClick, w)) || (fault = readNumber(f, u"after"_s, t.after, w)))
        return fault;
    if (onClick)
        t.onClick = *onClick;
    if (!t.speed.isEmpty() && !QStringList{u"慢速"_s, u"中速"_s, u"快速"_s}.contains(t.speed))
        return Fault{w + u".speed"_s, u"应为“慢速”、“中速”或“快速”"_s};
    if (!(t.after <= 86400))
        return Fault{w + u".after"_s, u"应为秒数（不多于 86400）"_s};
    return {};
}

// The object an effect animates or is triggered by: title, body, subtitle or shape:n.
bool isEffectTarget(const QString& target)
{
    static const QRegularExpression form(u"^(title|body|subtitle|shape:[1-9][0-9]{0,3})$"_s);
    return form.match(target).hasMatch();
}

Check readEffect(const QJsonObject& f, SlideEffect& e, const QString& w)
{
    std::optional<bool> reverse;
    std::optional<bool> rewind;
    double repeat = e.repeat;
    Check fault;
    if ((fault = readString(f, u"target"_s, e.target, w)) || (fault = readString(f, u"kind"_s, e.kind, w)) ||
        (fault = readString(f, u"effect"_s, e.effect, w)) ||
        (fault = readString(f, u"start"_s, e.start, w)) || (fault = readString(f, u"speed"_s, e.speed, w)) ||
        (fault = readString(f, u"direction"_s, e.direction, w)) ||
        (fault = readNumber(f, u"delay"_s, e.delay, w)) || (fault = readNumber(f, u"repeat"_s, repeat, w)) ||
        (fault = readString(f, u"textGrouping"_s, e.textGrouping, w)) ||
        (fault = readString(f, u"animateText"_s, e.animateText, w)) ||
        (fault = readString(f, u"sound"_s, e.sound, w)) || (fault = readBool(f, u"reverse"_s, reverse, w)) ||
        (fault = readString(f, u"trigger"_s, e.trigger, w)) ||
        (fault = readString(f, u"afterAnimation"_s, e.afterAnimation, w)) ||
        (fault = readBool(f, u"rewind"_s, rewind, w)) ||
        (fault = readString(f, u"repeatUntil"_s, e.repeatUntil, w)))
        return fault;
    if (reverse)
        e.reverse = *reverse;
    if (rewind)
        e.rewind = *rewind;
    if (!e.afterAnimation.isEmpty() && !e.afterAnimation.startsWith(u'#') &&
        !QStringList{u"不变暗"_s, u"播放动画后隐藏"_s, u"下次单击后隐藏"_s}.contains(e.afterAnimation))
        return Fault{w + u".afterAnimation"_s,
                     u"应为“不变暗”、“播放动画后隐藏”、“下次单击后隐藏”或 #RRGGBB"_s};
    if (!e.repeatUntil.isEmpty() &&
        !QStringList{u"直到下一次单击"_s, u"直到幻灯片末尾"_s}.contains(e.repeatUntil))
        return Fault{w + u".repeatUntil"_s, u"应为“直到下一次单击”或“直到幻灯片末尾”"_s};
    if (!isEffectTarget(e.target))
        return Fault{w + u".target"_s, u"应为 title、body、subtitle 或 shape:n"_s};
    if (!e.trigger.isEmpty() && !isEffectTarget(e.trigger))
        return Fault{w + u".trigger"_s, u"应为 title、body、subtitle 或 shape:n"_s};
    if (!QStringList{u"进入"_s, u"强调"_s, u"退出"_s, u"动作路径"_s}.contains(e.kind))
        return Fault{w + u".kind"_s, u"应为“进入”、“强调”、“退出”或“动作路径”"_s};
    if (e.effect.isEmpty())
        return Fault{w + u".effect"_s, u"不能为空"_s};
    if (!QStringList{u"单击时"_s, u"之前"_s, u"之后"_s}.contains(e.start))
        return Fault{w + u".start"_s, u"应为“单击时”、“之前”或“之后”"_s};
    if (!e.speed.isEmpty() &&
        !QStringList{u"非常慢"_s, u"慢速"_s, u"中速"_s, u"快速"_s, u"非常快"_s}.contains(e.speed))
        return Fault{w + u".speed"_s, u"应为“非常慢”、“慢速”、“中速”、“快速”或“非常快”"_s};
    if (!(e.delay >= 0 && e.delay <= 3600))
        return Fault{w + u".delay"_s, u"应为 0 至 3600 秒"_s};
    if (!(repeat >= 1 && repeat <= 100) || repeat != std::trunc(repeat))
        return Fault{w + u".repeat"_s, u"应为 1 至 100 次"_s};
    e.repeat = static_cast<int>(repeat);
    return {};
}

// "effects" (the slide's whole list), "addEffect" (one more at the end),
// "changeEffect" ({ "index": n, … }: fields of effect n, 1-based),
// "removeEffect" (n: effect n taken out) and "moveEffect" ({ "index": n,
// "to": m }: effect n moved to place m, the others closing up around it).
Check readEffects(const QJsonObject& o, std::vector<SlideEffect>& effects, const QString& where)
{
    if (o.contains(u"effects"_s)) {
        const QString w = where + u".effects"_s;
        if (!o[u"effects"_s].isArray())
            return wrongType(w, u"数组"_s);
        std::vector<SlideEffect> list;
        const QJsonArray items = o[u"effects"_s].toArray();
        for (qsizetype i = 0; i < items.size(); ++i) {
            const QString wi = u"%1[%2]"_s.arg(w).arg(i);
            if (!items[i].isObject())
                return wrongType(wi, u"对象"_s);
            SlideEffect e;
            if (Check f = readEffect(items[i].toObject(), e, wi))
                return f;
            list.push_back(e);
        }
        effects = std::move(list);
    }
    if (o.contains(u"addEffect"_s)) {
        const QString w = where + u".addEffect"_s;
        if (!o[u"addEffect"_s].isObject())
            return wrongType(w, u"对象"_s);
        SlideEffect e;
        if (Check f = readEffect(o[u"addEffect"_s].toObject(), e, w))
            return f;
        effects.push_back(e);
    }
    if (o.contains(u"changeEffect"_s)) {
        const QString w = where + u".changeEffect"_s;
        if (!o[u"changeEffect"_s].isObject())
            return wrongType(w, u"对象"_s);
        const QJsonObject f = o[u"changeEffect"_s].toObject();
        int index = 0;
        if (Check fault = readInteger(f[u"index"_s], index, w + u".index"_s, u"效果编号"_s))
            return fault;
        if (index < 1 || index > static_cast<int>(effects.size()))
            return Fault{w + u".index"_s,
                         u"没有第 %1 个动画效果（此时幻灯片有 %2 个）"_s.arg(index).arg(effects.size())};
        QJsonObject fields = f;
        fields.remove(u"index"_s);
        if (Check fault = readEffect(fields, effects[static_cast<size_t>(index - 1)], w))
            return fault;
    }
    const auto readPlace = [&](const QJsonValue& v, int& place, const QString& w) -> Check {
        if (Check fault = readInteger(v, place, w, u"效果编号"_s))
            return fault;
        if (place < 1 || place > static_cast<int>(effects.size()))
            return Fault{w, u"没有第 %1 个动画效果（此时幻灯片有 %2 个）"_s.arg(place).arg(effects.size())};
        return {};
    };
    if (o.contains(u"removeEffect"_s)) {
        int index = 0;
        if (Check fault = readPlace(o[u"removeEffect"_s], index, where + u".removeEffect"_s))
            return fault;
        effects.erase(effects.begin() + (index - 1));
    }
    if (o.contains(u"moveEffect"_s)) {
        const QString w = where + u".moveEffect"_s;
        if (!o[u"moveEffect"_s].isObject())
            return wrongType(w, u"对象"_s);
        const QJsonObject f = o[u"moveEffect"_s].toObject();
        int index = 0, to = 0;
        if (Check fault = readPlace(f[u"index"_s], index, w + u".index"_s))
            return fault;
        if (Check fault = readPlace(f[u"to"_s], to, w + u".to"_s))
            return fault;
        const SlideEffect moved = effects[static_cast<size_t>(index - 1)];
        effects.erase(effects.begin() + (index - 1));
        effects.insert(effects.begin() + (to - 1), moved);
    }
    return {};
}

// A shape number of a slide's shapes (1-based), as a set names it.
Check readShapeNumber(const QJsonValue& v, const std::vector<SlideShape>& shapes, int& out, const QString& w)
{
    if (Check f = readInteger(v, out, w, u"图形编号"_s))
        return f;
    if (out < 1 || out > static_cast<int>(shapes.size()))
        return Fault{w, u"幻灯片上没有第 %1 个图形（它有 %2 个）"_s.arg(out).arg(shapes.size())};
    return {};
}

// 编辑 one shape: its fields, and its place in the stacking order.
Check editShape(std::vector<SlideShape>& shapes, const QJsonValue& value, const QString& w)
{
    if (!value.isObject())
        return wrongType(w, u"对象"_s);
    QJsonObject fields = value.toObject();
    int n = 0;
    if (Check f = readShapeNumber(fields[u"shape"_s], shapes, n, w + u".shape"_s))
        return f;
    QString order;
    static const QStringList orders{u"置于顶层"_s, u"置于底层"_s, u"上移一层"_s, u"下移一层"_s};
    if (Check f = readName(fields, u"order"_s, order, orders, w))
        return f;
    fields.remove(u"shape"_s);
    fields.remove(u"order"_s);
    SlideShape shape = shapes[static_cast<size_t>(n - 1)];
    if (Check f = readShape(fields, shape, w))
        return f;
    const int from = n - 1;
    const int to = restackedIndex(order, from, static_cast<int>(shapes.size()));
    shapes.erase(shapes.begin() + from);
    shapes.insert(shapes.begin() + to, shape);
    return {};
}

// The shapes a set names by number: "shapes": [1, 3].
Check readShapeList(const QJsonValue& value, const std::vector<SlideShape>& shapes, std::vector<int>& out,
                    const QString& w, int least)
{
    const QJsonArray list = value.toArray();
    if (!value.isArray() || list.size() < least)
        return Fault{w, u"应为至少 %1 个图形编号的数组"_s.arg(least)};
    for (qsizetype i = 0; i < list.size(); ++i) {
        int n = 0;
        if (Check f = readShapeNumber(list[i], shapes, n, u"%1[%2]"_s.arg(w).arg(i)))
            return f;
        if (std::find(out.begin(), out.end(), n) != out.end())
            return Fault{u"%1[%2]"_s.arg(w).arg(i), u"第 %1 个图形列了两次"_s.arg(n)};
        out.push_back(n);
    }
    return {};
}

const QStringList& knownAlignments()
{
    static const QStringList alignments{u"左对齐"_s,   u"水平居中"_s, u"右对齐"_s,   u"顶端对齐"_s,
                                        u"垂直居中"_s, u"底端对齐"_s, u"横向分布"_s, u"纵向分布"_s};
    return alignments;
}

// 绘图 → 对齐或分布: the shapes lined up on the edge or centre of the first
// ones' bounds (or of the slide, with "toSlide"), or spread evenly between
// the outermost ones.
Check alignShapes(std::vector<SlideShape>& shapes, const QJsonValue& value, const QString& w)
{
    if (!value.isObject())
        return wrongType(w, u"对象"_s);
    const QJsonObject o = value.toObject();
    QString align;
    std::optional<bool> toSlide;
    if (Check f = readName(o, u"align"_s, align, knownAlignments(), w, false))
        return f;
    if (Check f = readBool(o, u"toSlide"_s, toSlide, w))
        return f;
    std::vector<int> chosen;
    const bool spread = align.endsWith(u"分布"_s);
    if (Check f = readShapeList(o[u"shapes"_s], shapes, chosen, w + u".shapes"_s,
                                toSlide.value_or(false) ? 1 : (spread ? 3 : 2)))
        return f;
    QRectF bounds;
    for (const int n : chosen) {
        const SlideShape& s = shapes[static_cast<size_t>(n - 1)];
        bounds = bounds.united(QRectF(s.x, s.y, s.w, s.h).normalized());
    }
    if (toSlide.value_or(false))
        bounds = QRectF(0, 0, 720, 540);
    if (spread) {
        const bool across = align == u"横向分布"_s;
        std::vector<SlideShape*> line;
        double occupied = 0;
        for (const int n : chosen) {
            line.push_back(&shapes[static_cast<size_t>(n - 1)]);
            occupied += across ? line.back()->w : line.back()->h;
        }
        std::sort(line.begin(), line.end(), [across](const SlideShape* a, const SlideShape* b) {
            return across ? a->x < b->x : a->y < b->y;
        });
        const double gap = line.size() < 2 ? 0
                                           : ((across ? bounds.width() : bounds.height()) - occupied) /
                                                 static_cast<double>(line.size() - 1);
        double at = across ? bounds.left() : bounds.top();
        for (SlideShape* s : line) {
            (across ? s->x : s->y) = at;
            at += (across ? s->w : s->h) + gap;
        }
        return {};
    }
    for (const int n : chosen) {
        SlideShape& s = shapes[static_cast<size_t>(n - 1)];
        if (align == u"左对齐"_s)
            s.x = bounds.left();
        else if (align == u"水平居中"_s)
            s.x = bounds.center().x() - s.w / 2;
        else if (align == u"右对齐"_s)
            s.x = bounds.right() - s.w;
        else if (align == u"顶端对齐"_s)
            s.y = bounds.top();
        else if (align == u"垂直居中"_s)
            s.y = bounds.center().y() - s.h / 2;
        else
            s.y = bounds.bottom() - s.h;
    }
    return {};
}

// The changes a step makes to a slide's objects: one edited, several aligned,
// grouped or ungrouped.
Check readObjectChanges(Slide& slide, const QJsonObject& fields, const QString& where)
{
    if (fields.contains(u"editShape"_s)) {
        // Several objects changed at once (a group's fill colour) are a list of edits.
        const QJsonValue edits = fields[u"editShape"_s];
        const QJsonArray list = edits.isArray() ? edits.toArray() : QJsonArray{edits};
        for (qsizetype i = 0; i < list.size(); ++i) {
            const QString w =
                edits.isArray() ? u"%1.editShape[%2]"_s.arg(where).arg(i) : where + u".editShape"_s;
            if (Check f = editShape(slide.shapes, list[i], w))
                return f;
        }
    }
    if (fields.contains(u"alignShapes"_s)) {
        if (Check f = alignShapes(slide.shapes, fields[u"alignShapes"_s], where + u".alignShapes"_s))
            return f;
    }
    if (fields.contains(u"groupShapes"_s)) {
        std::vector<int> chosen;
        if (Check f =
                readShapeList(fields[u"groupShapes"_s], slide.shapes, chosen, where + u".groupShapes"_s, 2))
            return f;
        int group = 0;
        for (const SlideShape& s : slide.shapes)
            group = std::max(group, s.group);
        for (const int n : chosen)
            slide.shapes[static_cast<size_t>(n - 1)].group = group + 1;
    }
    if (fields.contains(u"deleteShape"_s)) {
        int n = 0;
        if (Check f = readShapeNumber(fields[u"deleteShape"_s], slide.shapes, n, where + u".deleteShape"_s))
            return f;
        slide.shapes.erase(slide.shapes.begin() + (n - 1));
    }
    if (fields.contains(u"ungroupShapes"_s)) {
        int n = 0;
        const QString w = where + u".ungroupShapes"_s;
        if (Check f = readShapeNumber(fields[u"ungroupShapes"_s], slide.shapes, n, w))
            return f;
        const int group = slide.shapes[static_cast<size_t>(n - 1)].group;
        if (group == 0)
            return Fault{w, u"第 %1 个图形不在组合中"_s.arg(n)};
        for (SlideShape& s : slide.shapes)
            if (s.group == group)
                s.group = 0;
    }
    return {};
}
} // namespace reading

int restackedIndex(const QString& order, int from, int count)
{
    const int last = count - 1;
    return order == u"置于顶层"_s   ? last
           : order == u"置于底层"_s ? 0
           : order == u"上移一层"_s ? std::min(from + 1, last)
           : order == u"下移一层"_s ? std::max(from - 1, 0)
                                    : from;
}

const QStringList& numberingStyles()
{
    static const QStringList styles{u"1. 2. 3."_s,    u"1) 2) 3)"_s,     u"I. II. III."_s,
                                    u"A. B. C."_s,    u"a) b) c)"_s,     u"a. b. c."_s,
                                    u"i. ii. iii."_s, u"一、二、三、"_s, u"①②③"_s};
    return styles;
}

namespace {

QString romanNumeral(int n)
{
    static const std::pair<int, const char*> parts[] = {
        {1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"}, {100, "C"}, {90, "XC"}, {50, "L"},
        {40, "XL"},  {10, "X"},   {9, "IX"},  {5, "V"},    {4, "IV"},  {1, "I"}};
    QString out;
    for (const auto& [value, text] : parts)
        for (; n >= value; n -= value)
            out += QLatin1StringView(text);
    return out;
}

// 1 → a, 26 → z, 27 → aa, as PowerPoint letters its paragraphs.
QString letters(int n)
{
    const QChar letter(u'a' + (n - 1) % 26);
    return QString((n - 1) / 26 + 1, letter);
}

QString chineseNumeral(int n)
{
    static const QString digits = u"零一二三四五六七八九"_s;
    if (n < 10)
        return digits[n];
    if (n < 100)
        return (n / 10 == 1 ? QString() : QString(digits[n / 10])) + u'十' +
               (n % 10 ? QString(digits[n % 10]) : QString());
    return QString::number(n);
}

} // namespace

QString numberLabel(const QString& style, int number)
{
    const int n = std::max(number, 1);
    if (style == u"1) 2) 3)"_s)
        return QString::number(number) + u')';
    if (style == u"I. II. III."_s)
        return romanNumeral(n) + u'.';
    if (style == u"i. ii. iii."_s)
        return romanNumeral(n).toLower() + u'.';
    if (style == u"A. B. C."_s)
        return letters(n).toUpper() + u'.';
    if (style == u"a) b) c)"_s)
        return letters(n) + u')';
    if (style == u"a. b. c."_s)
        return letters(n) + u'.';
    if (style == u"一、二、三、"_s)
        return chineseNumeral(number) + u'、';
    if (style == u"①②③"_s)
        return n <= 20 ? QString(QChar(0x2460 + n - 1)) : u"(%1)"_s.arg(n);
    return QString::number(number) + u'.';
}

const QStringList& knownViews()
{
    return WindowView::names();
}

const QStringList& schemeColorNames()
{
    static const QStringList names{u"background"_s, u"text"_s,   u"shadow"_s,    u"title"_s,
                                   u"fill"_s,       u"accent"_s, u"hyperlink"_s, u"followed"_s};
    return names;
}

const QStringList& knownTextures()
{
    static const QStringList textures{
        u"纸莎草纸"_s, u"画布"_s,   u"斜纹布"_s,     u"编织物"_s,     u"水滴"_s,       u"纸袋"_s,
        u"鱼类化石"_s, u"沙滩"_s,   u"绿色大理石"_s, u"白色大理石"_s, u"褐色大理石"_s, u"花岗岩"_s,
        u"新闻纸"_s,   u"再生纸"_s, u"羊皮纸"_s,     u"信纸"_s,       u"蓝色面巾纸"_s, u"粉色面巾纸"_s,
        u"紫色网格"_s, u"花束"_s,   u"软木塞"_s,     u"胡桃"_s,       u"栎木"_s,       u"深色木质"_s};
    return textures;
}

const QStringList& knownPatterns()
{
    static const QStringList patterns{
        u"5%"_s,           u"10%"_s,        u"20%"_s,          u"25%"_s,          u"30%"_s,
        u"40%"_s,          u"50%"_s,        u"60%"_s,          u"70%"_s,          u"75%"_s,
        u"80%"_s,          u"90%"_s,        u"浅色下对角线"_s, u"浅色上对角线"_s, u"深色下对角线"_s,
        u"深色上对角线"_s, u"宽下对角线"_s, u"宽上对角线"_s,   u"浅色竖线"_s,     u"浅色横线"_s,
        u"窄竖线"_s,       u"窄横线"_s,     u"深色竖线"_s,     u"深色横线"_s,     u"下对角虚线"_s,
        u"上对角虚线"_s,   u"横虚线"_s,     u"竖虚线"_s,       u"小纸屑"_s,       u"大纸屑"_s,
        u"之字形"_s,       u"波浪线"_s,     u"对角砖形"_s,     u"横向砖形"_s,     u"编织物"_s,
        u"划线"_s,         u"草皮"_s,       u"球体"_s,         u"小网格"_s,       u"大网格"_s,
        u"小棋盘"_s,       u"大棋盘"_s,     u"虚线网格"_s,     u"实心菱形"_s,     u"轮廓式菱形"_s,
        u"瓦形"_s,         u"点式网格"_s,   u"点式菱形"_s};
    return patterns;
}

const QStringList& knownGradientPresets()
{
    static const QStringList presets{
        u"红日西斜"_s, u"暮霭沉沉"_s, u"夜幕降临"_s, u"雨后初晴"_s, u"碧海青天"_s,    u"漫漫黄沙"_s,
        u"海洋"_s,     u"心如止水"_s, u"熊熊火焰"_s, u"薄雾浓云"_s, u"茵茵绿原"_s,    u"孔雀开屏"_s,
        u"麦浪滚滚"_s, u"羊皮纸"_s,   u"红木"_s,     u"彩虹出岫"_s, u"彩虹出岫 II"_s, u"金色年华"_s,
        u"金乌坠地"_s, u"黄铜"_s,     u"铬色"_s,     u"铬色 II"_s,  u"银波荡漾"_s,    u"宝石蓝"_s};
    return presets;
}

const QStringList& knownGradientStyles()
{
    static const QStringList styles{u"水平"_s, u"垂直"_s, u"斜上"_s, u"斜下"_s, u"角部辐射"_s, u"中心辐射"_s};
    return styles;
}

namespace {

void inheritFont(SlideFont& font, const SlideFont& master)
{
    if (font.family.isEmpty())
        font.family = master.family;
    if (font.size == 0)
        font.size = master.size;
    if (!font.bold)
        font.bold = master.bold;
    if (!font.italic)
        font.italic = master.italic;
    if (!font.underline)
        font.underline = master.underline;
    if (font.color.isEmpty())
        font.color = master.color;
    if (font.align.isEmpty())
        font.align = master.align;
    if (font.latinFamily.isEmpty())
        font.latinFamily = master.latinFamily;
    if (!font.shadow)
        font.shadow = master.shadow;
    if (!font.emboss)
        font.emboss = master.emboss;
}

void inheritScheme(ColorScheme& scheme, const ColorScheme& master)
{
    for (auto [own, theirs] : {std::pair{&scheme.background, &master.background},
                               {&scheme.text, &master.text},
                               {&scheme.shadow, &master.shadow},
                               {&scheme.title, &master.title},
                               {&scheme.fill, &master.fill},
                               {&scheme.accent, &master.accent},
                               {&scheme.hyperlink, &master.hyperlink},
                               {&scheme.followed, &master.followed}})
        if (own->isEmpty())
            *own = *theirs;
}

} // namespace

Slide slideAsShown(const Presentation& presentation, const Slide& slide)
{
    const Slide& master = slide.layout == u"标题幻灯片"_s && presentation.titleMaster
                              ? *presentation.titleMaster
                              : presentation.master;
    Slide shown = slide;
    inheritFont(shown.titleFont, master.titleFont);
    inheritFont(shown.bodyFont, master.bodyFont);
    inheritScheme(shown.scheme, master.scheme);
    // Bullets the slide never set are the master's text style's.
    if (shown.bullets == SlideBullets{})
        shown.bullets = master.bullets;
    // A background of its own replaces the master's whole.
    if (shown.background.isEmpty() && shown.fill.type.isEmpty()) {
        shown.background = master.background;
        shown.fill = master.fill;
    }
    if (!slide.ignoreMasterGraphics && !master.shapes.empty()) {
        shown.shapes = master.shapes;
        shown.shapes.insert(shown.shapes.end(), slide.shapes.begin(), slide.shapes.end());
    }
    if (!presentation.showMarkup)
        shown.comments.clear();
    const Spelling& spelling = presentation.spelling;
    if (spelling.checkAsYouType && !spelling.hideErrors) {
        for (const SpellingError& error : spelling.errors)
            shown.misspelled << error.word;
    }
    return shown;
}

} // namespace pptdrill
