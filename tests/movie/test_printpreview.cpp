// 打印预览: its settings in the model, and the preview in a session: opening,
// closing back to the view it came from, and printing what it shows.
#include "movie/kit/kitcatalog.h"
#include "movie/document/movie.h"
#include "movie/session/moviesession.h"

#include <QJsonObject>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

QByteArray movieWith(const QByteArray& presentationFields, const QByteArray& steps)
{
    return "{\"format\": \"pptdrill-movie\", \"version\": 1, \"file\": \"周报\",\n"
           "\"presentation\": {\"slides\": [{\"layout\": \"标题幻灯片\", \"title\": \"周报\"},"
           " {\"layout\": \"标题和文本\", \"title\": \"进度\"}]" +
           presentationFields + "},\n\"steps\": [" + steps + "], \"result\": \"r\", \"unseen\": \"u\"}\n";
}

Movie movieOf(const QByteArray& presentationFields, const QByteArray& steps)
{
    auto movie = parseMovie(movieWith(presentationFields, steps));
    EXPECT_TRUE(movie.ok()) << movie.error().toStdString();
    return movie.ok() ? movie.value() : Movie{};
}

QByteArray step(const QByteArray& action, const QByteArray& set = "{}")
{
    return "{\"hint\": \"h\", \"accept\": [\"" + action + "\"], \"set\": " + set + "}";
}

} // namespace

TEST(PrintPreview, StartsWithSlidesInColourAndAStepChangesOnlyTheFieldsItGives)
{
    const Movie plain = movieOf({}, step("click:title"));
    EXPECT_EQ(plain.presentation.printPreview, PrintPreview{});
    EXPECT_EQ(plain.presentation.printPreview.what, u"幻灯片"_s);
    EXPECT_EQ(plain.presentation.printPreview.color, u"颜色"_s);

    Presentation p =
        movieOf(R"(, "printPreview": {"what": "备注页", "frame": true})", step("click:title")).presentation;
    ASSERT_TRUE(
        applyPresentationChanges(p, QJsonObject{{u"printPreview"_s, QJsonObject{{u"color"_s, u"灰度"_s}}}})
            .ok());
    EXPECT_EQ(p.printPreview.what, u"备注页"_s);
    EXPECT_TRUE(p.printPreview.frame);
    EXPECT_EQ(p.printPreview.color, u"灰度"_s);
    EXPECT_FALSE(p.printPreview.fit);
}

TEST(PrintPreview, RefusesContentsAndColoursThePreviewDoesNotOffer)
{
    const QByteArray wrongFields[] = {
        R"x(, "printPreview": {"what": "讲义(每页 5 张幻灯片)"})x",
        R"x(, "printPreview": {"what": "讲义"})x",
        R"x(, "printPreview": {"color": "黑白"})x",
        R"x(, "printPreview": {"frame": "是"})x",
        R"x(, "printPreview": "备注页")x",
    };
    for (const QByteArray& wrong : wrongFields) {
        const auto movie = parseMovie(movieWith(wrong, step("click:title")));
        ASSERT_FALSE(movie.ok()) << wrong.constData();
        EXPECT_TRUE(movie.error().contains(u"printPreview"_s)) << movie.error().toStdString();
    }
    // A failed change leaves the presentation as it was.
    Presentation p = movieOf({}, step("click:title")).presentation;
    const QJsonObject halfWrong{{u"frame"_s, true}, {u"what"_s, u"幻灯片2"_s}};
    EXPECT_FALSE(applyPresentationChanges(p, QJsonObject{{u"printPreview"_s, halfWrong}}).ok());
    EXPECT_FALSE(p.printPreview.frame);
}

TEST(PrintPreview, HandoutContentsGiveTheirSlidesAPage)
{
    EXPECT_EQ(handoutSlidesPerPage(u"讲义(每页 1 张幻灯片)"_s), 1);
    EXPECT_EQ(handoutSlidesPerPage(u"讲义(每页 4 张幻灯片)"_s), 4);
    EXPECT_EQ(handoutSlidesPerPage(u"讲义(每页 9 张幻灯片)"_s), 9);
    EXPECT_EQ(handoutSlidesPerPage(u"讲义(每页 5 张幻灯片)"_s), 0);
    EXPECT_EQ(handoutSlidesPerPage(u"备注页"_s), 0);
    EXPECT_EQ(handoutSlidesPerPage(u"幻灯片"_s), 0);
}

TEST(PrintPreview, ClosingGoesBackToTheViewItWasOpenedFrom)
{
    MovieSession session(
        movieOf(R"(, "view": "sorter")", step("menu:文件(F)/打印预览(V)") + "," + step("toolbar:关闭预览")),
        KitCatalog::instance());
    ASSERT_TRUE(session.perform(u"menu:文件(F)/打印预览(V)"_s));
    EXPECT_EQ(session.view().kind(), ViewKind::PrintPreview);
    ASSERT_TRUE(session.perform(u"toolbar:关闭预览"_s));
    EXPECT_EQ(session.view().kind(), ViewKind::Sorter);
}

TEST(PrintPreview, TheToolbarShowsTheContentsAndPrintingTakesThePreviewsSettings)
{
    const QByteArray steps =
        step("toolbar:打印预览") + "," +
        step("toolbar:打印内容=讲义(每页 4 张幻灯片)",
             R"x({"printPreview": {"what": "讲义(每页 4 张幻灯片)"}})x") +
        "," + step("toolbar:选项/颜色／灰度(C)/纯黑白(P)", R"x({"printPreview": {"color": "纯黑白"}})x") +
        "," + step("toolbar:选项/幻灯片加框(F)", R"x({"printPreview": {"frame": true}})x") + "," +
        step("toolbar:打印(P)...");
    MovieSession session(movieOf({}, steps), KitCatalog::instance());
    EXPECT_EQ(session.toolbarValue(u"打印内容"_s), u"幻灯片"_s);
    for (const QString& action : {u"toolbar:打印预览"_s, u"toolbar:打印内容=讲义(每页 4 张幻灯片)"_s,
                                  u"toolbar:选项/颜色／灰度(C)/纯黑白(P)"_s, u"toolbar:选项/幻灯片加框(F)"_s})
        ASSERT_TRUE(session.perform(action)) << action.toStdString();
    EXPECT_EQ(session.toolbarValue(u"打印内容"_s), u"讲义(每页 4 张幻灯片)"_s);
    ASSERT_TRUE(session.perform(u"toolbar:打印(P)..."_s));
    ASSERT_TRUE(session.dialog().has_value());
    EXPECT_EQ(session.dialog()->value(u"打印内容"_s), u"讲义"_s);
    EXPECT_EQ(session.dialog()->value(u"每页幻灯片数"_s), u"4"_s);
    EXPECT_EQ(session.dialog()->value(u"颜色/灰度"_s), u"纯黑白"_s);
    EXPECT_EQ(session.dialog()->value(u"幻灯片加框(M)"_s), u"on"_s);
    EXPECT_EQ(session.dialog()->value(u"根据纸张调整大小(F)"_s), u"off"_s);
}

TEST(PrintPreview, ThePrintDialogOpenedElsewhereKeepsItsOwnDefaults)
{
    MovieSession session(
        movieOf(R"(, "printPreview": {"what": "备注页", "color": "灰度"})", step("menu:文件(F)/打印(P)...")),
        KitCatalog::instance());
    ASSERT_TRUE(session.perform(u"menu:文件(F)/打印(P)..."_s));
    ASSERT_TRUE(session.dialog().has_value());
    EXPECT_EQ(session.dialog()->value(u"打印内容"_s), u"幻灯片"_s);
    EXPECT_EQ(session.dialog()->value(u"颜色/灰度"_s), u"颜色"_s);
}
