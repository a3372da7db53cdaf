// The pictures the build paints ahead are what the code paints now, and the
// icons drawn from them land where the painted ones would.
#include "common/widgets/prerendered.h"
#include "movie/widgets/slides/slidepaintsupport.h"
#include "shell/widgets/artwork.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

QImage premultiplied(const QImage& image)
{
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

int largestDifference(const QImage& a, const QImage& b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    }
    return largest;
}

// A toolbar's worth of icons on a light ground, at whole pixels as the window draws them.
QImage toolbarOf(const QStringList& keys)
{
    QImage bar(22 * int(keys.size()) + 3, 22, QImage::Format_ARGB32_Premultiplied);
    bar.fill(QColor(0xEC, 0xE9, 0xD8));
    QPainter p(&bar);
    for (int i = 0; i < keys.size(); ++i)
        paintIconIn(p, QRectF(3 + 22 * i, 3, 16, 16), keys[i]);
    return bar;
}

TEST(PrerenderedPictures, AreWhatTheCodePaintsNow)
{
    setPrerenderedPicturesUsed(false);
    const QStringList keys = iconKeys();
    const std::optional<QImage> atlas = prerenderedPicture(u"icons16.pic"_s);
    ASSERT_TRUE(atlas.has_value()) << "the test is linked with the build's icons";
    EXPECT_EQ(prerenderedText(u"icons16.keys"_s), keys.join(u'\n').toUtf8());
    EXPECT_TRUE(premultiplied(*atlas) == premultiplied(paintIconColumn(keys)));

    for (const bool exitButton : {true, false}) {
        const std::optional<QImage> menu =
            prerenderedPicture(exitButton ? u"menu-exit.pic"_s : u"menu-noexit.pic"_s);
        ASSERT_TRUE(menu.has_value());
        EXPECT_TRUE(premultiplied(*menu) == premultiplied(menuArtwork(exitButton)));
    }
    setPrerenderedPicturesUsed(true);
}

TEST(PrerenderedPictures, IconsFromTheAtlasLandWhereThePaintedOnesWould)
{
    const QStringList keys{u"bold"_s,  u"italic"_s, u"new"_s,        u"open"_s,   u"save"_s,
                           u"print"_s, u"undo"_s,   u"powerpoint"_s, u"center"_s, u"font-color"_s};
    setPrerenderedPicturesUsed(false);
    const QImage painted = toolbarOf(keys);
    setPrerenderedPicturesUsed(true);
    const QImage fromAtlas = toolbarOf(keys);
    // Painted on a transparent ground first, an edge pixel may round a step apart.
    EXPECT_LE(largestDifference(painted, fromAtlas), 3);
    EXPECT_FALSE(painted == toolbarOf(QStringList(keys.size(), u"slide"_s)));

    // Half a pixel off, the icon is painted, not copied.
    const auto halfPixelOff = [] {
        QImage picture(40, 40, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::white);
        QPainter p(&picture);
        p.translate(0.5, 0.5);
        paintIconIn(p, QRectF(4, 4, 16, 16), u"bold"_s);
        return picture;
    };
    const QImage shifted = halfPixelOff();
    setPrerenderedPicturesUsed(false);
    const QImage shiftedPainted = halfPixelOff();
    setPrerenderedPicturesUsed(true);
    EXPECT_TRUE(shifted == shiftedPainted);
}

} // namespace
