// Runs at a scale factor of 2 (QT_SCALE_FACTOR=2, set by ctest): every window's
// pictures are drawn at the screen's pixels, never a logical-size picture scaled up.
#include "bar/widgets/baricon.h"
#include "bar/widgets/playerlauncher.h"
#include "movie/kit/kitcatalog.h"
#include "movie/document/movie.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/window/kitview.h"
#include "paper/widgets/handindialog.h"
#include "paper/widgets/unansweredhandindialog.h"
#include "shell/widgets/loginbackdrop.h"
#include "shell/widgets/logindialog.h"
#include "shell/widgets/mainmenu.h"
#include "tests/shell/shellfixture.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <array>
#include <optional>

using namespace pptdrill;
using namespace pptdrill::test;

namespace {

// Among the 2 × 2 blocks of device pixels that hold any detail (they differ from
// a neighbouring block or within), the share that differs within; none when the
// picture has no detail at all. A picture drawn at logical size and scaled up by
// two is made of uniform blocks: a share of 0.
std::optional<double> detailWithinBlocks(const QImage& image)
{
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    const auto block = [&](int x, int y) {
        return std::array<QRgb, 4>{img.pixel(x, y), img.pixel(x + 1, y), img.pixel(x, y + 1),
                                   img.pixel(x + 1, y + 1)};
    };
    int detailed = 0;
    int within = 0;
    for (int y = 0; y + 3 < img.height(); y += 2) {
        for (int x = 0; x + 3 < img.width(); x += 2) {
            const auto b = block(x, y);
            const bool differsWithin = b[0] != b[1] || b[0] != b[2] || b[0] != b[3];
            const bool differsAround = b != block(x + 2, y) || b != block(x, y + 2);
            if (differsWithin || differsAround)
                ++detailed;
            if (differsWithin)
                ++within;
        }
    }
    if (detailed == 0)
        return std::nullopt;
    return double(within) / detailed;
}

// The picture a widget would show if it were drawn at logical size and scaled up.
QImage scaledUp(const QImage& image)
{
    const QImage logical = image.scaled(image.size() / 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return logical.scaled(image.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// What the widget paints itself (its picture), without its child controls, as a
// screen at the application's pixel ratio shows it.
QImage ownPainting(QWidget* widget)
{
    const qreal ratio = qGuiApp->devicePixelRatio();
    QImage image(widget->size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    return image;
}

class HighDpi : public ShellTest
{
protected:
    // The window's own picture and every picture control in it are drawn at the
    // screen's pixels (not shown: some windows go to work as soon as they are).
    void expectSharp(QWidget* window, const char* what)
    {
        const QImage whole = window->grab().toImage();
        EXPECT_EQ(whole.size(), window->size() * 2) << what;
        std::vector<QWidget*> pictures{window};
        for (Image* image : window->findChildren<Image*>())
            pictures.push_back(image);
        int measured = 0;
        for (QWidget* picture : pictures) {
            const QImage shot = ownPainting(picture);
            const std::optional<double> detail = detailWithinBlocks(shot);
            if (!detail)
                continue;
            ++measured;
            EXPECT_GT(*detail, 0.1) << what << " (" << picture->objectName().toStdString()
                                    << "): drawn at logical size and scaled up";
            // The measure itself tells a scaled-up picture.
            EXPECT_EQ(detailWithinBlocks(scaledUp(shot)).value_or(0), 0.0) << what;
        }
        EXPECT_GT(measured, 0) << what << ": no picture";
    }
};

} // namespace

TEST_F(HighDpi, EveryWindowIsDrawnAtTheScreensPixels)
{
    ASSERT_EQ(qGuiApp->devicePixelRatio(), 2.0) << "run with QT_SCALE_FACTOR=2";
    MainMenu* menu = startMenu();
    expectSharp(menu, "the menu");
    expectSharp(trainer.loginDialog().get(), "the login");
    expectSharp(trainer.playerLauncher().get(), "the player loading window");
    expectSharp(trainer.barIcon().get(), "the bar icon");
    expectSharp(trainer.unansweredHandInDialog().get(), "the first hand-in confirmation");
    expectSharp(trainer.handInDialog().get(), "the second hand-in confirmation");
}

TEST(HighDpiPlayer, TheSimulatedWindowIsDrawnAtTheScreensPixels)
{
    QFile file(sourceFolder() + u"/bank/movies/01/1.movie"_s);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    auto movie = parseMovie(file.readAll());
    ASSERT_TRUE(movie.ok()) << movie.error().toStdString();
    KitView view(std::make_unique<MovieSession>(movie.value(), KitCatalog::instance()));
    view.resize(800, 600);
    const QImage shot = ownPainting(&view);
    EXPECT_EQ(shot.size(), QSize(1600, 1200));
    EXPECT_GT(detailWithinBlocks(shot).value_or(0), 0.1);
}
