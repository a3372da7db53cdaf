// Several slides selected, dragged and inserted together, clicked through the
// window with the shipped kit, and the step changes that go with them.
#include "movie/kit/kitcatalog.h"
#include "movie/kit/locators.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/window/kitview.h"

#include <QJsonDocument>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

std::unique_ptr<KitView> viewOf(const QString& view, const QString& steps)
{
    const QString json =
        uR"j({"format": "pptdrill-movie", "version": 1, "presentation": {"view": "%1", "slides": [
            {"layout": "标题幻灯片", "title": "一"}, {"title": "二"}, {"title": "三"}, {"title": "四"},
            {"title": "五"}]}, "steps": [%2]})j"_s.arg(view, steps);
    auto movie = parseMovie(json.toUtf8());
    EXPECT_TRUE(movie.ok()) << movie.error().toStdString();
    auto view_ =
        std::make_unique<KitView>(std::make_unique<MovieSession>(movie.value(), KitCatalog::instance()));
    view_->setPace(0);
    return view_;
}

QPoint centre(const KitView& view, const QString& locator)
{
    auto r = view.locate(locator);
    EXPECT_TRUE(r.has_value()) << "not on view: " << locator.toStdString();
    return r.value_or(QRect(-10, -10, 1, 1)).center();
}

std::vector<int> selectedSlides(const MovieSession& session)
{
    std::vector<int> slides;
    for (int n = 1; n <= static_cast<int>(session.presentation().slides.size()); ++n) {
        if (session.isSlideSelected(n))
            slides.push_back(n);
    }
    return slides;
}

QStringList titles(const Presentation& p)
{
    QStringList list;
    for (const Slide& s : p.slides)
        list << s.title;
    return list;
}

} // namespace

TEST(SlideSelection, CtrlAndShiftClicksSelectSeveralSlidesAndAPlainClickOne)
{
    auto view = viewOf(u"sorter"_s, uR"j({"hint": "a", "accept": ["thumb:2"]},
        {"hint": "b", "accept": ["thumb:Shift+4"]}, {"hint": "c", "accept": ["thumb:Ctrl+3"]},
        {"hint": "d", "accept": ["thumb:Ctrl+5"]}, {"hint": "e", "accept": ["thumb:1"]})j"_s);
    const MovieSession& session = view->session();
    view->clickAt(centre(*view, locators::thumb(2)));
    view->clickAt(centre(*view, locators::thumb(4)), Qt::LeftButton, false, Qt::ShiftModifier);
    EXPECT_EQ(selectedSlides(session), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(session.presentation().selected, 4);
    // Ctrl takes a selected slide out again, and the selected one stays.
    view->clickAt(centre(*view, locators::thumb(3)), Qt::LeftButton, false, Qt::ControlModifier);
    EXPECT_EQ(selectedSlides(session), (std::vector<int>{2, 4}));
    EXPECT_EQ(session.presentation().selected, 4);
    view->clickAt(centre(*view, locators::thumb(5)), Qt::LeftButton, false, Qt::ControlModifier);
    EXPECT_EQ(selectedSlides(session), (std::vector<int>{2, 4, 5}));
    view->clickAt(centre(*view, locators::thumb(1)));
    EXPECT_EQ(selectedSlides(session), (std::vector<int>{1}));
    EXPECT_TRUE(session.isComplete());
}

TEST(SlideSelection, SelectAllInTheSorterAndAStepThatInsertsASlide)
{
    auto view = viewOf(u"sorter"_s, uR"j({"hint": "a", "accept": ["key:Ctrl+A"]},
        {"hint": "b", "accept": ["toolbar:摘要幻灯片"], "set": {"insertSlide": {"at": 1, "title": "摘要幻灯片"}}})j"_s);
    const MovieSession& session = view->session();
    ASSERT_TRUE(view->performThroughUi(u"key:Ctrl+A"_s));
    EXPECT_EQ(selectedSlides(session).size(), 5u);
    // The sorter's own toolbar floats there with the button.
    EXPECT_TRUE(view->locate(locators::button(u"隐藏幻灯片"_s)).has_value());
    ASSERT_TRUE(view->performThroughUi(u"toolbar:摘要幻灯片"_s));
    EXPECT_EQ(selectedSlides(session), (std::vector<int>{1}));
    EXPECT_EQ(session.presentation().slides[0].title, u"摘要幻灯片"_s);
}

TEST(SlideSelection, DraggingSlidesDropsThemInTheGapUnderThePointer)
{
    for (const QString& v : {u"normal"_s, u"sorter"_s}) {
        auto view = viewOf(
            v, uR"j({"hint": "a", "accept": ["thumb:4>1"], "set": {"slide": 4, "moveSlideTo": 2}})j"_s);
        // A drag that ends in another gap is not the step's.
        const QPoint from = centre(*view, locators::thumb(4));
        QTest::mousePress(view.get(), Qt::LeftButton, {}, from);
        QTest::mouseMove(view.get(), centre(*view, locators::thumb(3)));
        QTest::mouseRelease(view.get(), Qt::LeftButton, {}, centre(*view, locators::thumb(3)));
        EXPECT_EQ(view->session().stepIndex(), 0) << v.toStdString();
        ASSERT_TRUE(view->performThroughUi(u"thumb:4>1"_s)) << v.toStdString();
        EXPECT_EQ(titles(view->session().presentation()),
                  (QStringList{u"一"_s, u"四"_s, u"二"_s, u"三"_s, u"五"_s}));
    }
    EXPECT_FALSE(KitCatalog::instance().resolve(u"thumb:4>x"_s).ok());
}

TEST(SlideSelection, ChangesForSeveralSlides)
{
    auto movie =
        parseMovie(uR"j({"format": "pptdrill-movie", "version": 1, "presentation": {"slides": [{"title": "1"},
            {"title": "2"}, {"title": "3"}, {"title": "4"}, {"title": "5"}, {"title": "6"}]},
            "steps": [{"hint": "a", "accept": ["thumb:1"]}]})j"_s.toUtf8());
    ASSERT_TRUE(movie.ok());
    Presentation p = movie.value().presentation;
    const auto apply = [&p](const char* json) {
        return applyPresentationChanges(p, QJsonDocument::fromJson(json).object()).ok();
    };
    ASSERT_TRUE(apply(R"({"slides": [3, 5], "hidden": true})"));
    EXPECT_TRUE(p.slides[2].hidden && p.slides[4].hidden);
    EXPECT_FALSE(p.slides[3].hidden);
    // Slides moved together keep their order, the first landing where asked.
    ASSERT_TRUE(apply(R"({"slides": [3, 2], "moveSlideTo": 5})"));
    EXPECT_EQ(titles(p), (QStringList{u"1"_s, u"4"_s, u"5"_s, u"6"_s, u"2"_s, u"3"_s}));
    EXPECT_EQ(p.selected, 5);
    EXPECT_FALSE(apply(R"({"slides": [1, 2], "moveSlideTo": 6})"));
    ASSERT_TRUE(apply(R"({"insertSlides": {"at": 2, "slides": [{"title": "甲"}, {"title": "乙"}]}})"));
    EXPECT_EQ(titles(p).mid(0, 4), (QStringList{u"1"_s, u"甲"_s, u"乙"_s, u"4"_s}));
    EXPECT_EQ(p.selected, 3);
    EXPECT_FALSE(apply(R"({"insertSlides": {"at": 2, "slides": []}})"));
    EXPECT_FALSE(apply(R"({"insertSlides": {"at": 20, "slides": [{"title": "丙"}]}})"));
    EXPECT_FALSE(apply(R"({"slides": [9], "hidden": true})"));
    EXPECT_EQ(p.slides.size(), 8u);
}

TEST(SlideSelection, AFileBrowsedFromTheSlideFinderShowsItsSlides)
{
    auto view = viewOf(u"normal"_s, uR"j({"hint": "a", "accept": ["menu:插入(I)/幻灯片(从文件)(F)..."]},
        {"hint": "b", "accept": ["dialog:幻灯片搜索/浏览(B)..."]},
        {"hint": "c", "accept": ["dialog:浏览演示文稿/文件=产品介绍.ppt"]},
        {"hint": "d", "accept": ["dialog:浏览演示文稿/打开(O)"]},
        {"hint": "e", "accept": ["dialog:幻灯片搜索/选定幻灯片=3. 核心优势"]})j"_s);
    for (const char* action : {"menu:插入(I)/幻灯片(从文件)(F)...", "dialog:幻灯片搜索/浏览(B)...",
                               "dialog:浏览演示文稿/文件=产品介绍.ppt", "dialog:浏览演示文稿/打开(O)",
                               "dialog:幻灯片搜索/选定幻灯片=3. 核心优势"})
        ASSERT_TRUE(view->performThroughUi(QString::fromUtf8(action))) << action;
    const MovieSession& session = view->session();
    ASSERT_TRUE(session.dialog().has_value());
    EXPECT_EQ(session.dialog()->name, u"幻灯片搜索"_s);
    EXPECT_EQ(session.dialog()->value(u"文件"_s), u"产品介绍.ppt"_s);
    // Opening a file to insert from does not rename the presentation.
    EXPECT_NE(session.presentation().file, u"产品介绍"_s);
}
