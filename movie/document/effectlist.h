#pragma once

#include "movie/document/movie.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace pptdrill {

// The name the 自定义动画 list gives an effect's object: "标题 1: 计划", the
// text's first paragraph, "矩形 4".
QString effectObjectName(const Slide& slide, const QString& target);
// An object's name as 效果选项's 触发器 box lists it: "标题 1: 计划",
// "文本占位符 2: 第一段", "图片 3".
QString slideObjectName(const Slide& slide, const QString& target);
// The objects a click may trigger an effect from, by those names.
QStringList slideObjectNames(const Slide& slide);

// One row of the 自定义动画 list: an effect, or the heading of the effects a
// click on one object triggers ("触发器: 矩形 4").
struct EffectListRow
{
    int effect = -1; // index into the slide's effects; -1 for a heading
    QString item;    // how a movie names the row: "2. 图片 3", or the heading's text
};

// The list's rows: the effects of the clicks' sequence in their order, then
// for each trigger its heading and its effects. Effect rows are named by
// their place in the slide's effects and their object.
std::vector<EffectListRow> effectListRows(const Slide& slide, const std::vector<SlideEffect>& effects);
// The effect a row's name stands for, -1 for none.
int effectOfListItem(const Slide& slide, const QString& item);
// The name of effect `index`'s row.
QString effectListItem(const Slide& slide, int index);

} // namespace pptdrill
