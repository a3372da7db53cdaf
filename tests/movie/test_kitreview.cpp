// What review and show settings look like: misspelled words underlined, comment
// markers and boxes, and the running show's context menu (定位至幻灯片, 屏幕, 指针选项).
#include "movie/kit/kitcatalog.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/window/kitview.h"
#include "movie/widgets/slides/slidepainter.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

Presentation presentationOf(const QByteArray& fields)
{
    const QByteArray json =
        "{\"format\": \"pptdrill-movie\", \"version\": 1, \"presentation\": {\"slides\": ["
        "{\"title\": \"培训内容\", \"body\": [\"Powerpiont 演示文稿制作\"]}]" +
        fields + "}, \"steps\": [{\"hint\": \"h\", \"accept\": [\"thumb:1\"]}]}";
    auto movie = parseMovie(json);
    EXPECT_TRUE(movie.ok()) << movie.error().toStdString();
    return movie.ok() ? movie.value().presentation : Presentation{};
}

QImage paint(const Presentation& pres, SlidePaintMode mode = SlidePaintMode::Editing)
{
    QImage image(720, 540, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    paintSlide(p, QRectF(0, 0, 720, 540), pres, pres.slides[0], mode);
    return image;
}

int pixelsLike(const QImage& image, bool (*like)(QColor))
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += like(image.pixelColor(x, y)) ? 1 : 0;
    return count;
}

bool isRed(QColor c)
{
    return c.red() > 200 && c.green() < 80 && c.blue() < 80;
}

bool isNoteYellow(QColor c)
{
    return c.red() > 240 && c.green() > 230 && c.blue() > 140 && c.blue() < 215;
}

const char kSpelling[] =
    R"(, "spelling": {"errors": [{"word": "Powerpiont", "suggestions": ["PowerPoint"]}]})";

} // namespace

TEST(KitReview, MisspelledWordsAreUnderlinedInRedWhileTheCheckerShowsThem)
{
    Presentation pres = presentationOf(kSpelling);
    EXPECT_GT(pixelsLike(paint(pres), isRed), 20);
    // Neither the thumbnails nor the show underline them.
    EXPECT_EQ(pixelsLike(paint(pres, SlidePaintMode::Thumbnail), isRed), 0);
    EXPECT_EQ(pixelsLike(paint(pres, SlidePaintMode::Show), isRed), 0);
    pres.spelling.hideErrors = true;
    EXPECT_EQ(pixelsLike(paint(pres), isRed), 0);
    pres.spelling.hideErrors = false;
    pres.spelling.checkAsYouType = false;
    EXPECT_EQ(pixelsLike(paint(pres), isRed), 0);
}

TEST(KitReview, ACommentShowsItsMarkerAndAnOpenOneItsBox)
{
    Presentation pres = presentationOf({});
    const int none = pixelsLike(paint(pres), isNoteYellow);
    pres.slides[0].comments = {{u"王芳"_s, u"WF"_s, u"数据需要核实"_s, false}};
    const int marker = pixelsLike(paint(pres), isNoteYellow);
    EXPECT_GT(marker, none + 100);
    pres.slides[0].comments[0].open = true;
    EXPECT_GT(pixelsLike(paint(pres), isNoteYellow), marker + 1000);
    EXPECT_EQ(pixelsLike(paint(pres, SlidePaintMode::Show), isNoteYellow), none);
    pres.showMarkup = false;
    EXPECT_EQ(pixelsLike(paint(pres), isNoteYellow), none);
}

TEST(KitReview, TheShowsContextMenuGoesToASlideSetsThePenAndBlacksTheScreen)
{
    const QString goTo = u"context:show/定位至幻灯片(G)/3 第三张"_s;
    const QString pen = u"context:show/指针选项(O)/毡尖笔(F)"_s;
    const QString black = u"context:show/屏幕(C)/黑屏(B)"_s;
    const QString json = uR"j({"format": "pptdrill-movie", "version": 1, "presentation": {"taskpane": null,
        "slides": [{"title": "第一张", "background": "#FFFFFF"}, {"title": "第二张"},
                   {"title": "第三张", "background": "#00FF00"}]},
        "steps": [{"hint": "h", "accept": ["key:F5"]},
                  {"hint": "h", "accept": ["%1"], "set": {"show": {"slide": 3}}},
                  {"hint": "h", "accept": ["%2"], "set": {"show": {"pointer": "毡尖笔"}}},
                  {"hint": "h", "accept": ["%3"], "set": {"show": {"screen": "黑屏"}}}]})j"_s.arg(goTo, pen,
                                                                                                  black);
    auto movie = parseMovie(json.toUtf8());
    ASSERT_TRUE(movie.ok()) << movie.error().toStdString();
    KitView view(std::make_unique<MovieSession>(movie.value(), KitCatalog::instance()));
    view.setPace(0);
    view.show();
    const auto greenShare = [&view] {
        const QImage shot = view.grab().toImage();
        return static_cast<double>(pixelsLike(
                   shot, [](QColor c) { return c.green() > 200 && c.red() < 60 && c.blue() < 60; })) /
               (shot.width() * shot.height());
    };
    ASSERT_TRUE(view.performThroughUi(u"key:F5"_s));
    EXPECT_LT(greenShare(), 0.05);
    // Right-click, 定位至幻灯片, the third slide: the show is there.
    ASSERT_TRUE(view.performThroughUi(goTo));
    EXPECT_GT(greenShare(), 0.5);
    ASSERT_TRUE(view.performThroughUi(pen));
    EXPECT_EQ(view.session().presentation().show.pointer, u"毡尖笔"_s);
    ASSERT_TRUE(view.performThroughUi(black));
    EXPECT_LT(greenShare(), 0.01);
    EXPECT_TRUE(view.session().isComplete());
}
