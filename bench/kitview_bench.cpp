// The simulated window's answer to a learner's click: from the click to the
// window painted again, for the clicks of a question done through its menus,
// dialogs and panes, and the whole window painted at rest. Prints medians,
// asserts nothing.
//   bench_kitview [--runs N] MOVIE...
#include "median.h"
#include "movie/kit/kitcatalog.h"
#include "movie/session/moviesession.h"
#include "movie/widgets/window/kitview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace pptdrill;

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int runs = 5;
    std::vector<QString> movies;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg = argv[i];
        if (arg == "--runs" && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else
            movies.push_back(QString::fromLocal8Bit(argv[i]));
    }
    if (movies.empty()) {
        std::fprintf(stderr, "usage: bench_kitview [--runs N] MOVIE...\n");
        return 2;
    }
    std::vector<double> clicks;
    std::vector<double> fullPaints;
    QImage canvas(800, 600, QImage::Format_RGB32);
    for (int run = 0; run < runs; ++run) {
        for (const QString& path : movies) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                continue;
            auto movie = parseMovie(file.readAll(), path);
            if (!movie)
                continue;
            KitView view(std::make_unique<MovieSession>(std::move(movie.value()), KitCatalog::instance()));
            view.setPace(0);
            view.resize(800, 600);
            QElapsedTimer paint;
            paint.start();
            view.render(&canvas);
            fullPaints.push_back(paint.nsecsElapsed() / 1e6);
            // Every element the demonstration clicks, as the learner would click it.
            for (int guard = 0; guard < 64 && !view.session().isComplete(); ++guard) {
                const QString target = view.nextTargetLocator();
                const auto at = target.isEmpty() ? std::nullopt : view.locate(target);
                if (!at)
                    break;
                QElapsedTimer click;
                click.start();
                view.clickAt(at->center());
                view.render(&canvas);
                clicks.push_back(click.nsecsElapsed() / 1e6);
            }
        }
    }
    std::printf("click to painted: median %.2f ms, max %.2f ms (%zu clicks)\n", median(clicks),
                clicks.empty() ? 0 : *std::max_element(clicks.begin(), clicks.end()), clicks.size());
    std::printf(
        "whole window painted at rest: median %.2f ms, max %.2f ms (%zu paints)\n", median(fullPaints),
        fullPaints.empty() ? 0 : *std::max_element(fullPaints.begin(), fullPaints.end()), fullPaints.size());
    return 0;
}
