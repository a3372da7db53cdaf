#include "movie/document/effectlist.h"

#include <QMap>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

QString shapeName(const Slide& slide, int n)
{
    static const QMap<QString, QString> kinds = {
        {u"rect"_s, u"矩形"_s},      {u"roundrect"_s, u"圆角矩形"_s}, {u"ellipse"_s, u"椭圆"_s},
        {u"arrow"_s, u"右箭头"_s},   {u"star"_s, u"五角星"_s},        {u"smiley"_s, u"笑脸"_s},
        {u"textbox"_s, u"文本框"_s}, {u"picture"_s, u"图片"_s},       {u"clipart"_s, u"图片"_s},
        {u"wordart"_s, u"艺术字"_s}, {u"table"_s, u"表格"_s},         {u"chart"_s, u"对象"_s},
        {u"orgchart"_s, u"对象"_s},  {u"sound"_s, u"声音"_s},         {u"movie"_s, u"媒体"_s},
        {u"button"_s, u"动作按钮"_s}};
    const QString type = n >= 1 && n <= static_cast<int>(slide.shapes.size())
                             ? slide.shapes[static_cast<size_t>(n - 1)].type
                             : QString();
    // The title and text placeholders come first, so a slide's first shape is number 3.
    return u"%1 %2"_s.arg(kinds.value(type, u"对象"_s)).arg(n + 2);
}

QString firstParagraph(const Slide& slide)
{
    const QStringList paragraphs = outlineParagraphs(slide);
    return paragraphs.isEmpty() ? QString() : paragraphs.first().trimmed();
}

} // namespace

QString effectObjectName(const Slide& slide, const QString& target)
{
    if (target == u"body"_s)
        return firstParagraph(slide);
    return slideObjectName(slide, target);
}

QString slideObjectName(const Slide& slide, const QString& target)
{
    if (target == u"title"_s)
        return u"标题 1: %1"_s.arg(slide.title.simplified());
    if (target == u"subtitle"_s)
        return u"副标题 2: %1"_s.arg(firstParagraph(slide));
    if (target == u"body"_s)
        return u"文本占位符 2: %1"_s.arg(firstParagraph(slide));
    return shapeName(slide, target.mid(6).toInt());
}

QStringList slideObjectNames(const Slide& slide)
{
    QStringList names;
    if (!slide.title.isEmpty())
        names << slideObjectName(slide, u"title"_s);
    if (!outlineParagraphs(slide).isEmpty())
        names << slideObjectName(slide, slide.body.isEmpty() ? u"subtitle"_s : u"body"_s);
    for (size_t i = 0; i < slide.shapes.size(); ++i)
        names << shapeName(slide, static_cast<int>(i) + 1);
    return names;
}

std::vector<EffectListRow> effectListRows(const Slide& slide, const std::vector<SlideEffect>& effects)
{
    std::vector<EffectListRow> rows;
    QStringList triggers;
    for (size_t i = 0; i < effects.size(); ++i) {
        if (effects[i].trigger.isEmpty())
            rows.push_back({static_cast<int>(i),
                            u"%1. %2"_s.arg(i + 1).arg(effectObjectName(slide, effects[i].target))});
        else if (!triggers.contains(effects[i].trigger))
            triggers << effects[i].trigger;
    }
    for (const QString& trigger : triggers) {
        rows.push_back({-1, u"触发器: %1"_s.arg(slideObjectName(slide, trigger))});
        for (size_t i = 0; i < effects.size(); ++i) {
            if (effects[i].trigger == trigger)
                rows.push_back({static_cast<int>(i),
                                u"%1. %2"_s.arg(i + 1).arg(effectObjectName(slide, effects[i].target))});
        }
    }
    return rows;
}

int effectOfListItem(const Slide& slide, const QString& item)
{
    for (const EffectListRow& row : effectListRows(slide, slide.effects)) {
        if (row.item == item)
            return row.effect;
    }
    return -1;
}

QString effectListItem(const Slide& slide, int index)
{
    if (index < 0 || index >= static_cast<int>(slide.effects.size()))
        return {};
    return u"%1. %2"_s.arg(index + 1).arg(
        effectObjectName(slide, slide.effects[static_cast<size_t>(index)].target));
}

} // namespace pptdrill
