// Building the bundled question bank as drillbank does: reading the set files,
// then compiling (every movie played headless, the stems enciphered, the
// database written). Prints the median of several runs and the database's
// size; asserts nothing.
//
//   bench_bank <bank folder> [runs]
#include "bank/bankcompiler.h"
#include "bank/banksource.h"
#include "median.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_bank <bank folder> [runs]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    QTemporaryDir dir;
    std::vector<double> reading, compiling, total;
    qint64 bytes = 0;
    int questions = 0;
    for (int i = 0; i < runs; ++i) {
        const QString output = dir.filePath(u"stdata-%1.db"_s.arg(i));
        QElapsedTimer timer;
        timer.start();
        auto sets = readBankFolder(folder);
        const double read = timer.nsecsElapsed() / 1e6;
        if (!sets) {
            std::fprintf(stderr, "%s\n", sets.error().toUtf8().constData());
            return 1;
        }
        auto summary = compileBank(sets.value(), output);
        const double all = timer.nsecsElapsed() / 1e6;
        if (!summary) {
            std::fprintf(stderr, "%s\n", summary.error().toUtf8().constData());
            return 1;
        }
        reading.push_back(read);
        compiling.push_back(all - read);
        total.push_back(all);
        bytes = QFileInfo(output).size();
        questions = summary->questions;
    }
    std::printf("bank of %d questions, %d runs (median)\n", questions, runs);
    std::printf("  read the set files      %8.1f ms\n", median(reading));
    std::printf("  compile (verify, write) %8.1f ms\n", median(compiling));
    std::printf("  whole build             %8.1f ms\n", median(total));
    std::printf("  stdata.db               %8.1f KB\n", bytes / 1024.0);
    return 0;
}
