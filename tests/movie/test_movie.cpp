#include "movie/kitcatalog.h"
#include "movie/movie.h"
#include "movie/moviesession.h"
#include "tests/movie/testkit.h"
#include "tests/support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

namespace {

Movie layoutMovie()
{
    auto m = parseMovie(layoutMovieJson());
    EXPECT_TRUE(m.ok()) << m.error().toStdString();
    return m.value();
}

QByteArray withChange(const QByteArray& json, const std::function<void(QJsonObject&)>& change)
{
    QJsonObject o = QJsonDocument::fromJson(json).object();
    change(o);
    return QJsonDocument(o).toJson();
}

} // namespace

TEST(MovieFormat, ReadsAPresentationAndItsSteps)
{
    const Movie m = layoutMovie();
    EXPECT_EQ(m.file, u"工作总结"_s);
    ASSERT_EQ(m.presentation.slides.size(), 2u);
    EXPECT_EQ(m.presentation.slides[1].layout, u"标题和文本"_s);
    EXPECT_EQ(m.presentation.slides[1].body, QStringList({u"市场"_s, u"\t研发"_s}));
    EXPECT_EQ(m.presentation.taskpane, u"开始工作"_s);
    ASSERT_EQ(m.steps.size(), 3u);
    EXPECT_EQ(m.steps[1].caption, m.steps[1].hint);
    EXPECT_EQ(m.steps[1].accept.size(), 2);
}

TEST(MovieFormat, DamagedUnknownOrOversizedMoviesAreRefusedWithAMessage)
{
    const QByteArray good = layoutMovieJson();
    const QByteArray cases[] = {
        good.left(good.size() / 2), // truncated
        "",
        "\x89PNG\r\n\x1a\n",
        "[1,2,3]",
        withChange(good, [](QJsonObject& o) { o[u"version"_s] = 2; }),
        withChange(good, [](QJsonObject& o) { o[u"format"_s] = u"other"_s; }),
        withChange(good, [](QJsonObject& o) { o.remove(u"steps"_s); }),
        withChange(good,
                   [](QJsonObject& o) {
                       o[u"steps"_s] = QJsonArray{QJsonObject{{u"hint"_s, u"x"_s}}};
                   }),
        withChange(good,
                   [](QJsonObject& o) {
                       o[u"steps"_s] = QJsonArray{QJsonObject{{u"accept"_s, QJsonArray{u"thumb:1"_s}}}};
                   }),
        withChange(good,
                   [](QJsonObject& o) {
                       QJsonObject p = o[u"presentation"_s].toObject();
                       p[u"selected"_s] = 9;
                       o[u"presentation"_s] = p;
                   }),
        withChange(good,
                   [](QJsonObject& o) {
                       QJsonObject p = o[u"presentation"_s].toObject();
                       p[u"slides"_s] = QJsonArray{QJsonObject{{u"title"_s, 5}}};
                       o[u"presentation"_s] = p;
                   }),
        withChange(good,
                   [](QJsonObject& o) {
                       QJsonArray steps = o[u"steps"_s].toArray();
                       QJsonObject s = steps[0].toObject();
                       s[u"set"_s] = QJsonObject{{u"slide"_s, 7}, {u"title"_s, u"x"_s}};
                       steps[0] = s;
                       o[u"steps"_s] = steps;
                   }),
        QByteArray(kMaxMovieBytes + 1, ' '),
    };
    for (const QByteArray& bytes : cases) {
        auto m = parseMovie(bytes);
        ASSERT_FALSE(m.ok()) << bytes.left(80).toStdString();
        EXPECT_FALSE(m.error().isEmpty());
    }
    EXPECT_FALSE(loadMovieFile(u"/nonexistent/1.w"_s).ok());
}

TEST(MovieFormat, StepChangesEditTheRightSlide)
{
    Presentation p = layoutMovie().presentation;
    ASSERT_TRUE(applyPresentationChanges(p, QJsonDocument::fromJson(R"json({"slide": 2, "title": "新标题",
        "titleFont": {"size": 40, "bold": true}, "addShape": {"type": "star", "x": 1, "y": 2, "w": 3, "h": 4}})json")
                                                .object())
                    .ok());
    EXPECT_EQ(p.slides[1].title, u"新标题"_s);
    EXPECT_EQ(p.slides[1].titleFont.size, 40);
    EXPECT_EQ(p.slides[1].titleFont.bold, true);
    ASSERT_EQ(p.slides[1].shapes.size(), 1u);
    EXPECT_EQ(p.slides[0].title, u"年度总结"_s);

    ASSERT_TRUE(
        applyPresentationChanges(
            p, QJsonDocument::fromJson(R"json({"insertSlide": {"at": 2, "title": "插入"}})json").object())
            .ok());
    EXPECT_EQ(p.slides.size(), 3u);
    EXPECT_EQ(p.selected, 2);
    ASSERT_TRUE(applyPresentationChanges(
                    p, QJsonDocument::fromJson(R"json({"slide": 3, "moveSlideTo": 1})json").object())
                    .ok());
    EXPECT_EQ(p.slides[0].title, u"新标题"_s);
    ASSERT_TRUE(
        applyPresentationChanges(p, QJsonDocument::fromJson(R"json({"deleteSlide": 1})json").object()).ok());
    EXPECT_EQ(p.slides.size(), 2u);
    ASSERT_TRUE(
        applyPresentationChanges(
            p, QJsonDocument::fromJson(R"json({"allSlides": true, "transition": "溶解"})json").object())
            .ok());
    EXPECT_EQ(p.slides[0].transition, u"溶解"_s);
    EXPECT_EQ(p.slides[1].transition, u"溶解"_s);
    EXPECT_FALSE(
        applyPresentationChanges(p, QJsonDocument::fromJson(R"json({"deleteSlide": 5})json").object()).ok());
}

TEST(KitCatalog, ResolvesEveryKindOfActionAndRefusesWhatItDoesNotHave)
{
    const KitCatalog& kit = smallKit();
    auto menu = kit.resolve(u"menu:格式(O)/字体(F)..."_s);
    ASSERT_TRUE(menu.ok());
    EXPECT_EQ(menu->opens, u"dialog:字体"_s);
    EXPECT_TRUE(kit.resolve(u"menu:文件(F)/发送(D)/邮件收件人(M)"_s).ok());
    EXPECT_TRUE(kit.resolve(u"context:thumbnail/删除幻灯片(D)"_s).ok());
    EXPECT_TRUE(kit.resolve(u"toolbar:加粗"_s).ok());
    EXPECT_TRUE(kit.resolve(u"key:ctrl+b"_s).ok());
    EXPECT_TRUE(kit.resolve(u"thumb:3"_s).ok());
    EXPECT_TRUE(kit.resolve(u"dblclick:thumb:2"_s).ok());
    EXPECT_TRUE(kit.resolve(u"click:title"_s).ok());
    EXPECT_TRUE(kit.resolve(u"taskpane:幻灯片版式/版式=标题幻灯片"_s).ok());
    EXPECT_TRUE(kit.resolve(u"dialog:字体/字号=24"_s).ok());
    EXPECT_TRUE(kit.resolve(u"dialog:字体/标签=效果"_s).ok());
    EXPECT_TRUE(kit.resolve(u"dialog:字体/下划线(U)=on"_s).ok());
    EXPECT_TRUE(kit.resolve(u"dialog:另存为/文件名=任何文字"_s).ok());
    EXPECT_TRUE(kit.resolve(u"dialog:另存为/份数=3"_s).ok());
    EXPECT_EQ(kit.resolve(u"dialog:字体/确定"_s)->opens, u"close"_s);

    const char16_t* refused[] = {
        u"menu:格式(O)/没有(X)",
        u"menu:文件(F)/发送(D)",
        u"menu:文件(F)/权限(M)",
        u"menu:编辑(E)/撤消(U)",
        u"context:nowhere/剪切(T)",
        u"toolbar:不存在",
        u"key:Ctrl+Q",
        u"thumb:0",
        u"click:elsewhere",
        u"taskpane:幻灯片版式/版式=不存在",
        u"dialog:字体/字号=99",
        u"dialog:字体/下划线(U)=yes",
        u"dialog:另存为/份数=三",
        u"dialog:字体/确定=1",
        u"dialog:字体/字号",
        u"dialog:无/确定",
        u"nothing",
        u"fly:away",
    };
    for (const char16_t* action : refused)
        EXPECT_FALSE(kit.resolve(QString::fromUtf16(action)).ok())
            << QString::fromUtf16(action).toStdString();
}

TEST(MovieSession, OnlyTheExpectedActionTakesEffect)
{
    MovieSession s(layoutMovie(), smallKit());
    int changes = 0;
    s.setChangeListener([&] { ++changes; });
    EXPECT_FALSE(s.perform(u"thumb:1"_s));
    EXPECT_FALSE(s.perform(u"menu:格式(O)/幻灯片版式(L)..."_s)); // right command, too early
    EXPECT_EQ(s.stepIndex(), 0);
    EXPECT_EQ(s.presentation().selected, 1);
    EXPECT_EQ(changes, 0);

    EXPECT_TRUE(s.perform(u"thumb:2"_s));
    EXPECT_EQ(s.presentation().selected, 2);
    EXPECT_TRUE(s.perform(u"context:slide/幻灯片版式(L)..."_s));
    EXPECT_EQ(s.presentation().taskpane, u"幻灯片版式"_s);
    EXPECT_FALSE(s.perform(u"taskpane:幻灯片版式/版式=标题幻灯片"_s));
    EXPECT_FALSE(s.isComplete());
    EXPECT_TRUE(s.perform(u"taskpane:幻灯片版式/版式=标题和竖排文字"_s));
    EXPECT_TRUE(s.isComplete());
    EXPECT_EQ(s.presentation().slides[1].layout, u"标题和竖排文字"_s);
    EXPECT_EQ(s.taskPane().value(u"版式"_s), u"标题和竖排文字"_s);
    EXPECT_EQ(changes, 3);
    EXPECT_FALSE(s.perform(u"thumb:1"_s));

    s.reset();
    EXPECT_EQ(s.stepIndex(), 0);
    EXPECT_EQ(s.presentation().slides[1].layout, u"标题和文本"_s);
    EXPECT_EQ(s.presentation().taskpane, u"开始工作"_s);
}

TEST(MovieSession, AnOpenDialogKeepsTheWindowFromTheLearner)
{
    auto movie = parseMovie(R"json({"format": "pptdrill-movie", "version": 1,
      "presentation": {"slides": [{"title": "t"}]},
      "steps": [
        {"hint": "a", "accept": ["key:Ctrl+T", "menu:格式(O)/字体(F)..."]},
        {"hint": "b", "accept": ["dialog:字体/字号=24"]},
        {"hint": "c", "accept": ["toolbar:加粗", "dialog:字体/确定"], "set": {"titleFont": {"size": 24}}},
        {"hint": "d", "accept": ["dialog:字体/确定", "toolbar:加粗"]}
      ]})json");
    ASSERT_TRUE(movie.ok()) << movie.error().toStdString();
    MovieSession s(movie.value(), smallKit());
    EXPECT_TRUE(s.perform(u"key:Ctrl+T"_s));
    ASSERT_TRUE(s.dialog().has_value());
    EXPECT_EQ(s.dialog()->name, u"字体"_s);
    EXPECT_EQ(s.dialog()->value(u"字号"_s), u"18"_s);
    EXPECT_EQ(s.dialog()->tab, u"字体"_s);
    EXPECT_TRUE(s.perform(u"dialog:字体/字号=24"_s));
    EXPECT_EQ(s.dialog()->value(u"字号"_s), u"24"_s);
    // The toolbar lies behind the dialog.
    EXPECT_FALSE(s.perform(u"toolbar:加粗"_s));
    EXPECT_TRUE(s.perform(u"dialog:字体/确定"_s));
    EXPECT_FALSE(s.dialog().has_value());
    EXPECT_EQ(s.presentation().slides[0].titleFont.size, 24);
    EXPECT_FALSE(s.perform(u"dialog:字体/确定"_s));
    EXPECT_TRUE(s.perform(u"toolbar:加粗"_s));
    EXPECT_TRUE(s.isComplete());
}

TEST(MovieSession, ADialogOpenedFromADialogReturnsToIt)
{
    auto movie = parseMovie(R"json({"format": "pptdrill-movie", "version": 1,
      "presentation": {"slides": [{"title": "t"}]},
      "steps": [
        {"hint": "a", "accept": ["key:Ctrl+T"]},
        {"hint": "b", "accept": ["dialog:字体/字号=24"]},
        {"hint": "c", "accept": ["dialog:字体/更多..."]},
        {"hint": "d", "accept": ["dialog:另存为/取消"]},
        {"hint": "e", "accept": ["dialog:字体/确定"]}
      ]})json");
    ASSERT_TRUE(movie.ok()) << movie.error().toStdString();
    MovieSession s(movie.value(), smallKit());
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(s.perform(s.nextAction()));
    EXPECT_EQ(s.dialog()->name, u"另存为"_s);
    ASSERT_EQ(s.dialogsBeneath().size(), 1u);
    EXPECT_FALSE(s.perform(u"dialog:字体/确定"_s)); // under the other dialog
    ASSERT_TRUE(s.perform(u"dialog:另存为/取消"_s));
    ASSERT_TRUE(s.dialog().has_value());
    EXPECT_EQ(s.dialog()->name, u"字体"_s);
    EXPECT_EQ(s.dialog()->value(u"字号"_s), u"24"_s);
    EXPECT_TRUE(s.dialogsBeneath().empty());
    ASSERT_TRUE(s.perform(u"dialog:字体/确定"_s));
    EXPECT_FALSE(s.dialog().has_value());
}

TEST(MovieSession, AClosingButtonThatLeadsOnReplacesItsDialog)
{
    auto movie = parseMovie(R"json({"format": "pptdrill-movie", "version": 1,
      "presentation": {"slides": [{"title": "t"}]},
      "steps": [
        {"hint": "a", "accept": ["menu:文件(F)/向导(W)..."]},
        {"hint": "b", "accept": ["dialog:向导/确定"]},
        {"hint": "c", "accept": ["dialog:另存为/取消"]}
      ]})json");
    ASSERT_TRUE(movie.ok()) << movie.error().toStdString();
    MovieSession s(movie.value(), smallKit());
    ASSERT_TRUE(s.perform(s.nextAction()));
    ASSERT_TRUE(s.perform(s.nextAction()));
    EXPECT_EQ(s.dialog()->name, u"另存为"_s);
    EXPECT_TRUE(s.dialogsBeneath().empty());
    ASSERT_TRUE(s.perform(s.nextAction()));
    EXPECT_FALSE(s.dialog().has_value());
}

TEST(MovieSession, VerificationPlaysEveryAcceptedWayAndNamesTheFault)
{
    EXPECT_TRUE(verifyMovie(layoutMovie(), smallKit()).ok());

    Movie unknown = layoutMovie();
    unknown.steps[1].accept << u"menu:格式(O)/不存在(Z)"_s;
    Status s = verifyMovie(unknown, smallKit());
    ASSERT_FALSE(s.ok());
    EXPECT_TRUE(s.error().contains(u"第 2 步"_s)) << s.error().toStdString();

    // The pane's gallery is out of reach before the pane is open.
    Movie unreachable = layoutMovie();
    unreachable.steps[1].accept << u"taskpane:幻灯片版式/版式=标题幻灯片"_s;
    s = verifyMovie(unreachable, smallKit());
    ASSERT_FALSE(s.ok());
    EXPECT_TRUE(s.error().contains(u"第 2 步"_s)) << s.error().toStdString();

    Movie dialogFirst = layoutMovie();
    dialogFirst.steps[0].accept = QStringList{u"dialog:字体/确定"_s};
    EXPECT_FALSE(verifyMovie(dialogFirst, smallKit()).ok());
}

TEST(ShippedKit, LoadsAndEveryOpensNamesSomethingItHas)
{
    const KitCatalog& kit = KitCatalog::instance();
    ASSERT_EQ(kit.menus().size(), 9u);
    EXPECT_EQ(kit.menus().front().title, u"文件(F)"_s);
    EXPECT_EQ(kit.menus().back().title, u"帮助(H)"_s);
    QStringList opens;
    std::function<void(const std::vector<KitMenuItem>&)> walk = [&](const std::vector<KitMenuItem>& items) {
        for (const KitMenuItem& i : items) {
            if (!i.opens.isEmpty())
                opens << i.opens;
            walk(i.items);
        }
    };
    for (const KitMenu& m : kit.menus())
        walk(m.items);
    for (const char* area : {"slide", "thumbnail", "text", "sorter"}) {
        ASSERT_NE(kit.contextMenu(QString::fromLatin1(area)), nullptr) << area;
        walk(*kit.contextMenu(QString::fromLatin1(area)));
    }
    for (const QString& o : std::as_const(opens)) {
        if (o.startsWith(u"dialog:"_s))
            EXPECT_NE(kit.dialog(o.mid(7)), nullptr) << o.toStdString();
        else if (o.startsWith(u"taskpane:"_s))
            EXPECT_NE(kit.taskPane(o.mid(9)), nullptr) << o.toStdString();
        else if (o.startsWith(u"view:"_s))
            EXPECT_TRUE(knownViews().contains(o.mid(5))) << o.toStdString();
        else
            EXPECT_EQ(o, u"close"_s) << o.toStdString();
    }
}

TEST(MovieFormat, TheFuzzersCorpusReadsWithoutFault)
{
    // Inputs a fuzzing run of the reader found interesting; each must give a
    // movie or an error, and any movie must play through without fault.
    const QDir corpus(sourceFolder() + u"/tests/data/fuzz-movie"_s);
    const QStringList files = corpus.entryList(QDir::Files);
    ASSERT_GT(files.size(), 10);
    int accepted = 0;
    for (const QString& name : files) {
        QFile f(corpus.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        auto movie = parseMovie(f.readAll());
        if (movie) {
            ++accepted;
            verifyMovie(movie.value(), smallKit());
        } else {
            EXPECT_FALSE(movie.error().isEmpty()) << name.toStdString();
        }
    }
    std::printf("%lld corpus files, %d read as movies\n", static_cast<long long>(files.size()), accepted);
}
