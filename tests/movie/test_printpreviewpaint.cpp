// The preview as painted: the page on grey in place of the panes, its
// contents, its colours (颜色, 灰度, 纯黑白) and 幻灯片加框.
#include "movie/kit/kitcatalog.h"
#include "movie/document/movie.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/window/kitview.h"

#include <QImage>
#include <QJsonObject>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

Presentation redSlides(const QJsonObject& preview)
{
    const QByteArray movie = R"({"format": "pptdrill-movie", "version": 1,
      "presentation": {"view": "preview", "taskpane": "开始工作", "slides": [
        {"layout": "标题幻灯片", "title": "季度报告", "background": "#E02020"},
        {"layout": "标题和文本", "title": "销售", "body": ["华东", "华南"], "background": "#E02020"},
        {"layout": "标题和文本", "title": "成本", "body": ["人工"], "background": "#E02020"},
        {"layout": "标题和文本", "title": "计划", "body": ["新品"], "background": "#E02020", "notes": "下季度目标"}]},
      "steps": [{"hint": "h", "accept": ["click:title"]}], "result": "r", "unseen": "u"})";
    auto read = parseMovie(movie);
    EXPECT_TRUE(read.ok()) << read.error().toStdString();
    Presentation p = read.value().presentation;
    EXPECT_TRUE(applyPresentationChanges(p, QJsonObject{{u"printPreview"_s, preview}}).ok());
    return p;
}

QImage pictureOf(const Presentation& presentation)
{
    Movie still;
    still.presentation = presentation;
    KitView view(std::make_unique<MovieSession>(still, KitCatalog::instance()));
    view.resize(800, 600);
    return view.grab().toImage();
}

// The middle of the window, where every page lies whatever its shape.
const QRect kPageMiddle(330, 220, 140, 200);

int pixelsWhere(const QImage& image, const QRect& region, const std::function<bool(QColor)>& test)
{
    int count = 0;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x)
            count += test(image.pixelColor(x, y)) ? 1 : 0;
    }
    return count;
}

bool coloured(QColor c)
{
    return std::abs(c.red() - c.green()) > 12 || std::abs(c.green() - c.blue()) > 12;
}

} // namespace

TEST(PrintPreviewPaint, ThePageStandsOnGreyWhereThePanesWere)
{
    const QImage preview = pictureOf(redSlides({}));
    // Left of the page (the slides tab's place) and right of it (the task pane's) are the preview's grey.
    EXPECT_EQ(preview.pixelColor(40, 400), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(preview.pixelColor(770, 400), QColor(0x80, 0x80, 0x80));
    EXPECT_GT(pixelsWhere(preview, kPageMiddle, coloured), kPageMiddle.width() * kPageMiddle.height() / 2);
}

TEST(PrintPreviewPaint, GreyscaleAndBlackAndWhiteLeaveNoColourOnThePage)
{
    const QImage grey = pictureOf(redSlides({{u"color"_s, u"灰度"_s}}));
    EXPECT_EQ(pixelsWhere(grey, kPageMiddle, coloured), 0);
    EXPECT_GT(pixelsWhere(grey, kPageMiddle, [](QColor c) { return c.red() > 30 && c.red() < 220; }), 0);

    const QImage blackAndWhite = pictureOf(redSlides({{u"color"_s, u"纯黑白"_s}}));
    EXPECT_EQ(pixelsWhere(blackAndWhite, kPageMiddle,
                          [](QColor c) { return c != QColor(Qt::black) && c != QColor(Qt::white); }),
              0);
}

TEST(PrintPreviewPaint, EachContentPaintsAPageOfItsOwn)
{
    std::vector<QImage> pages;
    for (const QString& what :
         {u"幻灯片"_s, u"讲义(每页 2 张幻灯片)"_s, u"讲义(每页 3 张幻灯片)"_s, u"讲义(每页 4 张幻灯片)"_s,
          u"讲义(每页 9 张幻灯片)"_s, u"备注页"_s, u"大纲视图"_s})
        pages.push_back(pictureOf(redSlides({{u"what"_s, what}})));
    for (size_t i = 0; i < pages.size(); ++i) {
        for (size_t j = i + 1; j < pages.size(); ++j)
            EXPECT_NE(pages[i], pages[j]) << i << " and " << j;
    }
    // The outline prints text alone: no slide's red on its page.
    EXPECT_EQ(pixelsWhere(pages.back(), kPageMiddle, coloured), 0);
}

TEST(PrintPreviewPaint, FramedSlidesAndSlidesFittedToThePaperShowOnThePage)
{
    const QJsonObject handouts{{u"what"_s, u"讲义(每页 4 张幻灯片)"_s}, {u"color"_s, u"灰度"_s}};
    QJsonObject framed = handouts;
    framed[u"frame"_s] = true;
    const auto black = [](QColor c) { return c.red() < 40; };
    const QRect page(200, 100, 400, 450);
    EXPECT_GT(pixelsWhere(pictureOf(redSlides(framed)), page, black),
              pixelsWhere(pictureOf(redSlides(handouts)), page, black));

    QJsonObject fitted = handouts;
    fitted[u"fit"_s] = true;
    const auto slideGrey = [](QColor c) { return c.red() > 40 && c.red() < 200; };
    EXPECT_GT(pixelsWhere(pictureOf(redSlides(fitted)), page, slideGrey),
              pixelsWhere(pictureOf(redSlides(handouts)), page, slideGrey));
}

TEST(PrintPreviewPaint, AHiddenSlidePrintsOnlyWhenHiddenSlidesAreAskedFor)
{
    Presentation hiddenFirst = redSlides({});
    hiddenFirst.slides[0].hidden = true;
    Presentation second = redSlides({});
    second.selected = 2;
    const QRect page(100, 160, 600, 380);
    EXPECT_EQ(pictureOf(hiddenFirst).copy(page), pictureOf(second).copy(page));

    Presentation hiddenPrinted = hiddenFirst;
    hiddenPrinted.printPreview.hidden = true;
    EXPECT_EQ(pictureOf(hiddenPrinted).copy(page), pictureOf(redSlides({})).copy(page));
    EXPECT_NE(pictureOf(hiddenPrinted).copy(page), pictureOf(second).copy(page));
}
