#include "movie/widgets/slides/slidelayouts.h"

#include "movie/widgets/slides/slidepaintsupport.h"

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

// Where the placeholders of each layout of the 幻灯片版式 task pane lie.
namespace pptdrill {
namespace {

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

} // namespace

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

QRectF slideContentRect(const QRectF& target)
{
    const double aspect = kSlideWidth / kSlideHeight;
    if (!(target.height() > 0) || std::abs(target.width() / target.height() / aspect - 1) < 0.02)
        return target;
    const double w = std::min(target.width(), target.height() * aspect);
    const double h = w / aspect;
    return QRectF(target.center().x() - w / 2, target.center().y() - h / 2, w, h);
}

QRectF toTarget(const QRectF& page, const QRectF& points)
{
    if (points.isEmpty())
        return {};
    const QRectF target = slideContentRect(page);
    const double sx = target.width() / kSlideWidth;
    const double sy = target.height() / kSlideHeight;
    return QRectF(target.left() + points.left() * sx, target.top() + points.top() * sy, points.width() * sx,
                  points.height() * sy);
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

} // namespace pptdrill
