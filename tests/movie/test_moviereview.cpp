// What the spelling checker finds, comments, custom shows and the running show's
// settings: how a movie gives them and how the session's dialogs change them.
#include "movie/session/moviesession.h"

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

const QString kShows = u"自定义放映"_s;
const QString kDefine = u"定义自定义放映"_s;
const QString kInShow = u"在自定义放映中的幻灯片"_s;

// A movie of three slides with these presentation fields, whose steps take `actions` in order
// (a step's ways joined by '|'; the last step's changes are `lastSet`).
QByteArray movieWith(const QByteArray& fields, const QStringList& actions, const QByteArray& lastSet = "{}")
{
    QByteArray steps;
    for (qsizetype i = 0; i < actions.size(); ++i) {
        steps +=
            "{\"hint\": \"h\", \"accept\": [\"" + actions[i].split(u'|').join(u"\", \""_s).toUtf8() + "\"]";
        if (i + 1 == actions.size())
            steps += ", \"set\": " + lastSet;
        steps += i + 1 < actions.size() ? "},\n" : "}\n";
    }
    return "{\"format\": \"pptdrill-movie\", \"version\": 1, \"presentation\": {\"slides\": [\n"
           "{\"title\": \"甲\", \"body\": [\"Powerpiont 入门\"]}, {\"title\": \"乙\"}, {\"title\": \"丙\"}]" +
           fields + "},\n\"steps\": [\n" + steps + "]}\n";
}

Movie parsed(const QByteArray& json)
{
    auto movie = parseMovie(json);
    EXPECT_TRUE(movie.ok()) << movie.error().toStdString();
    return movie.ok() ? movie.value() : Movie{};
}

// Plays every step; the session is left after the last one.
void playAll(MovieSession& s)
{
    while (!s.isComplete()) {
        const QString action = s.nextAction();
        ASSERT_TRUE(s.perform(action)) << action.toStdString();
    }
}

QString editShow()
{
    return u"dialog:自定义放映/编辑(E)..."_s;
}

} // namespace

TEST(MovieReview, FieldsAreReadAtTheStartAndChangedByAStep)
{
    const Movie movie = parsed(movieWith(
        R"(, "spelling": {"errors": [{"word": "Powerpiont", "suggestions": ["PowerPoint"]}]},
        "customShows": [{"name": "精简版", "slides": [3, 1]}], "show": {"slide": 2, "pointer": "毡尖笔"})",
        {u"click:body"_s},
        R"({"comments": [{"author": "王芳", "initials": "WF", "text": "核实", "open": true}],
            "spelling": {"hideErrors": true}, "showMarkup": false, "show": {"inkColor": "黄色"}})"));
    Presentation pres = movie.presentation;
    ASSERT_EQ(pres.spelling.errors.size(), 1u);
    EXPECT_EQ(pres.spelling.errors[0].suggestions, QStringList{u"PowerPoint"_s});
    ASSERT_EQ(pres.customShows.size(), 1u);
    EXPECT_EQ(pres.customShows[0].slides, (std::vector<int>{3, 1}));
    EXPECT_EQ(pres.show.slide, 2);
    // Misspelled words are underlined while the spelling checker shows them.
    EXPECT_EQ(slideAsShown(pres, pres.slides[0]).misspelled, QStringList{u"Powerpiont"_s});
    pres.spelling.checkAsYouType = false;
    EXPECT_TRUE(slideAsShown(pres, pres.slides[0]).misspelled.isEmpty());

    pres = movie.presentation;
    ASSERT_TRUE(applyPresentationChanges(pres, movie.steps[0].set).ok());
    ASSERT_EQ(pres.slides[0].comments.size(), 1u);
    EXPECT_TRUE(pres.slides[0].comments[0].open);
    EXPECT_TRUE(pres.spelling.hideErrors);
    EXPECT_EQ(pres.spelling.errors.size(), 1u); // a change keeps what it does not name
    EXPECT_TRUE(slideAsShown(pres, pres.slides[0]).misspelled.isEmpty());
    // Hidden markup hides the comments, which the slide keeps.
    EXPECT_TRUE(slideAsShown(pres, pres.slides[0]).comments.empty());
    EXPECT_EQ(pres.show.pointer, u"毡尖笔"_s);
    EXPECT_EQ(pres.show.inkColor, u"黄色"_s);
    // Review fields are not slide fields: the other slides and the master take none of them.
    EXPECT_TRUE(pres.slides[1].comments.empty());
}

TEST(MovieReview, BadValuesAreRefusedWithWhatIsWrong)
{
    const struct
    {
        QByteArray fields;
        QString says;
    } cases[] = {
        {R"(, "customShows": [{"name": "A", "slides": [4]}])", u"没有第 4 张幻灯片"_s},
        {R"(, "customShows": [{"name": "A", "slides": []}])", u"应列出至少一张幻灯片的编号"_s},
        {R"(, "customShows": [{"name": "A", "slides": [1]}, {"name": "A", "slides": [2]}])", u"已有同名"_s},
        {R"(, "spelling": {"errors": [{"word": " "}]})", u"word 不能为空"_s},
        {R"(, "spelling": {"errors": [{"word": "a", "suggestions": [1]}]})", u"非空的文字"_s},
        {R"(, "show": {"pointer": "激光笔"})", u"show.pointer 应为"_s},
        {R"(, "show": {"slide": 9})", u"没有第 9 张幻灯片"_s},
        {R"(, "show": {"screen": "灰屏"})", u"show.screen 应为"_s},
    };
    for (const auto& c : cases) {
        auto movie = parseMovie(movieWith(c.fields, {u"click:body"_s}));
        ASSERT_FALSE(movie.ok()) << c.fields.toStdString();
        EXPECT_TRUE(movie.error().contains(c.says)) << movie.error().toStdString();
    }
    auto noAuthor = parseMovie(movieWith({}, {u"click:body"_s}, R"({"comments": [{"text": "x"}]})"));
    ASSERT_FALSE(noAuthor.ok());
    EXPECT_TRUE(noAuthor.error().contains(u"author 不能为空"_s)) << noAuthor.error().toStdString();
}

TEST(MovieReview, EditingACustomShowFillsTheDialogAndChangesThatShow)
{
    const QStringList actions{u"menu:幻灯片放映(D)/自定义放映(W)..."_s,
                              u"dialog:自定义放映/自定义放映=精简版"_s,
                              editShow(),
                              u"dialog:定义自定义放映/幻灯片放映名称=精简版二"_s,
                              u"dialog:定义自定义放映/在演示文稿中的幻灯片=2. 乙"_s,
                              u"dialog:定义自定义放映/添加(A) >>"_s,
                              u"dialog:定义自定义放映/在自定义放映中的幻灯片=1. 丙"_s,
                              u"dialog:定义自定义放映/下移"_s,
                              u"dialog:定义自定义放映/确定"_s};
    const Movie movie = parsed(movieWith(
        R"(, "customShows": [{"name": "完整版", "slides": [1, 2, 3]}, {"name": "精简版", "slides": [3, 1]}])",
        actions));
    MovieSession s(movie, KitCatalog::instance());
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(s.perform(actions[i]));
    ASSERT_EQ(s.dialog()->name, kDefine);
    EXPECT_EQ(s.dialog()->value(u"幻灯片放映名称"_s), u"精简版"_s);
    EXPECT_EQ(s.itemsOf(*s.kit().dialog(kDefine)->control(kInShow), *s.dialog()),
              (QStringList{u"1. 丙"_s, u"2. 甲"_s}));
    playAll(s);
    ASSERT_EQ(s.dialog()->name, kShows);
    // The edited show keeps its place in the list, under its new name and with its new slides.
    ASSERT_EQ(s.presentation().customShows.size(), 2u);
    EXPECT_EQ(s.presentation().customShows[1].name, u"精简版二"_s);
    EXPECT_EQ(s.presentation().customShows[1].slides, (std::vector<int>{1, 3, 2}));
    EXPECT_EQ(customShowNames(s.presentation()), (QStringList{u"完整版"_s, u"精简版二"_s}));
}

TEST(MovieReview, CopiesTakeANewNameAndDeletingRemovesTheChosenShow)
{
    const QStringList actions{u"menu:幻灯片放映(D)/自定义放映(W)..."_s,
                              u"dialog:自定义放映/自定义放映=精简版"_s,
                              u"dialog:自定义放映/复制(Y)"_s,
                              u"dialog:自定义放映/自定义放映=精简版"_s,
                              u"dialog:自定义放映/复制(Y)"_s,
                              u"dialog:自定义放映/自定义放映=精简版"_s,
                              u"dialog:自定义放映/删除(R)"_s};
    MovieSession s(parsed(movieWith(R"(, "customShows": [{"name": "精简版", "slides": [2]}])", actions)),
                   KitCatalog::instance());
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(s.perform(actions[i]));
    // The copy is chosen, so that 编辑 goes on with it.
    EXPECT_EQ(s.dialog()->value(kShows), u"复件 精简版"_s);
    playAll(s);
    EXPECT_EQ(customShowNames(s.presentation()), (QStringList{u"复件 精简版"_s, u"复件 (2) 精简版"_s}));
    EXPECT_EQ(s.presentation().customShows[1].slides, std::vector<int>{2});
    EXPECT_TRUE(s.dialog()->value(kShows).isEmpty());
}

TEST(MovieReview, TheSpellingCheckerShowsTheFirstUnknownWordAndItsSuggestions)
{
    const Movie movie = parsed(movieWith(
        R"(, "spelling": {"errors": [{"word": "Powerpiont", "suggestions": ["PowerPoint", "Powerpoint"]},
                                     {"word": "Excle", "suggestions": ["Excel"]}]})",
        {u"key:F7"_s, u"dialog:拼写检查/建议=Excel|dialog:拼写检查/建议=Powerpoint"_s}));
    MovieSession s(movie, KitCatalog::instance());
    ASSERT_TRUE(s.perform(u"key:F7"_s));
    ASSERT_EQ(s.dialog()->name, u"拼写检查"_s);
    EXPECT_EQ(s.dialog()->value(u"不在词典中"_s), u"Powerpiont"_s);
    EXPECT_EQ(s.dialog()->value(u"更改为"_s), u"PowerPoint"_s);
    const KitControl* suggestions = s.kit().dialog(u"拼写检查"_s)->control(u"建议"_s);
    EXPECT_EQ(s.itemsOf(*suggestions, *s.dialog()), (QStringList{u"PowerPoint"_s, u"Powerpoint"_s}));
    // A word the checker does not suggest cannot be chosen.
    EXPECT_FALSE(s.perform(u"dialog:拼写检查/建议=Excel"_s));
    EXPECT_TRUE(s.perform(u"dialog:拼写检查/建议=Powerpoint"_s));
}

TEST(MovieReview, GoingToASlideInTheShowTakesOnlyTheSlidesThereAre)
{
    const QString goTo = u"context:show/定位至幻灯片(G)/"_s;
    MovieSession s(parsed(movieWith({}, {u"key:F5"_s, goTo + u"3 甲|"_s + goTo + u"3 丙"_s},
                                    R"({"show": {"slide": 3}})")),
                   KitCatalog::instance());
    EXPECT_EQ(slideMenuItems(s.presentation()), (QStringList{u"1 甲"_s, u"2 乙"_s, u"3 丙"_s}));
    ASSERT_TRUE(s.perform(u"key:F5"_s));
    EXPECT_TRUE(KitCatalog::instance().resolve(goTo + u"4 丁"_s).ok()); // the kit takes any slide…
    EXPECT_FALSE(s.perform(goTo + u"3 甲"_s));                          // …the session only those there
    ASSERT_TRUE(s.perform(goTo + u"3 丙"_s));
    EXPECT_EQ(s.presentation().show.slide, 3);
    EXPECT_FALSE(KitCatalog::instance().resolve(u"context:show/定位至幻灯片(G)"_s).ok());
}

TEST(MovieReview, AMessageBoxClosesBeforeWhatItsButtonOpens)
{
    const QStringList actions{u"menu:幻灯片放映(D)/录制旁白(N)..."_s, u"dialog:录制旁白/确定"_s,
                              u"dialog:开始录制旁白/第一张幻灯片(F)"_s, u"dialog:保存旁白排练时间/保存(S)"_s};
    MovieSession s(parsed(movieWith({}, actions)), KitCatalog::instance());
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(s.perform(actions[i]));
    EXPECT_EQ(s.dialog()->name, u"保存旁白排练时间"_s);
    EXPECT_TRUE(s.dialogsBeneath().empty());
    ASSERT_TRUE(s.perform(actions[3]));
    EXPECT_FALSE(s.dialog().has_value());
}
