#include "common/widgets/fonts.h"
#include "movie/kit/kitcatalog.h"
#include "movie/widgets/slides/slidepainter.h"

#include <QImage>
#include <QPainter>
#include <QSet>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

const QStringList kLayouts = {
    u"标题幻灯片"_s,
    u"只有标题"_s,
    u"标题和文本"_s,
    u"标题和两栏文本"_s,
    u"标题和竖排文字"_s,
    u"垂直排列标题与文本"_s,
    u"空白"_s,
    u"内容"_s,
    u"标题和内容"_s,
    u"标题和两项内容"_s,
    u"标题，文本与内容"_s,
    u"标题，内容与文本"_s,
    u"标题和表格"_s,
    u"标题和图表"_s,
    u"标题，文本与剪贴画"_s,
    u"标题和图示或组织结构图"_s,
    u"标题，内容与两项内容"_s,
    u"标题和四项内容"_s,
    u"标题和文本在内容之上"_s,
    u"垂直排列标题且文本在图表之上"_s,
    u"某个不存在的版式"_s,
};

const QStringList kDesigns = {
    u"Blends.pot"_s,         u"Capsules.pot"_s, u"Ocean.pot"_s,        u"Network.pot"_s,
    u"Layers.pot"_s,         u"Maple.pot"_s,    u"Mountain Top.pot"_s, u"Pixel.pot"_s,
    u"Radial.pot"_s,         u"Stream.pot"_s,   u"Watermark.pot"_s,    u"Cliff.pot"_s,
    u"Digital Dots.pot"_s,   u"Echo.pot"_s,     u"Edge.pot"_s,         u"Fireworks.pot"_s,
    u"Glass Layers.pot"_s,   u"Globe.pot"_s,    u"Kimono.pot"_s,       u"Proposal.pot"_s,
    u"Satellite Dish.pot"_s, u"Textured.pot"_s,
};

const QStringList kShapeTypes = {u"rect"_s,   u"roundrect"_s, u"ellipse"_s,  u"arrow"_s,   u"star"_s,
                                 u"smiley"_s, u"textbox"_s,   u"picture"_s,  u"clipart"_s, u"wordart"_s,
                                 u"table"_s,  u"chart"_s,     u"orgchart"_s, u"sound"_s,   u"movie"_s,
                                 u"button"_s, u"whatever"_s};

// The toolbar keys every kit uses, whatever the kit files add.
const QStringList kToolbarIcons = {
    u"new"_s,
    u"open"_s,
    u"save"_s,
    u"permission"_s,
    u"email"_s,
    u"print"_s,
    u"print-preview"_s,
    u"spelling"_s,
    u"research"_s,
    u"cut"_s,
    u"copy"_s,
    u"paste"_s,
    u"format-painter"_s,
    u"undo"_s,
    u"redo"_s,
    u"chart"_s,
    u"table"_s,
    u"tables-borders"_s,
    u"hyperlink"_s,
    u"expand-all"_s,
    u"show-formatting"_s,
    u"grid"_s,
    u"color-grayscale"_s,
    u"help"_s,
    u"bold"_s,
    u"italic"_s,
    u"underline"_s,
    u"shadow"_s,
    u"align-left"_s,
    u"center"_s,
    u"align-right"_s,
    u"numbering"_s,
    u"bullets"_s,
    u"grow-font"_s,
    u"shrink-font"_s,
    u"demote"_s,
    u"promote"_s,
    u"font-color"_s,
    u"design"_s,
    u"new-slide"_s,
    u"draw"_s,
    u"select"_s,
    u"autoshapes"_s,
    u"line"_s,
    u"arrow"_s,
    u"rect"_s,
    u"ellipse"_s,
    u"textbox"_s,
    u"vertical-textbox"_s,
    u"wordart"_s,
    u"diagram"_s,
    u"clipart"_s,
    u"picture"_s,
    u"fill-color"_s,
    u"line-color"_s,
    u"line-style"_s,
    u"dash-style"_s,
    u"arrow-style"_s,
    u"shadow-style"_s,
    u"3d-style"_s,
    // Drawn by the window itself.
    u"powerpoint"_s,
    u"slide"_s,
    u"view-normal"_s,
    u"view-sorter"_s,
    u"view-show"_s,
    u"transition"_s,
    u"back"_s,
    u"link"_s,
};

// Every icon key of the kit: its "icons" list and its toolbar buttons.
QStringList kitIcons()
{
    const KitCatalog& kit = KitCatalog::instance();
    QStringList keys = kit.icons();
    for (const auto& [toolbar, buttons] : kit.toolbars())
        for (const KitButton& button : buttons)
            if (!button.icon.isEmpty())
                keys.push_back(button.icon);
    keys.removeDuplicates();
    return keys;
}

// The layouts of the kit's 幻灯片版式 gallery, without its group headings.
QStringList kitLayouts()
{
    QStringList layouts;
    const KitForm* pane = KitCatalog::instance().taskPane(u"幻灯片版式"_s);
    for (const KitControl& control : pane ? pane->controls : std::vector<KitControl>())
        if (control.type == KitControlType::Gallery)
            for (const QString& item : control.items)
                if (!item.endsWith(u"版式"_s))
                    layouts.push_back(item);
    return layouts;
}

const QColor kBackdrop(0x12, 0x34, 0x56);

QImage render(const QSize& size, const std::function<void(QPainter&)>& paint)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(kBackdrop);
    QPainter painter(&image);
    paint(painter);
    painter.end();
    return image;
}

int pixelsUnlike(const QImage& image, const QColor& colour, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) != colour)
                ++count;
    return count;
}

// How many colours an area holds, up to a limit: a blank area has one.
int coloursIn(const QImage& image, const QRect& area, int limit = 3)
{
    QSet<QRgb> colours;
    for (int y = area.top(); y <= area.bottom() && colours.size() < limit; ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
}

// The bounding box of pixels unlike `colour` inside `area`.
QRect inkBounds(const QImage& image, const QColor& colour, const QRect& area)
{
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) != colour)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

Slide slideWith(const QString& layout, const QString& title = {}, const QStringList& body = {})
{
    Slide slide;
    slide.layout = layout;
    slide.title = title;
    slide.body = body;
    return slide;
}

void expectNear(const QRectF& actual, const QRectF& expected)
{
    EXPECT_NEAR(actual.left(), expected.left(), 0.01);
    EXPECT_NEAR(actual.top(), expected.top(), 0.01);
    EXPECT_NEAR(actual.width(), expected.width(), 0.01);
    EXPECT_NEAR(actual.height(), expected.height(), 0.01);
}

} // namespace

// --- placeholder and shape geometry

TEST(SlideGeometry, PlaceholdersScaleWithTheTarget)
{
    const Slide slide = slideWith(u"标题和文本"_s);
    const QRectF full(0, 0, 720, 540);
    const QRectF half(100, 50, 360, 270);
    const QRectF title = titleRect(full, slide);
    const QRectF body = bodyRect(full, slide);
    ASSERT_FALSE(title.isEmpty());
    ASSERT_FALSE(body.isEmpty());
    expectNear(titleRect(half, slide),
               QRectF(100 + title.left() / 2, 50 + title.top() / 2, title.width() / 2, title.height() / 2));
    expectNear(bodyRect(half, slide),
               QRectF(100 + body.left() / 2, 50 + body.top() / 2, body.width() / 2, body.height() / 2));
    EXPECT_LT(title.bottom(), body.top());
}

TEST(SlideGeometry, EveryPlaceholderLiesOnTheSlide)
{
    const QRectF target(20, 30, 400, 300);
    for (const QString& layout : kLayouts) {
        const Slide slide = slideWith(layout);
        for (const QRectF& rect : {titleRect(target, slide), bodyRect(target, slide)})
            EXPECT_TRUE(rect.isEmpty() || target.contains(rect)) << layout.toStdString();
    }
}

TEST(SlideGeometry, LayoutsWithoutTitleOrBodyGiveEmptyRects)
{
    const QRectF target(0, 0, 720, 540);
    EXPECT_TRUE(titleRect(target, slideWith(u"空白"_s)).isEmpty());
    EXPECT_TRUE(bodyRect(target, slideWith(u"空白"_s)).isEmpty());
    EXPECT_TRUE(titleRect(target, slideWith(u"内容"_s)).isEmpty());
    EXPECT_FALSE(bodyRect(target, slideWith(u"内容"_s)).isEmpty());
    EXPECT_FALSE(titleRect(target, slideWith(u"只有标题"_s)).isEmpty());
    EXPECT_TRUE(bodyRect(target, slideWith(u"只有标题"_s)).isEmpty());
}

TEST(SlideGeometry, LayoutsPlaceTheirTitleAndBody)
{
    const QRectF target(0, 0, 720, 540);
    // Title slide: title about a third down, the subtitle (its body) below it.
    const Slide titleSlide = slideWith(u"标题幻灯片"_s);
    const QRectF centred = titleRect(target, titleSlide);
    EXPECT_GT(centred.center().y(), 540 * 0.3);
    EXPECT_LT(centred.center().y(), 540 * 0.55);
    EXPECT_NEAR(centred.center().x(), 360, 1);
    EXPECT_GT(bodyRect(target, titleSlide).top(), centred.bottom() - 1);

    // Vertical title: a tall title at the right of the body.
    const Slide vertical = slideWith(u"垂直排列标题与文本"_s);
    EXPECT_GT(titleRect(target, vertical).height(), titleRect(target, vertical).width());
    EXPECT_GE(titleRect(target, vertical).left(), bodyRect(target, vertical).right());

    // Two columns: the body is the left one.
    const QRectF left = bodyRect(target, slideWith(u"标题和两栏文本"_s));
    EXPECT_LT(left.right(), 360);

    // Text beside content: the body is the text placeholder at the left.
    EXPECT_LT(bodyRect(target, slideWith(u"标题，文本与内容"_s)).right(), 360);
    EXPECT_GT(bodyRect(target, slideWith(u"标题，内容与文本"_s)).left(), 360);

    // A name the task pane does not have is shown as 标题和文本.
    const Slide text = slideWith(u"标题和文本"_s);
    const Slide unknown = slideWith(u"某个不存在的版式"_s);
    EXPECT_EQ(titleRect(target, unknown), titleRect(target, text));
    EXPECT_EQ(bodyRect(target, unknown), bodyRect(target, text));
}

TEST(SlideGeometry, ShapeRectsScaleAndStayOnTheSlide)
{
    Slide slide = slideWith(u"空白"_s);
    slide.shapes.push_back({u"rect"_s, 72, 54, 144, 108, {}, {}, {}});
    slide.shapes.push_back({u"ellipse"_s, 600, 500, 300, 100, {}, {}, {}});
    slide.shapes.push_back({u"rect"_s, 200, 200, -100, -50, {}, {}, {}});
    const QRectF target(10, 20, 360, 270);
    expectNear(shapeRect(target, slide, 0), QRectF(10 + 36, 20 + 27, 72, 54));
    expectNear(shapeRect(target, slide, 1), QRectF(10 + 300, 20 + 250, 60, 20));
    expectNear(shapeRect(target, slide, 2), QRectF(10 + 50, 20 + 75, 50, 25));
    EXPECT_TRUE(shapeRect(target, slide, -1).isEmpty());
    EXPECT_TRUE(shapeRect(target, slide, 3).isEmpty());
}

// --- slides

TEST(SlidePainting, EveryLayoutPaintsInsideItsTargetInEveryMode)
{
    const QSize canvas(440, 340);
    const QRectF target(40, 35, 360, 270);
    const QRect outside(0, 0, canvas.width(), 30);
    QStringList layouts = kLayouts + kitLayouts();
    layouts.removeDuplicates();
    for (const QString& layout : layouts) {
        for (const bool filled : {false, true}) {
            Slide slide = filled
                              ? slideWith(layout, u"年度工作总结"_s,
                                          {u"市场拓展"_s, u"\t华东地区 Sales up 25%"_s, u""_s, u"产品研发"_s})
                              : slideWith(layout);
            if (filled)
                slide.subtitle = u"2026年12月"_s;
            for (const SlidePaintMode mode :
                 {SlidePaintMode::Editing, SlidePaintMode::Thumbnail, SlidePaintMode::Show}) {
                const QImage image =
                    render(canvas, [&](QPainter& p) { paintSlide(p, target, slide, u"Ocean.pot"_s, mode); });
                EXPECT_GT(coloursIn(image, target.toRect()), 2) << layout.toStdString();
                EXPECT_EQ(pixelsUnlike(image, kBackdrop, outside), 0) << layout.toStdString();
                EXPECT_EQ(pixelsUnlike(image, kBackdrop, QRect(0, 306, canvas.width(), 34)), 0)
                    << layout.toStdString();
            }
        }
    }
}

TEST(SlidePainting, PromptsAndFramesShowOnlyWhileEditing)
{
    const QRectF target(0, 0, 360, 270);
    for (const QString& layout : {u"标题幻灯片"_s, u"标题和文本"_s, u"标题和内容"_s, u"标题和表格"_s}) {
        const Slide empty = slideWith(layout);
        const QImage editing = render(target.size().toSize(), [&](QPainter& p) {
            paintSlide(p, target, empty, {}, SlidePaintMode::Editing);
        });
        const QImage show = render(target.size().toSize(), [&](QPainter& p) {
            paintSlide(p, target, empty, {}, SlidePaintMode::Show);
        });
        const QImage thumbnail = render(target.size().toSize(), [&](QPainter& p) {
            paintSlide(p, target, empty, {}, SlidePaintMode::Thumbnail);
        });
        // The default design is plain white, so an empty slide shows nothing else.
        EXPECT_EQ(pixelsUnlike(show, Qt::white, show.rect()), 0) << layout.toStdString();
        EXPECT_EQ(pixelsUnlike(thumbnail, Qt::white, thumbnail.rect()), 0) << layout.toStdString();
        EXPECT_GT(pixelsUnlike(editing, Qt::white, titleRect(target, empty).toRect()), 50)
            << layout.toStdString();
        EXPECT_GT(pixelsUnlike(editing, Qt::white, bodyRect(target, empty).toRect()), 50)
            << layout.toStdString();
    }
}

// The placeholder with the caret keeps its frame but not its prompt, as PowerPoint's does while it is
// typed into; the others keep theirs.
TEST(SlidePainting, ThePlaceholderTypedIntoShowsNoPrompt)
{
    const QRectF target(0, 0, 360, 270);
    for (const auto& [layout, typed] :
         {std::pair{u"标题和文本"_s, u"body"_s}, std::pair{u"标题幻灯片"_s, u"subtitle"_s},
          std::pair{u"标题和文本"_s, u"title"_s}}) {
        const Slide empty = slideWith(layout);
        const auto paint = [&](const QString& typedInto) {
            return render(target.size().toSize(), [&](QPainter& p) {
                paintSlide(p, target, empty, {}, SlidePaintMode::Editing, typedInto);
            });
        };
        const QImage prompting = paint({});
        const QImage typing = paint(typed);
        const QRect typedBox =
            (typed == u"title"_s ? titleRect(target, empty) : bodyRect(target, empty)).toRect();
        const QRect otherBox =
            (typed == u"title"_s ? bodyRect(target, empty) : titleRect(target, empty)).toRect();
        // Inside the frame's lines: the prompt's letters, or nothing.
        const QRect inside = typedBox.adjusted(4, 4, -4, -4);
        EXPECT_GT(pixelsUnlike(prompting, Qt::white, inside), 50) << layout.toStdString();
        EXPECT_EQ(pixelsUnlike(typing, Qt::white, inside), 0) << layout.toStdString();
        EXPECT_GT(pixelsUnlike(typing, Qt::white, typedBox), 0) << "the frame stays";
        EXPECT_EQ(pixelsUnlike(typing, Qt::white, otherBox), pixelsUnlike(prompting, Qt::white, otherBox));
    }
}

TEST(SlidePainting, LongTextStaysInsideItsPlaceholder)
{
    QStringList body;
    for (int i = 0; i < 40; ++i)
        body.push_back(
            u"第%1条：一段很长很长的文字，用来检查正文会在占位符里自动换行并缩小字号而不会溢出"_s.arg(i));
    Slide slide =
        slideWith(u"标题和文本"_s, u"一个非常非常长的标题，长到一行放不下，还要再长一些才行"_s, body);
    const QRectF target(0, 0, 720, 540);
    const QImage image =
        render(QSize(720, 540), [&](QPainter& p) { paintSlide(p, target, slide, {}, SlidePaintMode::Show); });
    const QRect below(0, int(bodyRect(target, slide).bottom()) + 4, 720,
                      540 - int(bodyRect(target, slide).bottom()) - 4);
    EXPECT_EQ(pixelsUnlike(image, Qt::white, below), 0);
    const QRect between(0, int(titleRect(target, slide).bottom()) + 3, 720,
                        int(bodyRect(target, slide).top()) - int(titleRect(target, slide).bottom()) - 6);
    EXPECT_EQ(pixelsUnlike(image, Qt::white, between), 0);
    EXPECT_GT(pixelsUnlike(image, Qt::white, bodyRect(target, slide).toRect()), 1000);
}

TEST(SlidePainting, TextAsLargeAsAMovieAllowsIsStillPainted)
{
    // About a mebibyte of text, the most a movie may hold, in every kind of placeholder.
    const QString line = QString(200, u'字');
    const QStringList body(5000, line);
    for (const QString& layout : {u"标题和文本"_s, u"标题和竖排文字"_s, u"标题幻灯片"_s}) {
        Slide slide = slideWith(layout, QString(20000, u'题'), body);
        slide.shapes.push_back({u"textbox"_s, 0, 0, 300, 40, QString(20000, u'框'), {}, {}});
        const QRectF target(0, 0, 360, 270);
        const QImage image = render(
            QSize(360, 270), [&](QPainter& p) { paintSlide(p, target, slide, {}, SlidePaintMode::Editing); });
        EXPECT_GT(pixelsUnlike(image, Qt::white, bodyRect(target, slide).toRect()), 1000)
            << layout.toStdString();
    }
}

TEST(SlidePainting, VerticalTextRunsDownAndHorizontalTextAcross)
{
    const QRectF target(0, 0, 720, 540);
    const QStringList body = {u"竖排文字测试"_s};
    const Slide vertical = slideWith(u"标题和竖排文字"_s, {}, body);
    const Slide horizontal = slideWith(u"标题和文本"_s, {}, body);
    const auto bounds = [&](const Slide& slide) {
        const QImage image = render(
            QSize(720, 540), [&](QPainter& p) { paintSlide(p, target, slide, {}, SlidePaintMode::Show); });
        return inkBounds(image, Qt::white, bodyRect(target, slide).toRect());
    };
    const QRect down = bounds(vertical);
    const QRect across = bounds(horizontal);
    EXPECT_GT(down.height(), down.width() * 3);
    EXPECT_GT(across.width(), across.height() * 3);
    // Vertical columns start at the right of the placeholder.
    EXPECT_GT(down.left(), bodyRect(target, vertical).center().x());
}

TEST(SlidePainting, FontsAndBackgroundsOfTheSlideAreHonoured)
{
    const QRectF target(0, 0, 360, 270);
    Slide slide = slideWith(u"标题和文本"_s, u"红色标题"_s);
    slide.titleFont.color = u"#FF0000"_s;
    slide.titleFont.size = 60;
    slide.background = u"#00FF00"_s;
    const QImage image = render(QSize(360, 270), [&](QPainter& p) {
        paintSlide(p, target, slide, u"Ocean.pot"_s, SlidePaintMode::Show);
    });
    EXPECT_EQ(image.pixelColor(180, 200), QColor(0, 255, 0));
    int red = 0;
    const QRect title = titleRect(target, slide).toRect();
    for (int y = title.top(); y <= title.bottom(); ++y)
        for (int x = title.left(); x <= title.right(); ++x)
            if (image.pixelColor(x, y) == QColor(255, 0, 0))
                ++red;
    EXPECT_GT(red, 30);

    // A background that is no colour leaves the design's.
    slide.background = u"not a colour"_s;
    const QImage design = render(QSize(360, 270), [&](QPainter& p) {
        paintSlide(p, target, slide, u"Ocean.pot"_s, SlidePaintMode::Show);
    });
    EXPECT_NE(design.pixelColor(180, 200), QColor(0, 255, 0));
}

TEST(SlidePainting, ChineseFacesThatAreNotInstalledShowInOneOfTheirKind)
{
    EXPECT_EQ(slideFamily(u"黑体"_s), heiFamily());
    EXPECT_EQ(slideFamily(u"隶书"_s), kaiFamily());
    EXPECT_EQ(slideFamily(u"楷体_GB2312"_s), kaiFamily());
    EXPECT_EQ(slideFamily(u"方正姚体"_s), kaiFamily());
    EXPECT_EQ(slideFamily(u"仿宋_GB2312"_s), songFamily());
    EXPECT_EQ(slideFamily(QString()), songFamily());
    if (kaiFamily() == songFamily())
        GTEST_SKIP() << "no brush-script face installed (fonts-arphic-ukai)";
    // A title changed to 隶书 looks different from the template's 宋体.
    const QRectF target(0, 0, 360, 270);
    Slide slide = slideWith(u"标题和文本"_s, u"安全生产知识"_s);
    const auto picture = [&] {
        return render(QSize(360, 270), [&](QPainter& p) {
            paintSlide(p, target, slide, u"默认设计模板"_s, SlidePaintMode::Show);
        });
    };
    const QImage song = picture();
    slide.titleFont.family = u"隶书"_s;
    EXPECT_NE(picture(), song);
}

TEST(SlidePainting, DesignsLookDistinctAndNamesPickThemReliably)
{
    const QRectF target(0, 0, 160, 120);
    const Slide slide = slideWith(u"标题和文本"_s, u"标题"_s, {u"文本"_s});
    const auto paint = [&](const QString& design) {
        return render(QSize(160, 120),
                      [&](QPainter& p) { paintSlide(p, target, slide, design, SlidePaintMode::Show); });
    };
    const QImage plain = paint(u"默认设计模板"_s);
    EXPECT_EQ(plain.pixelColor(1, 1), QColor(Qt::white));
    EXPECT_EQ(plain.pixelColor(158, 118), QColor(Qt::white));
    std::vector<QImage> seen = {plain};
    for (const QString& design : kDesigns) {
        const QImage image = paint(design);
        EXPECT_EQ(std::count(seen.begin(), seen.end(), image), 0) << design.toStdString();
        seen.push_back(image);
        QString bare = design;
        bare.chop(4);
        EXPECT_EQ(paint(bare), image) << design.toStdString();
    }
    // Other names get a scheme of their own, the same every time.
    EXPECT_EQ(paint(u"Quadrant.pot"_s), paint(u"Quadrant.pot"_s));
    EXPECT_NE(paint(u"Quadrant.pot"_s), plain);
    EXPECT_NE(paint(u"Quadrant.pot"_s), paint(u"Balance.pot"_s));
}

TEST(SlidePainting, EveryShapeTypePaintsInsideItsRect)
{
    for (const QString& type : kShapeTypes) {
        Slide slide = slideWith(u"空白"_s);
        slide.shapes.push_back({type, 200, 150, 240, 180, u"文字"_s, {}, {}});
        const QRectF target(0, 0, 720, 540);
        const QImage image = render(
            QSize(720, 540), [&](QPainter& p) { paintSlide(p, target, slide, {}, SlidePaintMode::Show); });
        const QRect inside = shapeRect(target, slide, 0).toRect();
        EXPECT_GT(pixelsUnlike(image, Qt::white, inside), 100) << type.toStdString();
        const QRect around = inside.adjusted(-16, -16, 16, 16);
        EXPECT_EQ(pixelsUnlike(image, Qt::white, QRect(0, 0, 720, around.top())), 0) << type.toStdString();
        EXPECT_EQ(pixelsUnlike(image, Qt::white, QRect(0, around.bottom(), 720, 540 - around.bottom())), 0)
            << type.toStdString();
    }
}

TEST(SlidePainting, ShapesTakeTheirOwnColoursAndTableSizes)
{
    Slide slide = slideWith(u"空白"_s);
    slide.shapes.push_back({u"rect"_s, 100, 100, 200, 100, {}, u"#FF00FF"_s, {}});
    const QRectF target(0, 0, 720, 540);
    const QImage image =
        render(QSize(720, 540), [&](QPainter& p) { paintSlide(p, target, slide, {}, SlidePaintMode::Show); });
    EXPECT_EQ(image.pixelColor(200, 150), QColor(255, 0, 255));

    // "5x4": five rows of four columns, under a header row.
    slide.shapes = {{u"table"_s, 100, 100, 400, 250, u"5x4"_s, u"#FFFFFF"_s, u"#000000"_s}};
    const QImage table =
        render(QSize(720, 540), [&](QPainter& p) { paintSlide(p, target, slide, {}, SlidePaintMode::Show); });
    const auto darkRuns = [&](QPoint from, QPoint step, int count) {
        int runs = 0;
        bool inRun = false;
        for (int i = 0; i < count; ++i, from += step) {
            const bool dark = table.pixelColor(from).lightness() < 128;
            if (dark && !inRun)
                ++runs;
            inRun = dark;
        }
        return runs;
    };
    EXPECT_EQ(darkRuns(QPoint(95, 300), QPoint(1, 0), 410), 5); // the edges and three lines between columns
    // Below the header row (rows are 50 points): three lines between rows and the bottom edge.
    EXPECT_EQ(darkRuns(QPoint(300, 155), QPoint(0, 1), 200), 4);
}

TEST(SlidePainting, LeavesThePainterAsItFoundIt)
{
    QImage image(200, 150, QImage::Format_ARGB32);
    QPainter painter(&image);
    painter.translate(3, 4);
    painter.setPen(QPen(Qt::red, 3));
    painter.setBrush(Qt::blue);
    const QTransform transform = painter.transform();
    Slide slide = slideWith(u"标题和文本"_s, u"标题"_s, {u"文本"_s});
    slide.shapes.push_back({u"chart"_s, 10, 10, 300, 200, {}, {}, {}});
    paintSlide(painter, QRectF(0, 0, 160, 120), slide, u"Ocean.pot"_s, SlidePaintMode::Editing);
    paintIcon(painter, QRect(0, 0, 16, 16), u"save"_s);
    paintLayoutIcon(painter, QRect(0, 0, 60, 50), u"标题和内容"_s);
    paintDesignThumbnail(painter, QRect(0, 0, 90, 70), u"Maple.pot"_s);
    EXPECT_EQ(painter.transform(), transform);
    EXPECT_FALSE(painter.hasClipping());
    EXPECT_EQ(painter.pen().color(), QColor(Qt::red));
    EXPECT_EQ(painter.brush().color(), QColor(Qt::blue));
}

TEST(SlidePainting, EmptyTargetsPaintNothing)
{
    const Slide slide = slideWith(u"标题和文本"_s, u"标题"_s, {u"文本"_s});
    const QImage image = render(QSize(50, 50), [&](QPainter& p) {
        paintSlide(p, QRectF(10, 10, 0, 0), slide, {}, SlidePaintMode::Editing);
        paintSlide(p, QRectF(10, 10, -20, 30), slide, {}, SlidePaintMode::Editing);
        paintIcon(p, QRect(), u"save"_s);
        paintLayoutIcon(p, QRect(5, 5, 2, 2), u"标题和文本"_s);
        paintDesignThumbnail(p, QRect(5, 5, 0, 10), u"Ocean.pot"_s);
    });
    EXPECT_EQ(pixelsUnlike(image, kBackdrop, image.rect()), 0);
}

// --- icons and gallery pictures

TEST(KitPictures, EveryIconKeyHasItsOwnPicture)
{
    QStringList keys = kToolbarIcons + kitIcons();
    keys.removeDuplicates();
    const QSize size(40, 40);
    const QRect rect(10, 10, 20, 20);
    const QImage generic = render(size, [&](QPainter& p) { paintIcon(p, rect, u"no-such-icon"_s); });
    EXPECT_GT(pixelsUnlike(generic, kBackdrop, rect), 40);
    for (const QString& key : keys) {
        const QImage image = render(size, [&](QPainter& p) { paintIcon(p, rect, key); });
        EXPECT_GT(pixelsUnlike(image, kBackdrop, rect), 20) << key.toStdString();
        EXPECT_EQ(pixelsUnlike(image, kBackdrop, image.rect()),
                  pixelsUnlike(image, kBackdrop, rect.adjusted(-1, -1, 1, 1)))
            << key.toStdString();
        EXPECT_TRUE(image != generic) << key.toStdString() << " has no picture of its own";
    }
}

TEST(KitPictures, EveryButtonOfTheKitLooksDifferent)
{
    QStringList keys = kitIcons();
    if (keys.isEmpty())
        keys = kToolbarIcons;
    std::vector<QImage> pictures;
    for (const QString& key : keys) {
        const QImage image =
            render(QSize(16, 16), [&](QPainter& p) { paintIcon(p, QRect(0, 0, 16, 16), key); });
        EXPECT_EQ(std::count(pictures.begin(), pictures.end(), image), 0) << key.toStdString();
        pictures.push_back(image);
    }
}

TEST(KitPictures, LayoutThumbnailsShowTheirPlaceholders)
{
    const QRect rect(4, 4, 64, 50);
    const auto paint = [&](const QString& layout) {
        return render(QSize(72, 58), [&](QPainter& p) { paintLayoutIcon(p, rect, layout); });
    };
    const QImage blank = paint(u"空白"_s);
    for (const QString& layout : kLayouts) {
        const QImage image = paint(layout);
        EXPECT_EQ(pixelsUnlike(image, kBackdrop, image.rect()), pixelsUnlike(image, kBackdrop, rect))
            << layout.toStdString();
        EXPECT_GT(pixelsUnlike(image, kBackdrop, rect), 800) << layout.toStdString();
        if (layout != u"空白"_s) {
            EXPECT_NE(image, blank) << layout.toStdString();
        }
    }
    // Every layout of the gallery has a picture of its own: none is read as another.
    QStringList gallery = kitLayouts() + kLayouts;
    gallery.removeDuplicates();
    gallery.removeAll(u"某个不存在的版式"_s);
    std::vector<QImage> pictures;
    for (const QString& layout : gallery) {
        const QImage image = paint(layout);
        EXPECT_EQ(std::count(pictures.begin(), pictures.end(), image), 0) << layout.toStdString();
        pictures.push_back(image);
    }
}

TEST(KitPictures, DesignThumbnailsShowTheirDesign)
{
    const QRect rect(2, 2, 96, 74);
    const auto paint = [&](const QString& design) {
        return render(QSize(100, 78), [&](QPainter& p) { paintDesignThumbnail(p, rect, design); });
    };
    const QImage plain = paint(u"默认设计模板"_s);
    EXPECT_EQ(pixelsUnlike(plain, kBackdrop, plain.rect()), pixelsUnlike(plain, kBackdrop, rect));
    for (const QString& design : kDesigns)
        EXPECT_NE(paint(design), plain) << design.toStdString();
}

TEST(SlidePainting, ATablesBorderColourLeavesItsTextAsItWas)
{
    // A table on the plain design, its borders blue (所有框线 in 蓝色) and no fill: the text stays dark.
    Slide slide;
    slide.layout = u"空白"_s;
    SlideShape table;
    table.type = u"table"_s;
    table.x = 60, table.y = 60, table.w = 600, table.h = 420;
    table.text = u"区域|华东\n销售|华南"_s;
    table.line = u"蓝色"_s;
    table.borderWidth = 3;
    slide.shapes.push_back(table);
    const QImage image =
        render(QSize(720, 540), [&](QPainter& p) { paintSlide(p, QRectF(0, 0, 720, 540), slide, {}, {}); });
    int blueText = 0;
    int darkText = 0;
    // Inside each cell, well away from the borders.
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 2; ++column) {
            const QRect cell(60 + column * 300 + 12, 60 + row * 210 + 12, 300 - 24, 210 - 24);
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                for (int x = cell.left(); x <= cell.right(); ++x) {
                    const QColor c = image.pixelColor(x, y);
                    blueText += c.blue() > 150 && c.red() < 100 && c.green() < 100 ? 1 : 0;
                    darkText += c.red() < 100 && c.green() < 100 && c.blue() < 100 ? 1 : 0;
                }
        }
    EXPECT_GT(darkText, 50);
    EXPECT_EQ(blueText, 0);
}
