// What a task's text and page results look like on the slide and in the window:
// bullets and numbering, spacing, hyperlinks, footers, page setup, zoom and the status bar.
#include "movie/session/moviesession.h"
#include "movie/widgets/window/kitstyle.h"
#include "movie/widgets/window/kitview.h"
#include "movie/widgets/slides/slidepainter.h"
#include "tests/movie/testkit.h"

#include <QImage>
#include <QPainter>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

const QSize kSize(720, 540); // one pixel a point
const QRectF kTarget(0, 0, 720, 540);

QImage render(const std::function<void(QPainter&)>& paint, QSize size = kSize)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paint(painter);
    painter.end();
    return image;
}

QImage renderSlide(const Slide& slide)
{
    return render(
        [&](QPainter& p) { paintSlide(p, kTarget, slide, u"默认设计模板"_s, SlidePaintMode::Show); });
}

QImage renderPresentation(const Presentation& pres, int n)
{
    return render([&](QPainter& p) { paintPresentationSlide(p, kTarget, pres, n, SlidePaintMode::Show); });
}

bool near(const QColor& a, const QColor& b, int tolerance = 40)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) <=
           tolerance;
}

int pixelsLike(const QImage& image, const QColor& colour, const QRect& area)
{
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (near(image.pixelColor(x, y), colour))
                ++count;
    return count;
}

// The bounding box of the dark (text) pixels inside `area`.
QRect inkBounds(const QImage& image, const QRect& area)
{
    QRect bounds;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (image.pixelColor(x, y).lightness() < 160)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

Slide bodySlide(const QStringList& body = {u"第一段"_s, u"第二段"_s, u"第三段"_s})
{
    Slide slide;
    slide.title = u"标题"_s;
    slide.body = body;
    return slide;
}

Presentation presentationOf(std::vector<Slide> slides)
{
    Presentation pres;
    pres.slides = std::move(slides);
    return pres;
}

// The strip left of the body text, where bullets and numbers stand.
QRect bulletStrip(const Slide& slide)
{
    const QRect body = bodyRect(kTarget, slide).toRect();
    return QRect(body.left(), body.top(), 44, body.height());
}

} // namespace

TEST(SlideResults, BulletsTakeTheirCharacterColourAndSize)
{
    Slide slide = bodySlide();
    const QImage plain = renderSlide(slide);
    EXPECT_EQ(pixelsLike(plain, Qt::red, bulletStrip(slide)), 0);

    slide.bullets.character = u"■"_s;
    slide.bullets.color = u"#FF0000"_s;
    const QImage full = renderSlide(slide);
    const int redAtFull = pixelsLike(full, Qt::red, bulletStrip(slide));
    EXPECT_GT(redAtFull, 100);
    // The text keeps its own colour: no red right of the bullets.
    const QRect body = bodyRect(kTarget, slide).toRect();
    EXPECT_EQ(pixelsLike(full, Qt::red, body.adjusted(60, 0, 0, 0)), 0);

    slide.bullets.size = 50;
    const int redAtHalf = pixelsLike(renderSlide(slide), Qt::red, bulletStrip(slide));
    EXPECT_LT(redAtHalf * 2, redAtFull);
    EXPECT_GT(redAtHalf, 10);

    slide.bullets.character = u"无"_s;
    EXPECT_EQ(pixelsLike(renderSlide(slide), Qt::red, bulletStrip(slide)), 0);
}

TEST(SlideResults, NumberingCountsFromItsStartInItsStyle)
{
    Slide slide = bodySlide({u"一"_s, u"二"_s, u"三"_s, u"四"_s});
    slide.bullets.numbering = u"1. 2. 3."_s;
    // The first paragraph's label from 3 is the third paragraph's from 1.
    auto labelOf = [&](int start, int paragraph) {
        slide.bullets.start = start;
        const QImage image = renderSlide(slide);
        const QRect strip = bulletStrip(slide);
        std::vector<QRect> labels;
        // Labels lie in bands of ink separated by blank rows.
        QRect band;
        for (int y = strip.top(); y <= strip.bottom(); ++y) {
            const QRect row = inkBounds(image, QRect(strip.left(), y, strip.width(), 1));
            if (row.isValid()) {
                band |= row;
            } else if (band.isValid()) {
                labels.push_back(band);
                band = {};
            }
        }
        EXPECT_GE(labels.size(), size_t(paragraph));
        return labels.size() >= size_t(paragraph) ? image.copy(labels[size_t(paragraph - 1)]) : QImage();
    };
    const QImage threeFirst = labelOf(3, 1);
    const QImage oneThird = labelOf(1, 3);
    const QImage oneFirst = labelOf(1, 1);
    EXPECT_EQ(threeFirst.size(), oneThird.size());
    EXPECT_NE(threeFirst.size(), oneFirst.size());

    EXPECT_EQ(numberLabel(u"a) b) c)"_s, 3), u"c)"_s);
    EXPECT_EQ(numberLabel(u"I. II. III."_s, 14), u"XIV."_s);
    EXPECT_EQ(numberLabel(u"一、二、三、"_s, 12), u"十二、"_s);
    EXPECT_EQ(numberLabel(u"a. b. c."_s, 28), u"bb."_s);
}

TEST(SlideResults, LineAndParagraphSpacingSpreadTheBody)
{
    Slide slide = bodySlide();
    const QRect body = bodyRect(kTarget, slide).toRect();
    const int single = inkBounds(renderSlide(slide), body).height();

    slide.spacing.line = 1.5;
    const int lines = inkBounds(renderSlide(slide), body).height();
    EXPECT_GT(lines, single * 5 / 4);

    slide.spacing = {};
    slide.spacing.line = 60;
    slide.spacing.linePoints = true;
    const int points = inkBounds(renderSlide(slide), body).height();
    EXPECT_GT(points, single * 5 / 4);

    slide.spacing = {};
    slide.spacing.after = 24;
    slide.spacing.afterPoints = true;
    // Two gaps of 24 points after the first and second paragraphs.
    EXPECT_NEAR(inkBounds(renderSlide(slide), body).height(), single + 48, 6);
}

TEST(SlideResults, HyperlinkedTextIsUnderlinedInTheSchemesColours)
{
    Slide slide = bodySlide();
    slide.title = u"报名咨询"_s;
    const QColor link(0x00, 0x99, 0x99), followed(0x99, 0xCC, 0x00);
    const QRect title = titleRect(kTarget, slide).toRect();
    EXPECT_EQ(pixelsLike(renderSlide(slide), link, title), 0);

    slide.titleLink = u"mailto:a@example.com"_s;
    const QImage linked = renderSlide(slide);
    EXPECT_GT(pixelsLike(linked, link, title), 200);
    // The underline: a row of the link's colour wider than any character.
    int longest = 0;
    for (int y = title.top(); y <= title.bottom(); ++y) {
        int run = 0;
        for (int x = title.left(); x <= title.right(); ++x) {
            run = near(linked.pixelColor(x, y), link) ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    EXPECT_GT(longest, 120);

    slide.linkVisited = true;
    const QImage visited = renderSlide(slide);
    EXPECT_EQ(pixelsLike(visited, link, title), 0);
    EXPECT_GT(pixelsLike(visited, followed, title), 200);
}

TEST(SlideResults, FootersStandInTheMastersBottomPlaceholders)
{
    Slide title;
    title.layout = u"标题幻灯片"_s;
    title.title = u"封面"_s;
    Presentation pres = presentationOf({title, bodySlide(), bodySlide()});
    const QRect band(0, 486, 720, 54);
    const QRect left(0, 486, 240, 54), centre(240, 486, 240, 54), right(480, 486, 240, 54);
    EXPECT_FALSE(inkBounds(renderPresentation(pres, 2), band).isValid());

    pres.footers.footer = u"培训计划"_s;
    const QImage footer = renderPresentation(pres, 2);
    EXPECT_TRUE(inkBounds(footer, centre).isValid());
    EXPECT_FALSE(inkBounds(footer, left).isValid());
    EXPECT_FALSE(inkBounds(footer, right).isValid());
    // So on a title slide, until 标题幻灯片中不显示 leaves it out.
    EXPECT_TRUE(inkBounds(renderPresentation(pres, 1), centre).isValid());
    pres.footers.notOnTitle = true;
    EXPECT_FALSE(inkBounds(renderPresentation(pres, 1), band).isValid());
    EXPECT_TRUE(inkBounds(renderPresentation(pres, 2), centre).isValid());

    // The date at the left (fixed, or today's), the number at the right.
    pres.footers = {};
    pres.footers.date = true;
    EXPECT_TRUE(inkBounds(renderPresentation(pres, 2), left).isValid());
    pres.footers.fixedDate = u"2026年5月20日"_s;
    const QRect fixedDate = inkBounds(renderPresentation(pres, 2), left);
    EXPECT_GT(fixedDate.width(), 60);
    pres.footers = {};
    pres.footers.number = true;
    const QRect two = inkBounds(renderPresentation(pres, 2), right);
    ASSERT_TRUE(two.isValid());
    // Numbered from 9 by 页面设置, slide 2 shows "10": twice as wide as "2".
    pres.page.firstNumber = 9;
    EXPECT_EQ(shownSlideNumber(pres, 2), 10);
    const QRect ten = inkBounds(renderPresentation(pres, 2), right);
    EXPECT_GT(ten.width(), two.width() * 3 / 2);
    EXPECT_NEAR(ten.right(), two.right(), 2);
}

TEST(SlideResults, APortraitPageIsTallAndFilledWithItsBackground)
{
    Presentation pres = presentationOf({bodySlide()});
    pres.page.width = 19.05;
    pres.page.height = 25.4;
    const QRect fitted = fitSlideIn(QRect(0, 0, 400, 300), pres);
    EXPECT_GT(fitted.height(), fitted.width());
    EXPECT_EQ(fitted.height(), 300);

    pres.slides[0].background = u"#00FF00"_s;
    const QImage image = render(
        [&](QPainter& p) {
            paintPresentationSlide(p, QRectF(0, 0, 300, 400), pres, 1, SlidePaintMode::Show);
        },
        QSize(300, 400));
    EXPECT_TRUE(near(image.pixelColor(5, 5), Qt::green));
    EXPECT_TRUE(near(image.pixelColor(295, 395), Qt::green));
    // The text keeps its proportions inside the narrower page.
    const QRect body = bodyRect(QRectF(0, 0, 300, 400), pres.slides[0]).toRect();
    EXPECT_LT(body.width(), 300);
    EXPECT_GT(inkBounds(image, body).height(), 0);
}

namespace {

std::unique_ptr<KitView> viewWithWindow(const QByteArray& presentationFields)
{
    const QByteArray json = R"({"format": "pptdrill-movie", "version": 1, "presentation": {"slides": [
        {"title": "A", "body": ["x"], "notes": "备注"}, {"title": "B", "body": ["y"]}])" +
                            presentationFields + R"(}, "steps": [{"hint": "h", "accept": ["thumb:2"]}]})";
    auto movie = parseMovie(json);
    EXPECT_TRUE(movie.ok()) << movie.error().toStdString();
    auto view = std::make_unique<KitView>(std::make_unique<MovieSession>(movie.value(), test::smallKit()));
    view->setPace(0);
    view->resize(kit::kWidth, kit::kHeight);
    return view;
}

} // namespace

TEST(SlideResults, TheWindowShowsPageSetupZoomAndStatusBar)
{
    auto plain = viewWithWindow("");
    const auto fit = plain->locate(u"area:slide"_s);
    ASSERT_TRUE(fit.has_value());
    EXPECT_GT(fit->width(), fit->height());

    auto portrait = viewWithWindow(R"(, "pageSetup": {"width": 19.05, "height": 25.4})");
    const auto tall = portrait->locate(u"area:slide"_s);
    ASSERT_TRUE(tall.has_value());
    EXPECT_GT(tall->height(), tall->width());
    // The slides tab's thumbnails are tall too: the cell's sides keep the pane's colour.
    const auto thumb = portrait->locate(u"thumb:1"_s);
    ASSERT_TRUE(thumb.has_value());
    const QImage shot = portrait->grab().toImage();
    const QColor beside = shot.pixelColor(thumb->left() + 3, thumb->center().y());
    const QColor inside = shot.pixelColor(thumb->center().x(), thumb->top() + 4);
    EXPECT_FALSE(near(beside, Qt::white, 10));
    EXPECT_TRUE(near(inside, Qt::white, 10));

    // At 100% the slide is larger than its pane, which it fills.
    auto zoomed = viewWithWindow(R"(, "window": {"zoom": 100})");
    const auto big = zoomed->locate(u"area:slide"_s);
    ASSERT_TRUE(big.has_value());
    EXPECT_GT(big->width(), fit->width());
    EXPECT_GT(big->height(), fit->height());

    // Without the status bar, its text goes and the panes and the drawing toolbar take its room.
    auto hidden = viewWithWindow(R"(, "window": {"statusBar": false})");
    const auto area = plain->locate(u"area:slide"_s), taller = hidden->locate(u"area:slide"_s);
    ASSERT_TRUE(area && taller);
    EXPECT_EQ(taller->bottom(), area->bottom() + kit::kHeight - kit::kStatusY);
    const QImage shown = plain->grab().toImage(), gone = hidden->grab().toImage();
    const QRect statusText(8, kit::kStatusY + 4, 200, kit::kHeight - kit::kStatusY - 8);
    EXPECT_NE(shown.copy(statusText), gone.copy(statusText));
}

TEST(SlideResults, RulersAndTheNotesPageShowWhatTheirOptionsSay)
{
    // The slide pane starts right of the slides tab, under the toolbars.
    const QRect top(kit::kLeftW + 14, kit::kMainY + 1, 300, 10);
    const QRect left(kit::kLeftW + 1, kit::kMainY + 40, 10, 200);
    auto ink = [](KitView& view, const QRect& area) {
        return inkBounds(view.grab().toImage(), area).isValid();
    };
    auto plain = viewWithWindow("");
    EXPECT_FALSE(ink(*plain, top));
    auto rulers = viewWithWindow(R"(, "window": {"rulers": true})");
    EXPECT_TRUE(ink(*rulers, top));
    EXPECT_TRUE(ink(*rulers, left));
    auto noVertical = viewWithWindow(R"(, "window": {"rulers": true, "verticalRuler": false})");
    EXPECT_TRUE(ink(*noVertical, top));
    EXPECT_FALSE(ink(*noVertical, left));

    // The notes page: its header above the slide, the notes at the notes master's size.
    auto notesOf = [](const QByteArray& fields) { return viewWithWindow(R"(, "view": "notes")" + fields); };
    auto bare = notesOf("");
    auto headed = notesOf(R"(, "notesFooters": {"header": "会议纪要"})");
    const auto slide = headed->locate(u"area:slide"_s);
    ASSERT_TRUE(slide.has_value());
    const QRect header(slide->left(), slide->top() - 18, slide->width() / 2, 16);
    EXPECT_FALSE(ink(*bare, header));
    EXPECT_TRUE(ink(*headed, header));
    const auto box = bare->locate(u"ph:notes"_s);
    ASSERT_TRUE(box.has_value());
    const QRect notes = box->adjusted(4, 4, -4, -4); // inside its dashed frame
    const int small = inkBounds(bare->grab().toImage(), notes).height();
    auto large = notesOf(R"(, "notesMaster": {"bodyFont": {"size": 24}})");
    EXPECT_GT(inkBounds(large->grab().toImage(), notes).height(), small * 3 / 2);
}
