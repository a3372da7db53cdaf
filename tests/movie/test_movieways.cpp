// Other whole ways of doing a run of a movie's steps: how they are read, taken
// and verified.
#include "movie/document/movie.h"
#include "movie/kit/kitcatalog.h"
#include "movie/session/moviesession.h"
#include "tests/movie/testkit.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

namespace {

// Sets the title in 字号 24 through 格式 → 字体... (steps 1–3), or through the
// 字号 box of the toolbar, then makes it bold. The way's step is on line 6, step 2 on line 7.
QByteArray fontMovie(const QByteArray& wayStepSet = R"("set": {"titleFont": {"size": 24}})",
                     const QByteArray& wayFirstAction = "toolbar:字号=24")
{
    return R"({"format": "pptdrill-movie", "version": 1,
"presentation": {"slides": [{"title": "A"}, {"title": "B"}]},
"steps": [
  {"hint": "格式菜单", "accept": ["menu:格式(O)/字体(F)...", "key:Ctrl+T"],
   "ways": [{"name": "格式工具栏", "replaces": 3, "steps": [
     {"hint": "字号框", "accept": [")" +
           wayFirstAction + R"("], )" + wayStepSet + R"(}]}]},
  {"hint": "字号", "accept": ["dialog:字体/字号=24"]},
  {"hint": "确定", "accept": ["dialog:字体/确定"], "set": {"titleFont": {"size": 24}}},
  {"hint": "加粗", "accept": ["key:Ctrl+B"], "set": {"titleFont": {"bold": true}}}
]})";
}

Movie read(const QByteArray& json)
{
    auto movie = parseMovie(json, u"w.movie"_s);
    EXPECT_TRUE(movie.ok()) << movie.error().toStdString();
    return movie.ok() ? movie.value() : Movie{};
}

QString refusal(const QByteArray& json)
{
    auto movie = parseMovie(json, u"w.movie"_s);
    return movie.ok() ? QString() : movie.error();
}

} // namespace

TEST(MovieWays, AreReadWithTheRunTheyStandInForAndTheirLines)
{
    const Movie m = read(fontMovie());
    ASSERT_EQ(m.ways.size(), 1u);
    const MovieWay& way = m.ways[0];
    EXPECT_EQ(way.name, u"格式工具栏"_s);
    EXPECT_EQ(way.from, 0);
    EXPECT_EQ(way.count, 3);
    ASSERT_EQ(way.steps.size(), 1u);
    EXPECT_EQ(way.steps[0].accept, QStringList{u"toolbar:字号=24"_s});
    EXPECT_EQ(way.steps[0].line, 6);
    EXPECT_EQ(way.steps[0].acceptLines, std::vector<int>{6});
    EXPECT_EQ(m.steps[1].line, 7); // the movie's own steps keep their lines
}

TEST(MovieWays, ARunOutsideTheMovieOverlappingRunsOrANestedWayAreRefusedAtTheirLine)
{
    QByteArray tooLong = fontMovie();
    tooLong.replace("\"replaces\": 3", "\"replaces\": 5");
    EXPECT_TRUE(refusal(tooLong).startsWith(u"w.movie:5: "_s)) << refusal(tooLong).toStdString();
    EXPECT_TRUE(refusal(tooLong).contains(u"应为 1 至 4"_s)) << refusal(tooLong).toStdString();

    QByteArray unnamed = fontMovie();
    unnamed.replace("\"name\": \"格式工具栏\", ", "");
    EXPECT_TRUE(refusal(unnamed).contains(u"缺少 name"_s)) << refusal(unnamed).toStdString();

    // Step 2 lies inside the run that step 1's way stands in for.
    QByteArray overlapping = fontMovie();
    overlapping.replace(
        R"("accept": ["dialog:字体/字号=24"])",
        R"("accept": ["dialog:字体/字号=24"], "ways": [{"name": "x", "steps": [{"hint": "h", "accept": ["key:F5"]}]}])");
    EXPECT_TRUE(refusal(overlapping).startsWith(u"w.movie:7: "_s)) << refusal(overlapping).toStdString();
    EXPECT_TRUE(refusal(overlapping).contains(u"第 2 步在第 1 步的另一种做法"_s));

    QByteArray nested = fontMovie(R"("ways": [])");
    EXPECT_TRUE(refusal(nested).contains(u"不能再有另一种做法"_s)) << refusal(nested).toStdString();

    // Along the way, a slide it names must be there.
    const QString missing = refusal(fontMovie(R"("set": {})", "thumb:3"));
    EXPECT_TRUE(missing.startsWith(u"w.movie:6: "_s)) << missing.toStdString();
    EXPECT_TRUE(missing.contains(u"没有第 3 张幻灯片"_s)) << missing.toStdString();
}

TEST(MovieWays, AWayTakesTheRunsPlaceOnlyBeforeAnyOfTheRunIsDone)
{
    const Movie m = read(fontMovie());
    MovieSession s(m, smallKit());
    EXPECT_EQ(s.nextAction(), u"menu:格式(O)/字体(F)..."_s);
    EXPECT_TRUE(s.accepts(u"toolbar:字号=24"_s));
    EXPECT_FALSE(s.perform(u"toolbar:字号=20"_s));
    ASSERT_TRUE(s.perform(u"toolbar:字号=24"_s));
    // The way was a single step: the run is done and the movie goes on after it.
    EXPECT_EQ(s.steps().way(), -1);
    EXPECT_EQ(s.stepIndex(), 3);
    EXPECT_EQ(s.presentation().slides[0].titleFont.size, 24);
    EXPECT_EQ(s.steps().actionsTaken(), 1);
    EXPECT_FALSE(s.perform(u"dialog:字体/确定"_s));
    EXPECT_TRUE(s.perform(u"key:Ctrl+B"_s));
    EXPECT_TRUE(s.isComplete());

    // Once the run is begun on the movie's own steps, the other way is closed.
    s.reset();
    EXPECT_EQ(s.steps().actionsTaken(), 0);
    ASSERT_TRUE(s.perform(u"key:Ctrl+T"_s));
    EXPECT_FALSE(s.accepts(u"toolbar:字号=24"_s));
    EXPECT_TRUE(s.perform(u"dialog:字体/字号=24"_s));
    EXPECT_TRUE(s.perform(u"dialog:字体/确定"_s));
    EXPECT_EQ(s.stepIndex(), 3);
}

TEST(MovieWays, WhileAWayIsTakenItsStepsComeNextAndTheRunsDoNot)
{
    QByteArray json = fontMovie();
    json.replace(R"(, "set": {"titleFont": {"size": 24}}}]}]},)",
                 R"(, "set": {"titleFont": {"size": 24}}},
                      {"hint": "tb", "accept": ["toolbar:加粗"]}]}]},)");
    const Movie m = read(json);
    MovieSession s(m, smallKit());
    ASSERT_TRUE(s.perform(u"toolbar:字号=24"_s));
    EXPECT_EQ(s.steps().way(), 0);
    EXPECT_EQ(s.steps().wayStep(), 1);
    EXPECT_EQ(s.stepIndex(), 0);
    EXPECT_EQ(s.currentStep()->hint, u"tb"_s);
    EXPECT_EQ(s.nextAction(), u"toolbar:加粗"_s);
    // A copy of the session (a dialog's 取消 goes back to one) goes on by itself.
    MovieSession copy = s;
    ASSERT_TRUE(copy.perform(u"toolbar:加粗"_s));
    EXPECT_EQ(copy.steps().way(), -1);
    EXPECT_EQ(s.steps().way(), 0);
    EXPECT_EQ(s.steps().actionsTaken(), 1);
    EXPECT_FALSE(s.perform(u"menu:格式(O)/字体(F)..."_s));
    EXPECT_FALSE(s.perform(u"key:Ctrl+B"_s));
    ASSERT_TRUE(s.perform(u"toolbar:加粗"_s));
    EXPECT_EQ(s.steps().way(), -1);
    EXPECT_EQ(s.stepIndex(), 3);
    EXPECT_EQ(s.steps().actionsTaken(), 2);
}

TEST(MovieWays, VerificationPlaysEveryWayAndRefusesOneThatEndsElsewhere)
{
    EXPECT_TRUE(verifyMovie(read(fontMovie()), smallKit()).ok());

    // The toolbar leaves the title in 字号 20, the dialog in 24.
    const Status elsewhere =
        verifyMovie(read(fontMovie(R"("set": {"titleFont": {"size": 20}})")), smallKit());
    ASSERT_FALSE(elsewhere.ok());
    EXPECT_TRUE(elsewhere.error().startsWith(u"w.movie:6: "_s)) << elsewhere.error().toStdString();
    EXPECT_TRUE(elsewhere.error().contains(u"第 1 至 3 步做完后的不同"_s)) << elsewhere.error().toStdString();

    // A way whose action is out of reach is named with its step.
    const Status unreachable =
        verifyMovie(read(fontMovie(R"("set": {"titleFont": {"size": 24}})", "dialog:字体/确定")), smallKit());
    ASSERT_FALSE(unreachable.ok());
    EXPECT_TRUE(unreachable.error().startsWith(u"w.movie:6: "_s)) << unreachable.error().toStdString();
    EXPECT_TRUE(unreachable.error().contains(u"另一种做法“格式工具栏”第 1 步不接受"_s))
        << unreachable.error().toStdString();

    // A way made without the reader, with a step that takes nothing, is refused, not played.
    Movie handMade = read(fontMovie());
    handMade.ways[0].steps[0].accept.clear();
    const Status empty = verifyMovie(handMade, smallKit());
    ASSERT_FALSE(empty.ok());
    EXPECT_TRUE(empty.error().contains(u"第 1 步的另一种做法“格式工具栏”第 1 步没有可接受的操作"_s))
        << empty.error().toStdString();
    EXPECT_FALSE(MovieSession(handMade, smallKit()).accepts(u"toolbar:字号=24"_s));

    const Status unknown =
        verifyMovie(read(fontMovie(R"("set": {"titleFont": {"size": 24}})", "toolbar:没有")), smallKit());
    ASSERT_FALSE(unknown.ok());
    EXPECT_TRUE(unknown.error().contains(u"工具栏上没有“没有”"_s)) << unknown.error().toStdString();
}
