// Drawing objects: several selected with Shift or Ctrl, flips, shadows,
// action-button pictures, deleting a shape, and the context menu of linked text.
#include "movie/kit/kitcatalog.h"
#include "movie/kit/locators.h"
#include "movie/document/movie.h"
#include "movie/session/moviesession.h"
#include "tests/support/moviesource.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

using pptdrill::test::movieOf;

constexpr const char* kThreeShapes =
    R"j({"slides": [{"title": "A", "shapes": [{"type": "rect", "x": 10, "y": 10, "w": 50, "h": 50}, {"type": "ellipse", "x": 100, "y": 40, "w": 80, "h": 30, "group": 1}, {"type": "arrow", "x": 300, "y": 100, "w": 200, "h": 150, "group": 1}]}]})j";

Presentation threeShapes()
{
    auto m = parseMovie(movieOf(kThreeShapes, {R"j({"hint": "h", "accept": ["thumb:1"]})j"}));
    EXPECT_TRUE(m.ok()) << m.error().toStdString();
    return m->presentation;
}

Status change(Presentation& p, const char* json)
{
    return applyPresentationChanges(p, QJsonDocument::fromJson(json).object());
}

MovieSession sessionOf(const char* presentation, std::initializer_list<const char*> steps)
{
    auto m = parseMovie(movieOf(presentation, steps));
    EXPECT_TRUE(m.ok()) << m.error().toStdString();
    return MovieSession(m.value(), KitCatalog::instance());
}

} // namespace

TEST(DrawingObjects, FlipsShadowsAndButtonPicturesAreReadAndBadOnesRefused)
{
    Presentation p = threeShapes();
    ASSERT_TRUE(
        change(p, R"j({"editShape": {"shape": 3, "flipV": true, "rotation": 90, "shadow": 6}})j").ok());
    const SlideShape& arrow = p.slides[0].shapes[2];
    EXPECT_TRUE(arrow.flipV);
    EXPECT_FALSE(arrow.flipH);
    EXPECT_EQ(arrow.shadow, 6);
    // A later edit that does not name the flip keeps it.
    ASSERT_TRUE(change(p, R"j({"editShape": {"shape": 3, "flipH": true}})j").ok());
    EXPECT_TRUE(p.slides[0].shapes[2].flipV);
    EXPECT_TRUE(p.slides[0].shapes[2].flipH);
    ASSERT_TRUE(
        change(p, R"j({"addShape": {"type": "button", "x": 1, "y": 1, "w": 9, "h": 9, "button": "结束"}})j")
            .ok());
    EXPECT_EQ(p.slides[0].shapes[3].button, u"结束"_s);

    const struct
    {
        const char* set;
        QString says;
    } cases[] = {
        {R"j({"editShape": {"shape": 1, "shadow": 21}})j", u"set.editShape.shadow"_s},
        {R"j({"editShape": {"shape": 1, "flipH": "yes"}})j", u"set.editShape.flipH"_s},
        {R"j({"editShape": {"shape": 1, "button": "结束"}})j", u"只有动作按钮"_s},
        {R"j({"addShape": {"type": "button", "x": 1, "y": 1, "w": 9, "h": 9, "button": "返回"}})j",
         u"set.addShape.button"_s},
        {R"j({"deleteShape": 4})j", u"没有第 4 个图形"_s},
        {R"j({"editShape": [{"shape": 1, "fill": "#FF0000"}, {"shape": 2, "line": "red"}]})j",
         u"set.editShape[1].line"_s},
    };
    for (const auto& c : cases) {
        const QByteArray step = R"j({"hint": "h", "accept": ["thumb:1"], "set": )j" + QByteArray(c.set) + "}";
        auto movie = parseMovie(movieOf(kThreeShapes, {step.constData()}), u"bad.movie"_s);
        ASSERT_FALSE(movie.ok()) << c.set;
        EXPECT_TRUE(movie.error().startsWith(u"bad.movie:4: "_s)) << movie.error().toStdString();
        EXPECT_TRUE(movie.error().contains(c.says)) << c.set << " → " << movie.error().toStdString();
    }
}

TEST(DrawingObjects, SeveralShapesAreEditedAtOnceAndOneIsDeleted)
{
    Presentation p = threeShapes();
    ASSERT_TRUE(
        change(p, R"j({"editShape": [{"shape": 2, "fill": "#CCFFCC"}, {"shape": 3, "fill": "#CCFFCC"}]})j")
            .ok());
    EXPECT_EQ(p.slides[0].shapes[0].fill, QString());
    EXPECT_EQ(p.slides[0].shapes[1].fill, u"#CCFFCC"_s);
    EXPECT_EQ(p.slides[0].shapes[2].fill, u"#CCFFCC"_s);

    // The shapes after the one deleted move up a number.
    ASSERT_TRUE(change(p, R"j({"deleteShape": 1})j").ok());
    ASSERT_EQ(p.slides[0].shapes.size(), 2u);
    EXPECT_EQ(p.slides[0].shapes[0].type, u"ellipse"_s);
    // A failed change leaves the slide as it was.
    EXPECT_FALSE(change(p, R"j({"deleteShape": 1, "editShape": {"shape": 5}})j").ok());
    EXPECT_EQ(p.slides[0].shapes.size(), 2u);
}

TEST(DrawingObjects, ShiftOrCtrlAndAClickAddAShapeToThoseSelected)
{
    const ActionParts shift = parseAction(actions::clickAdding(u"Shift"_s, 2));
    EXPECT_EQ(actions::clickAdding(u"Shift"_s, 2), u"click:Shift+shape:2"_s);
    EXPECT_TRUE(shift.shift);
    EXPECT_EQ(shift.shape, 2);
    const ActionParts ctrl = parseAction(u"click:Ctrl+shape:3"_s);
    EXPECT_TRUE(ctrl.ctrl);
    EXPECT_FALSE(ctrl.shift);
    EXPECT_EQ(ctrl.shape, 3);
    // Only objects are added to a selection.
    EXPECT_FALSE(KitCatalog::instance().resolve(u"click:Shift+title"_s).ok());

    MovieSession s = sessionOf(
        kThreeShapes,
        {R"j({"hint": "h", "accept": ["click:shape:1"]})j",
         R"j({"hint": "h", "accept": ["click:Shift+shape:2", "click:Ctrl+shape:2"]})j",
         R"j({"hint": "h", "accept": ["toolbar:绘图/组合(G)"], "set": {"groupShapes": [1, 2]}})j",
         R"j({"hint": "h", "accept": ["click:shape:1"]})j",
         R"j({"hint": "h", "accept": ["context:shape/组合(G)/取消组合(U)"], "set": {"ungroupShapes": 1}})j"});
    ASSERT_TRUE(s.perform(u"click:shape:1"_s));
    EXPECT_EQ(s.selectedShapes(), (QList<int>{1}));
    // A plain click on the next shape does not take the step that wants it added.
    EXPECT_FALSE(s.accepts(u"click:shape:2"_s));
    ASSERT_TRUE(s.perform(u"click:Ctrl+shape:2"_s));
    EXPECT_EQ(s.selectedShapes(), (QList<int>{1, 2}));
    // Adding a shape already selected changes nothing.
    s.selectAlso(2);
    EXPECT_EQ(s.selectedShapes(), (QList<int>{1, 2}));
    ASSERT_TRUE(s.perform(u"toolbar:绘图/组合(G)"_s));
    EXPECT_EQ(s.selectedShapes(), (QList<int>{1, 2}));
    EXPECT_EQ(s.presentation().slides[0].shapes[0].group, 2);

    // A plain click lets the others go; ungrouping leaves every shape of the group selected.
    ASSERT_TRUE(s.perform(u"click:shape:1"_s));
    EXPECT_EQ(s.selectedShapes(), (QList<int>{1}));
    ASSERT_TRUE(s.perform(u"context:shape/组合(G)/取消组合(U)"_s));
    EXPECT_EQ(s.selectedShapes(), (QList<int>{1, 2}));
    EXPECT_EQ(s.presentation().slides[0].shapes[2].group, 1); // the other group stays
    // With a placeholder selected, the shape is selected alone.
    s.select(u"title"_s);
    s.selectAlso(1);
    EXPECT_EQ(s.selectedShapes(), (QList<int>{1}));
}

TEST(DrawingObjects, LinkedTextOffersToEditOrRemoveItsHyperlink)
{
    MovieSession s = sessionOf(
        R"j({"slides": [{"layout": "标题和文本", "title": "A", "body": ["网站"], "bodyLink": "http://example.com"}]})j",
        {R"j({"hint": "h", "accept": ["click:body"]})j",
         R"j({"hint": "h", "accept": ["context:text/超链接(H)...", "context:text/删除超链接(R)"], "set": {"bodyLink": ""}})j",
         R"j({"hint": "h", "accept": ["context:text/删除超链接(R)", "context:text/超链接(H)..."]})j"});
    EXPECT_FALSE(s.selectionLinks());
    ASSERT_TRUE(s.perform(u"click:body"_s));
    EXPECT_TRUE(s.selectionLinks());
    // While the text links somewhere, its menu has 删除超链接 in place of 超链接.
    EXPECT_FALSE(s.perform(u"context:text/超链接(H)..."_s));
    ASSERT_TRUE(s.perform(u"context:text/删除超链接(R)"_s));
    EXPECT_TRUE(s.presentation().slides[0].bodyLink.isEmpty());
    EXPECT_FALSE(s.selectionLinks());
    EXPECT_FALSE(s.perform(u"context:text/删除超链接(R)"_s));
    EXPECT_TRUE(s.perform(u"context:text/超链接(H)..."_s));
}
