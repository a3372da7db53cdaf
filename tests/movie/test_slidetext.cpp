// What the painted slide shows of text boxes (竖排, anchors, wrapping), 分散对齐,
// font effects and picture bullets.
#include "movie/widgets/slides/slidepainter.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

// Slides are painted at one pixel a point, on the default (white) design.
QImage paint(const Slide& slide)
{
    QImage image(720, 540, QImage::Format_RGB32);
    QPainter painter(&image);
    paintSlide(painter, QRectF(0, 0, 720, 540), slide, QString(), SlidePaintMode::Show);
    return image;
}

// The bounds of the pixels in `area` that are not near white.
QRect ink(const QImage& image, const QRect& area = QRect(0, 0, 720, 540))
{
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 200)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

Slide withTextBox(const SlideShape& box)
{
    Slide slide;
    slide.layout = u"空白"_s;
    slide.shapes.push_back(box);
    return slide;
}

SlideShape textBox(const QString& text, double x, double y, double w, double h)
{
    SlideShape box;
    box.type = u"textbox"_s;
    box.text = text;
    box.x = x, box.y = y, box.w = w, box.h = h;
    return box;
}

int countWhere(const QImage& image, const QRect& area, bool (*test)(QRgb))
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += test(image.pixel(x, y)) ? 1 : 0;
    return n;
}

} // namespace

TEST(SlideText, AVerticalTextBoxStacksItsCharactersAndItsAnchorPlacesThem)
{
    SlideShape box = textBox(u"诚信为本"_s, 300, 100, 120, 300);
    const QRect across = ink(paint(withTextBox(box)));
    box.vertical = true;
    const QRect down = ink(paint(withTextBox(box)));
    EXPECT_GT(across.width(), across.height());
    EXPECT_GT(down.height(), 2 * down.width());

    box = textBox(u"热线"_s, 100, 100, 500, 200);
    const QRect top = ink(paint(withTextBox(box)));
    box.anchor = u"中部居中"_s;
    const QRect centred = ink(paint(withTextBox(box)));
    EXPECT_LT(top.center().x(), 200);
    EXPECT_LT(top.center().y(), 150);
    EXPECT_NEAR(centred.center().x(), 350, 10);
    EXPECT_NEAR(centred.center().y(), 200, 10);
}

TEST(SlideText, UnwrappedTextStaysOnOneLineAndTheLeftInsetMovesIt)
{
    SlideShape box = textBox(u"服务热线：400-800-1234"_s, 60, 300, 120, 60);
    const QRect wrapped = ink(paint(withTextBox(box)));
    box.wordWrap = false;
    box.insetLeft = 1;
    const QRect unwrapped = ink(paint(withTextBox(box)));
    EXPECT_LT(unwrapped.height(), wrapped.height());
    EXPECT_GT(unwrapped.right(), 180); // runs past the box
    EXPECT_GT(unwrapped.left(), wrapped.left() + 15);
}

TEST(SlideText, DistributedTextSpreadsOverTheWholePlaceholder)
{
    Slide slide;
    slide.title = u"标题"_s;
    slide.body = QStringList{u"客户至上"_s};
    const QRect left = ink(paint(slide), QRect(0, 130, 720, 400));
    slide.bodyFont.align = u"distribute"_s;
    const QRect spread = ink(paint(slide), QRect(0, 130, 720, 400));
    EXPECT_GT(spread.width(), 2 * left.width());
}

TEST(SlideText, ShadowEmbossAndPictureBulletsShow)
{
    Slide slide;
    slide.title = u"校园文化艺术节"_s;
    slide.body = QStringList{u"书画比赛"_s};
    const QImage plain = paint(slide);
    const auto grey = [](QRgb c) {
        return std::abs(qRed(c) - 128) < 20 && std::abs(qGreen(c) - 128) < 20 &&
               std::abs(qBlue(c) - 128) < 20;
    };
    const auto green = [](QRgb c) { return qGreen(c) > qRed(c) + 50 && qGreen(c) > qBlue(c) + 40; };
    const QRect title(0, 0, 720, 130);
    const QRect body(0, 130, 720, 410);

    slide.titleFont.shadow = true;
    EXPECT_GT(countWhere(paint(slide), title, grey), countWhere(plain, title, grey) + 50);
    slide.titleFont.shadow.reset();
    slide.titleFont.emboss = true;
    // Raised text is lighter than the plain black.
    const auto dark = [](QRgb c) { return qGray(c) < 60; };
    EXPECT_LT(countWhere(paint(slide), title, dark), countWhere(plain, title, dark) / 2);

    slide.bullets.picture = 3; // the green diamond
    EXPECT_EQ(countWhere(plain, body, green), 0);
    EXPECT_GT(countWhere(paint(slide), body, green), 20);
}

TEST(SlideText, TheTextFoundShowsSelected)
{
    Slide slide;
    slide.title = u"预算管理"_s;
    slide.body = QStringList{u"年初编制经费预算"_s};
    const auto black = [](QRgb c) { return qGray(c) < 30; };
    const QRect title(0, 0, 720, 130);
    const QRect body(0, 130, 720, 410);
    const QImage plain = paint(slide);
    slide.foundText = u"预算"_s;
    const QImage found = paint(slide);
    // A black block behind the two characters in the title; the body's are left alone.
    EXPECT_GT(countWhere(found, title, black), countWhere(plain, title, black) + 500);
    EXPECT_EQ(countWhere(found, body, black), countWhere(plain, body, black));
}
