// What the window shows and takes as PowerPoint 2003 does, whatever the task: the status bar
// in every view, and a command greyed until there is something for it to act on.
#include "movie/kit/kitcatalog.h"
#include "movie/kit/locators.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/window/chromepart.h"
#include "movie/widgets/window/kitview.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

std::unique_ptr<KitView> viewOf(const QString& steps)
{
    const QString json =
        uR"j({"format": "pptdrill-movie", "version": 1, "presentation": {"view": "normal", "taskpane": null,
            "slides": [{"layout": "标题幻灯片", "title": "年度总结", "subtitle": "2026年",
                        "shapes": [{"type": "rect", "x": 500, "y": 380, "w": 120, "h": 80}]},
            {"title": "主要工作", "body": ["市场", "研发"]}, {"title": "下一步"}]}, "steps": [%1]})j"_s.arg(
            steps);
    auto movie = parseMovie(json.toUtf8());
    EXPECT_TRUE(movie.ok()) << movie.error().toStdString();
    auto view =
        std::make_unique<KitView>(std::make_unique<MovieSession>(movie.value(), KitCatalog::instance()));
    view->setPace(0);
    return view;
}

void click(KitView& view, const QString& locator)
{
    const auto at = view.locate(locator);
    ASSERT_TRUE(at.has_value()) << "not on view: " << locator.toStdString();
    QTest::mouseClick(&view, Qt::LeftButton, {}, at->center());
}

void chooseMenu(KitView& view, const QStringList& path)
{
    click(view, locators::menuTitle(path.first()));
    for (qsizetype i = 1; i < path.size(); ++i)
        click(view, locators::menuItem(path.mid(0, i + 1)));
}

} // namespace

TEST(StatusBar, SaysWhichSlideOrWhichMasterIsShown)
{
    auto view = viewOf(uR"j({"hint": "h", "accept": ["thumb:3"]})j"_s);
    EXPECT_EQ(statusBarPlace(view->session()), u"幻灯片 1 / 3"_s);
    chooseMenu(*view, {u"视图(V)"_s, u"母版(M)"_s, u"幻灯片母版(S)"_s});
    EXPECT_EQ(statusBarPlace(view->session()), u"幻灯片母版"_s);
    chooseMenu(*view, {u"视图(V)"_s, u"母版(M)"_s, u"讲义母版(H)"_s});
    EXPECT_EQ(statusBarPlace(view->session()), u"讲义母版"_s);
    chooseMenu(*view, {u"视图(V)"_s, u"母版(M)"_s, u"备注母版(N)"_s});
    EXPECT_EQ(statusBarPlace(view->session()), u"备注母版"_s);
    chooseMenu(*view, {u"视图(V)"_s, u"备注页(T)"_s});
    EXPECT_EQ(statusBarPlace(view->session()), u"备注 1 / 3"_s);
    chooseMenu(*view, {u"视图(V)"_s, u"幻灯片浏览(D)"_s});
    EXPECT_EQ(statusBarPlace(view->session()), u"幻灯片浏览"_s);
}

TEST(Menus, ActionSettingsIsGreyedUntilAnObjectIsSelected)
{
    auto view = viewOf(uR"j({"hint": "h", "accept": ["menu:幻灯片放映(D)/动作设置(A)..."]},
                          {"hint": "h", "accept": ["dialog:动作设置/确定"]})j"_s);
    // Nothing selected: the command is shown greyed and does nothing.
    chooseMenu(*view, {u"幻灯片放映(D)"_s, u"动作设置(A)..."_s});
    EXPECT_FALSE(view->session().dialog().has_value());
    EXPECT_EQ(view->session().stepIndex(), 0);
    EXPECT_FALSE(view->session().accepts(u"menu:幻灯片放映(D)/动作设置(A)..."_s) &&
                 view->session().perform(u"menu:幻灯片放映(D)/动作设置(A)..."_s));
    QTest::keyClick(view.get(), Qt::Key_Escape);

    // With the rectangle selected it opens 动作设置.
    click(*view, locators::shape(1));
    chooseMenu(*view, {u"幻灯片放映(D)"_s, u"动作设置(A)..."_s});
    ASSERT_TRUE(view->session().dialog().has_value());
    EXPECT_EQ(view->session().dialog()->name, u"动作设置"_s);
    EXPECT_EQ(view->session().stepIndex(), 1);
}
