// The texts of actions and locators: what is made reads back as it was made,
// and a malformed one reads as such.
#include "movie/kit/locators.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

TEST(Locators, ActionsReadBackIntoTheirParts)
{
    ActionParts a = parseAction(actions::menu({u"视图(V)"_s, u"母版(M)"_s, u"幻灯片母版(S)"_s}));
    EXPECT_EQ(a.kind, ActionParts::Menu);
    EXPECT_EQ(a.path, (QStringList{u"视图(V)"_s, u"母版(M)"_s, u"幻灯片母版(S)"_s}));

    a = parseAction(actions::context(u"thumbnail"_s, {u"删除幻灯片(D)"_s}));
    EXPECT_EQ(a.kind, ActionParts::Context);
    EXPECT_EQ(a.path, (QStringList{u"thumbnail"_s, u"删除幻灯片(D)"_s}));

    a = parseAction(actions::toolbarValue(u"字号"_s, u"10.5"_s));
    EXPECT_EQ(a.kind, ActionParts::Toolbar);
    EXPECT_TRUE(a.hasValue);
    EXPECT_EQ(a.value, u"10.5"_s);
    a = parseAction(actions::shiftClick(u"幻灯片浏览视图"_s));
    EXPECT_TRUE(a.shift);
    EXPECT_EQ(a.path, QStringList{u"幻灯片浏览视图"_s});
    a = parseAction(actions::toolbarMenu({u"字体颜色"_s, u"其他颜色(M)..."_s}));
    EXPECT_FALSE(a.shift || a.hasValue);
    EXPECT_EQ(a.path.size(), 2);

    a = parseAction(actions::key(u"Ctrl+Shift+F"_s));
    EXPECT_EQ(a.kind, ActionParts::Key);
    EXPECT_EQ(a.shortcut, u"Ctrl+Shift+F"_s);

    // A typed value keeps every "=" and "/" after the control's name.
    a = parseAction(actions::dialog(u"插入超链接"_s, u"地址"_s, u"http://a.cn/?x=1"_s));
    EXPECT_EQ(a.kind, ActionParts::Dialog);
    EXPECT_EQ(a.path, (QStringList{u"插入超链接"_s, u"地址"_s}));
    EXPECT_EQ(a.value, u"http://a.cn/?x=1"_s);
    a = parseAction(actions::taskPane(u"幻灯片设计 - 配色方案"_s, u"编辑配色方案..."_s));
    EXPECT_EQ(a.kind, ActionParts::TaskPane);
    EXPECT_FALSE(a.hasValue);
    EXPECT_EQ(actions::control(false, u"p"_s, u"c"_s, u"v"_s), actions::taskPane(u"p"_s, u"c"_s, u"v"_s));
}

TEST(Locators, ClicksNameWhatTheyLandOnAndRefuseNumbersThatAreNoSlides)
{
    ActionParts a = parseAction(actions::click(targets::outline(4, 3)));
    EXPECT_EQ(a.kind, ActionParts::Click);
    EXPECT_EQ(a.slide, 4);
    EXPECT_EQ(a.paragraph, 3);
    a = parseAction(actions::doubleClick(targets::frame(u"subtitle"_s)));
    EXPECT_EQ(a.kind, ActionParts::DoubleClick);
    EXPECT_TRUE(a.frame);
    EXPECT_EQ(a.placeholder, u"subtitle"_s);
    EXPECT_EQ(parseAction(actions::doubleClick(targets::shape(2))).shape, 2);
    EXPECT_EQ(parseAction(actions::click(targets::thumb(7))).slide, 7);
    EXPECT_EQ(parseAction(actions::thumb(3)).slide, 3);
    EXPECT_EQ(parseAction(actions::click(u"body"_s)).placeholder, u"body"_s);

    for (const QString& bad : {u"thumb:0"_s, u"thumb:x"_s, u"click:shape:-1"_s, u"dblclick:thumb:"_s,
                               u"click:outline:4"_s, u"click:outline:4/0"_s, u"click:outline:4/3/2"_s}) {
        a = parseAction(bad);
        EXPECT_TRUE(a.malformed) << bad.toStdString();
        EXPECT_EQ(a.slide + a.shape + a.paragraph, 0) << bad.toStdString();
    }
    EXPECT_EQ(parseAction(u"no action"_s).kind, ActionParts::None);
    EXPECT_EQ(parseAction(u":menu"_s).kind, ActionParts::None);
}

TEST(Locators, LocatorsReadBackIntoTheirParts)
{
    using L = LocatorParts;
    LocatorParts l = parseLocator(locators::menuItem({u"格式(O)"_s, u"对齐方式(A)"_s, u"居中(C)"_s}));
    EXPECT_EQ(l.kind, L::MenuItem);
    EXPECT_TRUE(l.isMenuItem());
    EXPECT_EQ(l.last(), u"居中(C)"_s);
    EXPECT_EQ(parseLocator(locators::paneItem({u"自定义动画"_s, u"添加效果"_s, u"进入(E)"_s})).kind,
              L::PaneItem);
    EXPECT_EQ(parseLocator(locators::contextItem({u"幻灯片版式(L)..."_s})).kind, L::ContextItem);

    l = parseLocator(locators::menuScroll(false, 2));
    EXPECT_EQ(l.kind, L::MenuScroll);
    EXPECT_EQ(l.name, u"down"_s);
    EXPECT_EQ(l.level, 2);

    l = parseLocator(locators::outline(12, 5));
    EXPECT_EQ(l.kind, L::Outline);
    EXPECT_EQ(l.slide, 12);
    EXPECT_EQ(l.paragraph, 5);
    EXPECT_EQ(parseLocator(locators::thumb(3)).slide, 3);
    EXPECT_EQ(parseLocator(locators::shape(4)).shape, 4);
    EXPECT_EQ(parseLocator(locators::slideEmpty()).kind, L::SlideEmpty);
    EXPECT_EQ(parseLocator(locators::slideArea()).kind, L::SlideArea);
    EXPECT_EQ(parseLocator(u"area:elsewhere"_s).kind, L::None);
    EXPECT_EQ(parseLocator(locators::placeholder(u"notes"_s)).name, u"notes"_s);
    EXPECT_EQ(parseLocator(locators::buttonArrow(u"字体颜色"_s)).kind, L::ButtonArrow);

    l = parseLocator(locators::item(u"页面设置"_s, u"幻灯片大小"_s, u"A4 纸张(210x297 毫米)/横向"_s));
    EXPECT_EQ(l.kind, L::Item);
    EXPECT_EQ(l.path, (QStringList{u"页面设置"_s, u"幻灯片大小"_s, u"A4 纸张(210x297 毫米)/横向"_s}));
    l = parseLocator(locators::controlArrow(u"字体"_s, u"中文字体"_s));
    EXPECT_EQ(l.kind, L::ControlArrow);
    EXPECT_EQ(l.path, (QStringList{u"字体"_s, u"中文字体"_s}));
    EXPECT_EQ(parseLocator(locators::spinDown(u"行距"_s, u"段前"_s)).path[1], u"段前"_s);
    EXPECT_EQ(parseLocator(locators::tab(u"字体"_s, u"效果"_s)).path[1], u"效果"_s);
    EXPECT_EQ(parseLocator(locators::drop(u"动作按钮: 自定义"_s)).name, u"动作按钮: 自定义"_s);

    // A gallery's scroll bar is named by its control, which may hold ":" no more than a part.
    const QString bar = locators::galleryBar(u"幻灯片版式"_s, u"版式"_s);
    l = parseLocator(locators::scroll(bar, u"pagedown"_s));
    EXPECT_EQ(l.kind, L::Scroll);
    EXPECT_EQ(l.name, bar);
    EXPECT_EQ(l.part, u"pagedown"_s);
    EXPECT_EQ(locators::galleryOf(bar), (QStringList{u"幻灯片版式"_s, u"版式"_s}));
    EXPECT_TRUE(locators::galleryOf(u"slides"_s).isEmpty());
    EXPECT_EQ(parseLocator(locators::scroll(u"slides"_s, u"up"_s)).name, u"slides"_s);
    EXPECT_EQ(parseLocator(u"nowhere"_s).kind, L::None);
}
