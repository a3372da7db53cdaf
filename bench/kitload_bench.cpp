// Reading the PowerPoint kit: from its JSON files with every check (what the
// build does) and from the compiled form the programs read at start.
//   bench_kitload [--runs N]
#include "median.h"
#include "movie/kit/kitcatalog.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <malloc.h>

using namespace pptdrill;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    int runs = 21;
    if (argc == 3 && std::strcmp(argv[1], "--runs") == 0)
        runs = std::atoi(argv[2]);
    const std::vector<KitFile> files = KitCatalog::filesIn(QStringLiteral(DRILL_SOURCE_DIR "/movie/kit"));
    QFile compiledFile(QStringLiteral(":/kit/kit.bin"));
    if (files.empty() || !compiledFile.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "the kit is missing\n");
        return 1;
    }
    const QByteArray compiled = compiledFile.readAll();
    std::vector<double> fromJson;
    std::vector<double> fromCompiled;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        const auto checked = KitCatalog::load(files);
        fromJson.push_back(timer.nsecsElapsed() / 1e6);
        timer.restart();
        const auto readBack = KitCatalog::fromCompiled(compiled);
        fromCompiled.push_back(timer.nsecsElapsed() / 1e6);
        if (!checked || !readBack)
            return 1;
    }
    const size_t heapBefore = mallinfo2().uordblks;
    const auto kept = KitCatalog::fromCompiled(QByteArray::fromRawData(compiled.constData(), compiled.size()));
    const size_t heapAfter = mallinfo2().uordblks;
    std::printf("kit from its %zu JSON files, checked: median %.2f ms (%d runs)\n", files.size(),
                median(fromJson), runs);
    std::printf("kit from its compiled form (%lld KB): median %.2f ms, %zu KB of memory before any dialog\n",
                static_cast<long long>(compiled.size() / 1024), median(fromCompiled), (heapAfter - heapBefore) / 1024);
    return 0;
}
