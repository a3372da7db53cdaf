// Painting one slide: every slide of every bank movie, as the movie leaves
// it, painted full size (the slide show's 800 × 600) several times. Prints the
// median time of the slowest slides, so that the richest content of the bank
// is the figure, and the slowest first paints; asserts nothing.
//   bench_slidepaint [--runs N] MOVIE...
#include "median.h"
#include "movie/kit/kitcatalog.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/slides/slidepainter.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace pptdrill;

namespace {

struct SlideTiming
{
    QString where;
    double medianMs = 0;
    double firstMs = 0; // the first paint, before anything the painter keeps
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    int runs = 9;
    std::vector<QString> paths;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg = argv[i];
        if (arg == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else
            paths.push_back(QString::fromLocal8Bit(argv[i]));
    }
    if (paths.empty()) {
        std::fprintf(stderr, "usage: bench_slidepaint [--runs N] MOVIE...\n");
        return 2;
    }
    QImage canvas(800, 600, QImage::Format_RGB32);
    std::vector<SlideTiming> timings;
    std::vector<double> all;
    for (const QString& path : paths) {
        auto movie = loadMovieFile(path);
        if (!movie) {
            std::fprintf(stderr, "%s\n", qPrintable(movie.error()));
            continue;
        }
        MovieSession session(movie.value(), KitCatalog::instance());
        for (int guard = 0; guard < 500 && !session.isComplete(); ++guard)
            session.perform(session.nextAction());
        const Presentation& end = session.presentation();
        for (size_t i = 0; i < end.slides.size(); ++i) {
            std::vector<double> times;
            for (int run = 0; run < runs; ++run) {
                QPainter p(&canvas);
                QElapsedTimer timer;
                timer.start();
                paintSlide(p, QRectF(0, 0, 800, 600), end.slides[i], end.design, SlidePaintMode::Show);
                p.end();
                times.push_back(timer.nsecsElapsed() / 1e6);
            }
            const double m = median(times);
            all.push_back(m);
            timings.push_back(
                {QStringLiteral("%1 slide %2").arg(path.section(u'/', -2)).arg(i + 1), m, times.front()});
        }
    }
    std::sort(timings.begin(), timings.end(),
              [](const SlideTiming& a, const SlideTiming& b) { return a.medianMs > b.medianMs; });
    std::printf("slides painted: %zu, %d runs each; median of all slides %.2f ms\n", timings.size(), runs,
                median(all));
    for (size_t i = 0; i < std::min<size_t>(5, timings.size()); ++i)
        std::printf("  slowest %zu: %s  %.2f ms\n", i + 1, qPrintable(timings[i].where), timings[i].medianMs);
    std::sort(timings.begin(), timings.end(),
              [](const SlideTiming& a, const SlideTiming& b) { return a.firstMs > b.firstMs; });
    std::printf("first paint of a slide (what the painter keeps not yet made):\n");
    for (size_t i = 0; i < std::min<size_t>(5, timings.size()); ++i)
        std::printf("  slowest %zu: %s  %.2f ms\n", i + 1, qPrintable(timings[i].where), timings[i].firstMs);
    return 0;
}
