// Opening "select * from stk" on a large bank, and one drillbridge run as a
// whole process against it. Prints medians; asserts nothing.
//
//   bench_database [folder] [questions] [movie KB]
// The folder gets a copy of drillbridge and the generated stdata.db (about
// questions × movie KB); it is reused when it already holds a database of
// the same size.
#include "cipher/textfields.h"
#include "db/database.h"
#include "db/schema.h"
#include "db/statements.h"
#include "median.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>
#include <vector>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;

namespace {

bool generate(const QString& path, int questions, int movieKb)
{
    QFile::remove(path);
    auto created = Connection::create(path, databasePassword());
    if (!created || !createSchema(*created.value()))
        return false;
    Connection& conn = *created.value();
    const QString stem = encryptTextToHex(u"将第3张幻灯片的切换效果设置为“水平百叶窗”，速度为“中速”。"_s);
    QByteArray movie(movieKb * 1024, '\0');
    QRandomGenerator random(7);
    random.fillRange(reinterpret_cast<quint32*>(movie.data()), movie.size() / 4);

    conn.executeScript(u"BEGIN"_s);
    sqlite3_stmt* st = nullptr;
    const QByteArray sql =
        u"INSERT INTO stk (课程名, 套题类, 套题子类, 题型, 题干, 内容多媒体1, 错题, 内容多媒体文件) "
        u"VALUES (?, ?, ?, '5', ?, -1, 0, ?)"_s.toUtf8();
    sqlite3_prepare_v2(conn.handle(), sql.constData(), -1, &st, nullptr);
    const QByteArray course = bankCourseName().toUtf8();
    const QByteArray stemBytes = stem.toUtf8();
    for (int i = 0; i < questions; ++i) {
        const QByteArray set = u"第%1套题"_s.arg(i % 12 + 1).toUtf8();
        const QByteArray number = QByteArray::number(i / 12 + 1);
        sqlite3_bind_text(st, 1, course.constData(), -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 2, set.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 3, number.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 4, stemBytes.constData(), -1, SQLITE_STATIC);
        sqlite3_bind_blob(st, 5, movie.constData(), static_cast<int>(movie.size()), SQLITE_STATIC);
        if (sqlite3_step(st) != SQLITE_DONE)
            return false;
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    conn.executeScript(
        u"INSERT INTO st (大题类, 分值, stkid) SELECT 套题类, 2.5, ID FROM stk WHERE ID <= 40"_s);
    return conn.executeScript(u"COMMIT"_s).ok();
}

} // namespace

int main(int argc, char** argv)
{
    const QString folder =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath() + u"/pptdrill-bench"_s;
    const int questions = argc > 2 ? std::atoi(argv[2]) : 10000;
    const int movieKb = argc > 3 ? std::atoi(argv[3]) : 100;
    QDir().mkpath(folder);
    const QString db = QDir(folder).filePath(databaseFileName());
    const QString marker = db + u".size"_s;
    const QByteArray wanted = QByteArray::number(questions) + ' ' + QByteArray::number(movieKb);
    QFile m(marker);
    const bool reuse = m.open(QIODevice::ReadOnly) && m.readAll() == wanted && QFile::exists(db);
    m.close();
    if (!reuse) {
        std::printf("generating %d questions with %d KB movies…\n", questions, movieKb);
        QElapsedTimer t;
        t.start();
        if (!generate(db, questions, movieKb)) {
            std::fprintf(stderr, "generation failed\n");
            return 1;
        }
        if (m.open(QIODevice::WriteOnly))
            m.write(wanted);
        std::printf("generated in %.1f s\n", t.elapsed() / 1000.0);
    }
    std::printf("database: %.1f MB\n", QFileInfo(db).size() / 1e6);

    // Open, "select * from stk", record count and the first row's course name.
    std::vector<double> opens;
    int count = 0;
    QString course;
    for (int run = 0; run < 9; ++run) {
        QElapsedTimer t;
        t.start();
        auto dbconn = openDatabase(folder);
        if (!dbconn)
            return 1;
        auto rs = Recordset::open(dbconn.value(), sql::SelectBank);
        if (!rs)
            return 1;
        count = rs->recordCount();
        course = rs->field(u"课程名"_s)->toString();
        opens.push_back(t.nsecsElapsed() / 1e6);
        rs->close();
    }
    std::printf(
        "open + \"select * from stk\" (%d rows, first 课程名 %s): median %.1f ms, min %.1f, max %.1f\n",
        count, course.toUtf8().constData(), median(opens), *std::min_element(opens.begin(), opens.end()),
        *std::max_element(opens.begin(), opens.end()));

    // One drillbridge process per run, from a program folder holding the database.
    const QString bridge = QDir(folder).filePath(u"drillbridge"_s);
    QFile::remove(bridge);
    QFile::copy(QString::fromUtf8(DRILLBRIDGE_EXE), bridge);
    std::vector<double> runs;
    for (int run = 0; run < 31; ++run) {
        QElapsedTimer t;
        t.start();
        QProcess p;
        p.start(bridge, {QString::number(run % 40 + 1)});
        p.waitForFinished(30000);
        runs.push_back(t.nsecsElapsed() / 1e6);
        if (p.exitCode() != 0) {
            std::fprintf(stderr, "drillbridge failed: %s\n", p.readAllStandardError().constData());
            return 1;
        }
    }
    std::printf("drillbridge run as a process: median %.1f ms, min %.1f, max %.1f (31 runs)\n", median(runs),
                *std::min_element(runs.begin(), runs.end()), *std::max_element(runs.begin(), runs.end()));
    return 0;
}
