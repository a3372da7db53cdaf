// Building a 40-question paper with 200 KB movies from a generated bank: the
// set build and the random build, each the median of several runs. Prints
// figures; asserts nothing.
//
//   bench_paper [runtime parent folder] [runs]
// The runtime folder (where the movies are staged) is made inside the given
// folder, the temporary folder by default; the bank lives in the temporary
// folder.
#include "db/database.h"
#include "db/schema.h"
#include "db/statements.h"
#include "median.h"
#include "paper/paperbuilder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

constexpr int kSets = 2;
constexpr int kPerSet = 40;
constexpr int kMovieBytes = 200 * 1024;

bool generateBank(const QString& programFolder)
{
    auto created = Connection::create(databasePathInFolder(programFolder), databasePassword());
    if (!created || !createSchema(*created.value()))
        return false;
    auto conn = created.value();
    QRandomGenerator random(7);
    QByteArray movie(kMovieBytes, '\0');
    conn->executeScript(u"BEGIN"_s);
    auto rs = Recordset::open(conn, sql::SelectBank);
    if (!rs)
        return false;
    for (int i = 0; i < kSets * kPerSet; ++i) {
        random.fillRange(reinterpret_cast<quint32*>(movie.data()), movie.size() / 4);
        rs->addNew();
        rs->setField(u"课程名"_s, u"PowerPoint模块"_s);
        rs->setField(u"套题类"_s, u"第%1套题"_s.arg(i / kPerSet + 1));
        rs->setField(u"套题子类"_s, QString::number(i % kPerSet + 1));
        rs->setField(u"题型"_s, u"5"_s);
        rs->setField(u"题干"_s, u"00"_s.repeated(200));
        rs->setField(u"内容多媒体1"_s, -1);
        rs->setField(u"内容多媒体文件"_s, movie);
        if (!rs->update())
            return false;
    }
    rs->close();
    if (!conn->executeScript(u"COMMIT"_s))
        return false;
    QFile completed(programFolder + u"/completed.swf"_s);
    return completed.open(QIODevice::WriteOnly) && completed.write(QByteArray(2048, 'c')) == 2048;
}

// Empties the paper and the staged movies, as the menu and the results window do.
bool resetPaper(const QString& programFolder)
{
    auto dbconn = openDatabase(programFolder);
    if (!dbconn || !dbconn.value()->execute(sql::DeletePaper))
        return false;
    dbconn.value()->close();
    for (int n = 1; n <= 40; ++n)
        QFile::remove(movieFilePathOf(n));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString runtimeParent = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 9;

    QTemporaryDir programFolder;
    QTemporaryDir runtime(runtimeParent + u"/bench-runtime-XXXXXX"_s);
    if (!programFolder.isValid() || !runtime.isValid()) {
        std::fprintf(stderr, "cannot make the temporary folders\n");
        return 1;
    }
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));

    if (!generateBank(programFolder.path())) {
        std::fprintf(stderr, "cannot generate the bank\n");
        return 1;
    }
    std::printf("bank: %d questions with %d KB movies; movies staged in %s\n", kSets * kPerSet,
                kMovieBytes / 1024, qPrintable(runtime.path()));

    BuildProgress progress; // no window: nothing to show
    QRandomGenerator random(11);
    std::vector<double> setTimes, randomTimes;
    for (int i = 0; i < runs; ++i) {
        for (bool randomBuild : {false, true}) {
            if (!resetPaper(programFolder.path())) {
                std::fprintf(stderr, "cannot empty the paper\n");
                return 1;
            }
            QElapsedTimer timer;
            timer.start();
            auto outcome = randomBuild ? buildRandomPaper(programFolder.path(), progress, random)
                                       : buildSetPaper(u"第1套题"_s, programFolder.path(), progress);
            const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
            if (!outcome || outcome.value() != BuildOutcome::Built) {
                std::fprintf(stderr, "build failed: %s\n",
                             qPrintable(outcome ? u"empty"_s : outcome.error()));
                return 1;
            }
            (randomBuild ? randomTimes : setTimes).push_back(ms);
        }
    }
    std::printf("set paper of 40:    median %.1f ms over %d runs (min %.1f, max %.1f)\n", median(setTimes),
                runs, *std::min_element(setTimes.begin(), setTimes.end()),
                *std::max_element(setTimes.begin(), setTimes.end()));
    std::printf("random paper of 40: median %.1f ms over %d runs (min %.1f, max %.1f)\n", median(randomTimes),
                runs, *std::min_element(randomTimes.begin(), randomTimes.end()),
                *std::max_element(randomTimes.begin(), randomTimes.end()));
    return 0;
}
