// The panes and views of the simulated window as PowerPoint 2003 shows them, with
// the shipped kit: the 大纲 tab, the notes master, a placeholder chosen by its border.
#include "movie/kit/kitcatalog.h"
#include "movie/kit/locators.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/window/kitview.h"
#include "tests/movie/windowtesting.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using windowtesting::at;
using windowtesting::shot;

namespace {

const QString kSlides = uR"j([
    {"layout": "标题幻灯片", "title": "客户服务礼仪培训", "subtitle": "客户服务中心", "notes": "开场"},
    {"layout": "标题和文本", "title": "服务理念", "body": ["以客户为中心", "微笑服务"]},
    {"layout": "标题和文本", "title": "接待规范", "body": ["主动问候", "耐心倾听"]}])j"_s;

std::unique_ptr<KitView> viewOf(const QStringList& accepts, const QString& view = u"normal"_s)
{
    QStringList steps;
    for (const QString& action : accepts)
        steps << uR"j({"hint": "h", "accept": ["%1"]})j"_s.arg(action);
    const QString json = uR"j({"format": "pptdrill-movie", "version": 1,
        "presentation": {"view": "%1", "taskpane": null, "slides": %2}, "steps": [%3]})j"_s.arg(
        view, kSlides, steps.join(u','));
    auto movie = parseMovie(json.toUtf8());
    EXPECT_TRUE(movie.ok()) << movie.error().toStdString();
    auto view_ =
        std::make_unique<KitView>(std::make_unique<MovieSession>(movie.value(), KitCatalog::instance()));
    view_->setPace(0);
    view_->show();
    return view_;
}

void click(KitView& view, const QString& locator, Qt::MouseButton button = Qt::LeftButton)
{
    view.clickAt(at(view, locator).center(), button);
}

// How many pixels differ between two pictures inside a rectangle.
int changedPixels(const QImage& a, const QImage& b, const QRect& r)
{
    int changed = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x)
            changed += a.pixel(x, y) != b.pixel(x, y);
    }
    return changed;
}

} // namespace

TEST(KitPanes, TheOutlineTabShowsTheOutlineAndTheSlidesTabTheSlides)
{
    auto view = viewOf({actions::thumb(3)});
    click(*view, locators::leftPaneTab(u"大纲"_s));
    EXPECT_EQ(view->session().view().kind(), ViewKind::Outline);
    EXPECT_EQ(view->session().stepIndex(), 0); // looking at the outline does nothing to the task
    EXPECT_TRUE(view->locate(locators::outline(2, 1)));
    // Its slide titles still choose the slide.
    click(*view, locators::thumb(3));
    EXPECT_TRUE(view->session().isComplete());
    click(*view, locators::leftPaneTab(u"幻灯片"_s));
    EXPECT_EQ(view->session().view().kind(), ViewKind::Normal);
    EXPECT_FALSE(view->locate(locators::outline(2, 1)));
}

TEST(KitPanes, TheNotesMasterHasNoLeftPaneAndItsTextIsTwelvePoints)
{
    const QStringList steps{u"menu:视图(V)/母版(M)/备注母版(N)"_s, u"menu:格式(O)/字体(F)..."_s,
                            u"dialog:字体/字号=20"_s};
    auto view = viewOf(steps);
    EXPECT_TRUE(view->locate(locators::thumb(1)));
    ASSERT_TRUE(view->performThroughUi(steps[0]));
    EXPECT_FALSE(view->locate(locators::thumb(1)));
    EXPECT_FALSE(view->locate(locators::leftPaneTab(u"大纲"_s)));
    EXPECT_EQ(view->session().toolbarValue(u"字号"_s), u"12"_s);

    // The notes text's own menu has 字体 as the 格式 menu has, and the dialog opens at 12.
    click(*view, locators::placeholder(u"body"_s));
    click(*view, locators::placeholder(u"body"_s), Qt::RightButton);
    click(*view, locators::contextItem({u"字体(F)..."_s}));
    ASSERT_TRUE(view->session().dialog());
    EXPECT_EQ(view->session().stepIndex(), 2);
    EXPECT_EQ(view->session().dialog()->value(u"字号"_s), u"12"_s);
    EXPECT_TRUE(view->locate(locators::item(u"字体"_s, u"字号"_s, u"12"_s)));
    EXPECT_TRUE(view->performThroughUi(steps[2]));
    EXPECT_TRUE(view->session().isComplete());

    // Back in normal view the slide text is at the toolbar's own size again.
    auto normal = viewOf({steps[1]});
    EXPECT_EQ(normal->session().toolbarValue(u"字号"_s), u"18"_s);
}

TEST(KitPanes, AClickOnAPlaceholdersBorderDrawsItSelected)
{
    auto view = viewOf({actions::thumb(2), actions::click(u"body"_s)});
    click(*view, locators::thumb(2));
    const QRect frame = at(*view, locators::frame(u"body"_s));
    const QRect body = at(*view, locators::placeholder(u"body"_s));
    const QImage before = shot(*view);
    // On the top edge of the body's border.
    view->clickAt(QPoint(body.center().x(), body.top() - 1));
    EXPECT_TRUE(view->session().isComplete());
    EXPECT_EQ(view->session().selectedObject(), u"body"_s);
    const QImage after = shot(*view);
    const QRect band(body.left() - 4, body.top() - 5, body.width() + 8, 9);
    EXPECT_GT(changedPixels(before, after, band), body.width() / 2) << frame.top();
}
