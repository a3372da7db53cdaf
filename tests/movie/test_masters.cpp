// The masters: what slides take from the slide master, and the slide master
// view's left pane, where the title master is picked and edited.
#include "movie/kit/kitcatalog.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/window/kitview.h"
#include "tests/movie/windowtesting.h"

#include <QImage>
#include <gtest/gtest.h>
#include <set>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using windowtesting::shot;

namespace {

Movie movieOf(const QString& presentation, const QStringList& steps)
{
    const QString json =
        uR"j({"format": "pptdrill-movie", "version": 1, "presentation": %1, "steps": [%2]})j"_s.arg(
            presentation, steps.join(u','));
    auto movie = parseMovie(json.toUtf8());
    EXPECT_TRUE(movie.ok()) << movie.error().toStdString();
    return movie.ok() ? movie.value() : Movie{};
}

const QString kWithTitleMaster =
    uR"j({"view": "slidemaster", "taskpane": null, "selected": 3, "titleMaster": {},
    "slides": [{"layout": "标题幻灯片", "title": "封面", "subtitle": "副标题"},
               {"title": "A", "body": ["一", "二"]}, {"title": "B", "body": ["三"]}]})j"_s;

} // namespace

TEST(Masters, SlidesTakeTheMastersBulletsUnlessTheySetTheirOwn)
{
    Movie m = movieOf(
        uR"j({"slides": [{"title": "A", "body": ["一"]},
        {"title": "B", "body": ["二"], "bullets": {"char": "■"}}]})j"_s,
        {uR"j({"hint": "h", "accept": ["thumb:1"], "set": {"master": {"bullets": {"char": "◆"}}}})j"_s});
    Presentation p = m.presentation;
    ASSERT_TRUE(applyPresentationChanges(p, m.steps[0].set).ok());
    EXPECT_EQ(slideAsShown(p, p.slides[0]).bullets.character, u"◆"_s);
    EXPECT_EQ(slideAsShown(p, p.slides[1]).bullets.character, u"■"_s);
    EXPECT_TRUE(p.slides[0].bullets.character.isEmpty()); // the slide itself is unchanged
}

TEST(Masters, TheTitleMasterIsPickedInTheLeftPaneWithoutMovingTheSelectedSlide)
{
    MovieSession session(movieOf(kWithTitleMaster, {uR"j({"hint": "h", "accept": ["thumb:2"]})j"_s,
                                                    uR"j({"hint": "h", "accept": ["thumb:1"]})j"_s}),
                         KitCatalog::instance());
    EXPECT_EQ(session.shownMaster(), 1);
    ASSERT_TRUE(session.perform(u"thumb:2"_s));
    EXPECT_EQ(session.shownMaster(), 2);
    EXPECT_EQ(session.presentation().selected, 3);
    ASSERT_TRUE(session.perform(u"thumb:1"_s));
    EXPECT_EQ(session.shownMaster(), 1);
}

TEST(Masters, WithoutATitleMasterThereIsNoSecondMasterToPick)
{
    QString presentation = kWithTitleMaster;
    presentation.remove(uR"j("titleMaster": {},)j"_s);
    MovieSession session(movieOf(presentation, {uR"j({"hint": "h", "accept": ["thumb:2"]})j"_s}),
                         KitCatalog::instance());
    EXPECT_FALSE(session.perform(u"thumb:2"_s));
    EXPECT_EQ(session.shownMaster(), 1);
}

TEST(Masters, AnInsertedTitleMasterIsShownAndItsTitleEditedOnTheTitleSlideOnly)
{
    QString presentation = kWithTitleMaster;
    presentation.remove(uR"j("titleMaster": {},)j"_s);
    KitView view(std::make_unique<MovieSession>(
        movieOf(
            presentation,
            {uR"j({"hint": "h", "accept": ["toolbar:插入新标题母版"], "set": {"titleMaster": {}}})j"_s,
             uR"j({"hint": "h", "accept": ["click:title"]})j"_s,
             uR"j({"hint": "h", "accept": ["key:Ctrl+B"], "set": {"titleMaster": {"titleFont": {"bold": true}}}})j"_s}),
        KitCatalog::instance()));
    view.setPace(0);
    MovieSession& session = view.session();
    const QImage slideMaster = shot(view);
    ASSERT_TRUE(session.perform(u"toolbar:插入新标题母版"_s));
    EXPECT_EQ(session.shownMaster(), 2);
    EXPECT_TRUE(shot(view) != slideMaster); // the pane now shows the title master, a title slide
    ASSERT_TRUE(session.perform(u"click:title"_s));
    ASSERT_TRUE(session.perform(u"key:Ctrl+B"_s));
    const Presentation& p = session.presentation();
    EXPECT_EQ(slideAsShown(p, p.slides[0]).titleFont.bold, true);
    EXPECT_FALSE(slideAsShown(p, p.slides[1]).titleFont.bold.value_or(false));
}

TEST(Masters, HandoutMasterLaysOutItsSlidesAsThePrintedHandoutDoes)
{
    const QRect area(20, 30, 400, 560);
    struct Layout
    {
        int perPage, columns, rows;
    };
    for (const Layout& layout : {Layout{1, 1, 1}, Layout{2, 1, 2}, Layout{3, 1, 3}, Layout{4, 2, 2},
                                 Layout{6, 2, 3}, Layout{9, 3, 3}}) {
        const std::vector<QRect> frames = handoutSlideFrames(area, layout.perPage);
        ASSERT_EQ(static_cast<int>(frames.size()), layout.perPage);
        std::set<int> lefts, tops;
        for (size_t i = 0; i < frames.size(); ++i) {
            const QRect& frame = frames[i];
            lefts.insert(frame.left());
            tops.insert(frame.top());
            EXPECT_TRUE(area.contains(frame)) << layout.perPage;
            EXPECT_NEAR(frame.width() * 3, frame.height() * 4, 4) << "slides keep their shape";
            for (size_t j = 0; j < i; ++j)
                EXPECT_FALSE(frame.intersects(frames[j])) << layout.perPage << " slides a page overlap";
        }
        EXPECT_EQ(static_cast<int>(lefts.size()), layout.columns) << layout.perPage << " slides a page";
        EXPECT_EQ(static_cast<int>(tops.size()), layout.rows) << layout.perPage << " slides a page";
        // Read across, then down.
        if (layout.columns > 1) {
            EXPECT_EQ(frames[0].top(), frames[1].top()) << layout.perPage;
        }
    }
    // Three a page leave the right half for the notes lines; one and two sit in the middle.
    EXPECT_LE(handoutSlideFrames(area, 3)[0].right(), area.center().x());
    EXPECT_NEAR(handoutSlideFrames(area, 1)[0].center().x(), area.center().x(), 2);
    EXPECT_NEAR(handoutSlideFrames(area, 2)[1].center().x(), area.center().x(), 2);
}
