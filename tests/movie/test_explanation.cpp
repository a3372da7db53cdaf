#include "movie/explanation.h"
#include "movie/kit/kitcatalog.h"
#include "movie/document/movie.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

QString words(const QString& action)
{
    return actionInWords(action, KitCatalog::instance());
}

MovieStep step(const QString& hint, const QStringList& accept)
{
    MovieStep s;
    s.hint = s.caption = hint;
    s.accept = accept;
    return s;
}

} // namespace

TEST(ActionInWords, MenusAndContextMenusAreSaidWithoutAccessKeysOrEllipses)
{
    EXPECT_EQ(words(u"menu:视图(V)/幻灯片浏览(D)"_s), u"单击“视图”菜单中的“幻灯片浏览”命令。"_s);
    EXPECT_EQ(words(u"menu:格式(O)/字体(F)..."_s), u"单击“格式”菜单中的“字体”命令。"_s);
    EXPECT_EQ(words(u"menu:插入(I)/图片(P)/艺术字(W)..."_s),
              u"单击“插入”菜单，指向“图片”，单击“艺术字”命令。"_s);
    EXPECT_EQ(words(u"context:thumbnail/删除幻灯片(D)"_s),
              u"右击左侧窗格中的幻灯片缩略图，在快捷菜单中单击“删除幻灯片”命令。"_s);
    EXPECT_EQ(words(u"context:text/字体(F)..."_s), u"右击选中的文本，在快捷菜单中单击“字体”命令。"_s);
}

TEST(ActionInWords, ToolbarsNameTheirToolbarAndKeysTheirShortcut)
{
    EXPECT_EQ(words(u"toolbar:加粗"_s), u"单击“格式”工具栏上的“加粗”按钮。"_s);
    EXPECT_EQ(words(u"toolbar:字号=28"_s), u"在“格式”工具栏上的“字号”框中选择“28”。"_s);
    EXPECT_TRUE(words(u"toolbar:Shift+幻灯片浏览视图"_s).startsWith(u"按住 Shift 键单击"_s));
    EXPECT_TRUE(words(u"toolbar:自选图形/基本形状(B)/矩形"_s).contains(u"指向“基本形状”，单击“矩形”命令"_s));
    EXPECT_EQ(words(u"key:Ctrl+B"_s), u"按 Ctrl+B 键。"_s);
    EXPECT_EQ(words(u"key:Delete"_s), u"按 Delete 键。"_s);
}

TEST(ActionInWords, SlidesAndClicksAreSaidByWhatTheyLandOn)
{
    EXPECT_EQ(words(u"thumb:2"_s), u"单击左侧“幻灯片”选项卡中的第2张幻灯片。"_s);
    EXPECT_EQ(words(u"thumb:Ctrl+3"_s), u"按住 Ctrl 键单击第3张幻灯片的缩略图。"_s);
    EXPECT_EQ(words(u"thumb:4>1"_s), u"将第4张幻灯片的缩略图拖到第1张幻灯片之后。"_s);
    EXPECT_EQ(words(u"thumb:4>0"_s), u"将第4张幻灯片的缩略图拖到第一张幻灯片之前。"_s);
    EXPECT_EQ(words(u"click:title"_s), u"单击标题占位符。"_s);
    EXPECT_EQ(words(u"click:Shift+shape:2"_s), u"按住 Shift 键单击幻灯片中的第2个对象。"_s);
    EXPECT_EQ(words(u"click:outline:4/3"_s), u"单击大纲中第4张幻灯片的第3段。"_s);
    EXPECT_EQ(words(u"dblclick:shape:1"_s), u"双击幻灯片中的第1个对象。"_s);
    EXPECT_EQ(words(u"dblclick:frame:title"_s), u"双击标题占位符的边框。"_s);
}

TEST(ActionInWords, DialogAndPaneControlsAreSaidByTheirKind)
{
    EXPECT_EQ(words(u"dialog:字体/确定"_s), u"在“字体”对话框中单击“确定”按钮。"_s);
    EXPECT_EQ(words(u"dialog:效果选项/标签=计时"_s), u"在“效果选项”对话框中单击“计时”选项卡。"_s);
    EXPECT_EQ(words(u"dialog:另存为/文件名=会议纪要.ppt"_s),
              u"在“另存为”对话框的“文件名”框中输入“会议纪要.ppt”。"_s);
    const QString ticked = words(u"dialog:声音选项/幻灯片放映时隐藏声音图标(H)=on"_s);
    EXPECT_TRUE(ticked.contains(u"选中“幻灯片放映时隐藏声音图标”复选框"_s)) << ticked.toStdString();
    EXPECT_TRUE(words(u"dialog:声音选项/幻灯片放映时隐藏声音图标(H)=off"_s).contains(u"取消选中"_s));
    EXPECT_EQ(words(u"dialog:字体/中文字体=隶书"_s), u"在“字体”对话框的“中文字体”中选择“隶书”。"_s);
    EXPECT_EQ(words(u"taskpane:幻灯片切换/声音=激光"_s), u"在“幻灯片切换”任务窗格的“声音”中选择“激光”。"_s);
}

TEST(ActionInWords, WhatIsNoActionIsLeftOutRatherThanShownRaw)
{
    EXPECT_EQ(words(QString()), QString());
    EXPECT_EQ(words(u"wave:hello"_s), QString());
    EXPECT_EQ(words(u"thumb:x"_s), QString());
    EXPECT_EQ(words(u"click:nowhere"_s), QString());
    EXPECT_EQ(words(u"menu:文件(F)"_s), QString());
}

TEST(Explanation, TheFirstWayIsNumberedThenEveryOtherWayOnce)
{
    Movie movie;
    movie.steps.push_back(step(u"单击“格式”菜单中的“字体”命令。"_s,
                               {u"menu:格式(O)/字体(F)..."_s, u"key:Ctrl+T"_s, u"wave:hello"_s}));
    movie.steps.push_back(step(u"在“中文字体”下拉列表中选择“黑体”"_s, {u"dialog:字体/中文字体=黑体"_s}));
    movie.steps.push_back(step(u"单击“确定”按钮。"_s, {u"dialog:字体/确定"_s}));
    MovieWay toolbar;
    toolbar.name = u"格式工具栏"_s;
    toolbar.from = 0;
    toolbar.count = 3;
    toolbar.steps.push_back(
        step(u"在“格式”工具栏的“字体”下拉列表中选择“黑体”。"_s, {u"toolbar:字体=黑体"_s}));
    movie.ways.push_back(toolbar);

    const QuestionExplanation explained = explainMovie(movie, KitCatalog::instance());
    ASSERT_EQ(explained.steps.size(), 3);
    // A hint without its full stop gets one.
    EXPECT_EQ(explained.steps[1], u"在“中文字体”下拉列表中选择“黑体”。"_s);
    // The shortcut is another way of step 1; the text's context menu too (the
    // player takes it); the unknown action is not shown.
    std::vector<QString> firstStepOthers;
    for (const ExplainedAlternative& a : explained.alternatives) {
        EXPECT_EQ(a.step, 0);
        firstStepOthers.push_back(a.words);
    }
    EXPECT_NE(std::find(firstStepOthers.begin(), firstStepOthers.end(), u"按 Ctrl+T 键。"_s),
              firstStepOthers.end());
    EXPECT_NE(std::find(firstStepOthers.begin(), firstStepOthers.end(),
                        u"右击选中的文本，在快捷菜单中单击“字体”命令。"_s),
              firstStepOthers.end());
    ASSERT_EQ(explained.ways.size(), 1u);
    EXPECT_EQ(explained.ways[0].name, u"格式工具栏"_s);

    const QString text = explanationText(explained);
    EXPECT_TRUE(text.startsWith(u"1. 单击“格式”菜单中的“字体”命令。\n2. 在“中文字体”"_s))
        << text.toStdString();
    EXPECT_TRUE(text.contains(u"\n其他方法：\n第1步也可以：按 Ctrl+T 键。"_s)) << text.toStdString();
    EXPECT_TRUE(text.contains(u"第1～3步也可以这样做（格式工具栏）：(1) 在“格式”工具栏"_s))
        << text.toStdString();
    EXPECT_FALSE(text.contains(u"wave"_s));
    EXPECT_EQ(text.count(u"Ctrl+T"_s), 1);
}

TEST(Explanation, AStepWithoutHintIsSaidFromItsActionAndOneWayHasNoOtherWays)
{
    Movie movie;
    movie.steps.push_back(step(QString(), {u"menu:视图(V)/幻灯片浏览(D)"_s}));
    const QString text = explanationText(movie, KitCatalog::instance());
    EXPECT_EQ(text, u"1. 单击“视图”菜单中的“幻灯片浏览”命令。"_s);
    EXPECT_FALSE(text.contains(u"其他方法"_s));
}
