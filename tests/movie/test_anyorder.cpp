// Steps that a movie lets come in any order ("anyOrder"): how they are read, taken, and
// checked by playing them in other orders before a movie is stored.
#include "movie/document/movie.h"
#include "movie/kit/kitcatalog.h"
#include "movie/session/moviesession.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

// The title selected (line 4), then a block (lines 5–8): the 字号 box, and the colour through
// 字体颜色 → 其他颜色 → 颜色, a chain of three steps.
QByteArray blockMovie(const QByteArray& sizeOrder = R"("anyOrder": "格式")",
                      const QByteArray& colourOrder = R"("anyOrder": "格式/颜色")")
{
    return R"({"format": "pptdrill-movie", "version": 1,
"presentation": {"slides": [{"title": "A"}]},
"steps": [
  {"hint": "标题", "accept": ["click:title"]},
  {"hint": "字号", "accept": ["toolbar:字号=28"], )" +
           sizeOrder + R"(, "set": {"titleFont": {"size": 28}}},
  {"hint": "其他颜色", "accept": ["toolbar:字体颜色/其他颜色(M)..."], )" +
           colourOrder + R"(},
  {"hint": "红色", "accept": ["dialog:颜色/标准颜色=红色"], )" +
           colourOrder + R"(},
  {"hint": "确定", "accept": ["dialog:颜色/确定"], )" +
           colourOrder + R"(, "set": {"titleFont": {"color": "#FF0000"}}}
]})";
}

QString refusal(const QByteArray& json)
{
    auto movie = parseMovie(json, u"a.movie"_s);
    return movie.ok() ? QString() : movie.error();
}

Movie read(const QByteArray& json)
{
    auto movie = parseMovie(json, u"a.movie"_s);
    EXPECT_TRUE(movie.ok()) << movie.error().toStdString();
    return movie.ok() ? movie.value() : Movie{};
}

} // namespace

TEST(AnyOrder, BlocksAreReadAndAMalformedOneIsRefusedAtItsLine)
{
    const Movie m = read(blockMovie());
    EXPECT_EQ(m.steps[1].anyOrderBlock(), u"格式"_s);
    EXPECT_TRUE(m.steps[1].anyOrderChain().isEmpty());
    EXPECT_EQ(m.steps[3].anyOrderChain(), u"颜色"_s);

    // A block of one part has no order to free.
    const QString alone = refusal(blockMovie(R"("anyOrder": "格式/颜色")"));
    EXPECT_TRUE(alone.startsWith(u"a.movie:5: "_s)) << alone.toStdString();
    EXPECT_TRUE(alone.contains(u"只有一部分"_s)) << alone.toStdString();
    // A block's steps stand together.
    QByteArray split = blockMovie();
    split.replace(R"({"hint": "红色", "accept": ["dialog:颜色/标准颜色=红色"], "anyOrder": "格式/颜色"},)",
                  R"({"hint": "红色", "accept": ["dialog:颜色/标准颜色=红色"], "anyOrder": "别的"},)");
    EXPECT_TRUE(refusal(split).contains(u"应连在一起"_s)) << refusal(split).toStdString();
    EXPECT_TRUE(refusal(blockMovie(R"("anyOrder": "a/b/c")")).contains(u"组名"_s));
    // Another way may stand in for a whole block, never for part of one.
    QByteArray cut = blockMovie();
    cut.replace(
        R"("accept": ["toolbar:字号=28"], )",
        R"("accept": ["toolbar:字号=28"], "ways": [{"name": "对话框", "replaces": 2, "steps": [{"hint": "h", "accept": ["key:F5"]}]}], )");
    EXPECT_TRUE(refusal(cut).contains(u"一部分"_s)) << refusal(cut).toStdString();
    // A step whose route the stem names has no other way.
    QByteArray named = cut;
    named.replace(R"("accept": ["toolbar:字号=28"], )",
                  R"("accept": ["toolbar:字号=28"], "routeNamed": true, )");
    EXPECT_TRUE(refusal(named).contains(u"指定了做法"_s)) << refusal(named).toStdString();
}

TEST(AnyOrder, EitherPartMayComeFirstButAChainKeepsItsOrder)
{
    for (const bool colourFirst : {false, true}) {
        MovieSession s(read(blockMovie()), KitCatalog::instance());
        ASSERT_TRUE(s.perform(u"click:title"_s));
        if (!colourFirst) {
            ASSERT_TRUE(s.perform(u"toolbar:字号=28"_s));
        }
        // The chain's later steps wait for its first.
        EXPECT_FALSE(s.accepts(u"dialog:颜色/确定"_s));
        ASSERT_TRUE(s.perform(u"toolbar:字体颜色/其他颜色(M)..."_s));
        // Once a chain is started the hint follows it.
        EXPECT_EQ(s.currentStep()->hint, u"红色"_s);
        ASSERT_TRUE(s.perform(u"dialog:颜色/标准颜色=红色"_s));
        ASSERT_TRUE(s.perform(u"dialog:颜色/确定"_s));
        if (colourFirst) {
            EXPECT_EQ(s.currentStep()->hint, u"字号"_s);
            ASSERT_TRUE(s.perform(u"toolbar:字号=28"_s));
        }
        EXPECT_TRUE(s.isComplete()) << colourFirst;
        EXPECT_EQ(s.presentation().slides[0].titleFont.size, 28);
        EXPECT_EQ(s.presentation().slides[0].titleFont.color, u"#FF0000"_s);
    }
    EXPECT_TRUE(verifyMovie(read(blockMovie()), KitCatalog::instance()).ok());
}

TEST(AnyOrder, ABlockThatOtherOrdersCannotDoOrThatEndsElsewhereIsRefused)
{
    // The colour's dialog steps set apart from the command that opens it: backwards, 红色
    // would come before 颜色 is open.
    const Status apart = verifyMovie(read(blockMovie(R"("anyOrder": "格式")", R"("anyOrder": "格式")")),
                                     KitCatalog::instance());
    EXPECT_FALSE(apart.ok());
    EXPECT_TRUE(apart.error().contains(u"可按任意顺序"_s)) << apart.error().toStdString();

    // Two sizes of one box: the last one chosen wins, so the order is not free.
    QByteArray twoSizes = blockMovie();
    twoSizes.replace(
        R"({"hint": "其他颜色")",
        R"({"hint": "字号2", "accept": ["toolbar:字号=36"], "anyOrder": "格式", "set": {"titleFont": {"size": 36}}},
  {"hint": "其他颜色")");
    const Status sizes = verifyMovie(read(twoSizes), KitCatalog::instance());
    EXPECT_FALSE(sizes.ok());
    EXPECT_TRUE(sizes.error().startsWith(u"a.movie:5: "_s)) << sizes.error().toStdString();
    EXPECT_TRUE(sizes.error().contains(u"结果与演示的不同"_s)) << sizes.error().toStdString();
}

TEST(AnyOrder, AMovieThatSetsABoxTwiceToFixAnOrderIsRefused)
{
    // 字号 20 and then 24 in one visit of 字体: 确定 finds 24, so the step for 20 is never
    // what the dialog holds, and the demonstration cannot end.
    const Status twice = verifyMovie(read(R"({"format": "pptdrill-movie", "version": 1,
"presentation": {"slides": [{"title": "A"}]},
"steps": [
  {"hint": "标题", "accept": ["click:title"]},
  {"hint": "字体", "accept": ["menu:格式(O)/字体(F)..."]},
  {"hint": "20", "accept": ["dialog:字体/字号=20"]},
  {"hint": "24", "accept": ["dialog:字体/字号=24"]},
  {"hint": "确定", "accept": ["dialog:字体/确定"], "set": {"titleFont": {"size": 24}}}
]})"),
                                     KitCatalog::instance());
    EXPECT_FALSE(twice.ok());
    EXPECT_TRUE(twice.error().startsWith(u"a.movie:8: "_s)) << twice.error().toStdString();
    EXPECT_TRUE(twice.error().contains(u"已不是第 3 步所设的值"_s)) << twice.error().toStdString();
}
