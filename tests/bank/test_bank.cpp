#include "bank/bankcompiler.h"
#include "bank/banksource.h"
#include "cipher/textfields.h"
#include "db/database.h"
#include "db/schema.h"
#include "db/statements.h"
#include "movie/document/movie.h"
#include "shell/singleinstance.h"
#include "tests/fuzz/fuzzinputs.h"
#include "tests/support/craftedmovie.h"
#include "tests/support/testdb.h"
#include "tests/support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;
using namespace pptdrill;
using namespace pptdrill::test;

namespace {

class BankSourceTest : public ::testing::Test
{
protected:
    // Writes `text` as sets/NAME in a private bank folder; returns its path.
    QString writeSet(const QString& name, const QString& text)
    {
        QDir().mkpath(folder.file(u"sets"_s));
        const QString path = folder.file(u"sets/"_s + name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text.toUtf8());
        return path;
    }

    TempProgramFolder folder;
};

const QString kGoodSet = u"# 一套题\n套题类 = 第3套题\n\n[1]\n题型 = 5\n题干 = "
                         u"将第3张幻灯片的切换效果设置为“水平百叶窗”，速度为“中速”。\n"
                         u"[2]\r\n题型 = 5\r\n题干 = 在“幻灯片浏览”视图中删除第2张幻灯片。\r\n"_s;

} // namespace

TEST_F(BankSourceTest, ReadsSetsQuestionsAndLineNumbers)
{
    const QString path = writeSet(u"03.txt"_s, kGoodSet);
    auto set = readBankSetFile(path);
    ASSERT_TRUE(set.ok()) << set.error().toStdString();
    EXPECT_EQ(set->name, u"第3套题"_s);
    EXPECT_EQ(set->courseName, bankCourseName());
    ASSERT_EQ(set->questions.size(), 2u);
    EXPECT_EQ(set->questions[0].number, 1);
    EXPECT_EQ(set->questions[0].sourceLine, 4);
    EXPECT_EQ(set->questions[0].stem, u"将第3张幻灯片的切换效果设置为“水平百叶窗”，速度为“中速”。"_s);
    EXPECT_EQ(set->questions[1].stem, u"在“幻灯片浏览”视图中删除第2张幻灯片。"_s);
}

TEST_F(BankSourceTest, RefusesBadSourcesNamingFileAndLine)
{
    const struct
    {
        QString text;
        QString where;
    } cases[] = {
        {u"[1]\n题型 = 5\n题干 = x\n"_s, u":1:"_s},                                  // no set name
        {u"套题类 = 第13套题\n"_s, u":1:"_s},                                        // no such set
        {u"套题类 = 第1套题\n[1]\n题型 = 5\n题干 =   \n"_s, u":4:"_s},               // empty stem
        {u"套题类 = 第1套题\n[1]\n题型 = 5\n[2]\n题型 = 5\n题干 = x\n"_s, u":2:"_s}, // stem missing
        {u"套题类 = 第1套题\n[1]\n题型 = 5\n题干 = x\n[1]\n"_s, u":5:"_s},           // number twice
        {u"套题类 = 第1套题\n[1]\n题型 = 5\n题干 = x\n答案 = y\n"_s, u":5:"_s},      // unknown key
        {u"套题类 = 第1套题\n[1]\n题型 = 5\n题干 = x\n题干 = y\n"_s, u":5:"_s},      // key twice
        {u"套题类 = 第1套题\n[a]\n"_s, u":2:"_s},                                    // bad number
        {u"套题类 = 第1套题\n"_s, u":1:"_s},                                         // no question
        {u"套题类 = 第1套题\n[1]\n题型 = 5\n考点 = 杂项\n题干 = x\n"_s, u":4:"_s},   // unknown topic
        {u"套题类 = 第1套题\n[1]\n题型 5\n"_s, u":3:"_s},                            // no "="
        {u"套题类 = 第1套题\n[1000]\n"_s, u":2:"_s},                                 // past the numbering
        {u"套题类 = 第1套题\n[1]\n题型 = 5\n题干 = "_s + QString(2001, u'字'), u":4:"_s}, // stem too long
        {u"课程名 = "_s + QString(41, u'字') + u"\n套题类 = 第1套题\n"_s, u":1:"_s},      // name too long
        {u"套题类 = 第1套题\n[1]\n知识点 = "_s + QString(41, u'字'), u":3:"_s},
        {u"套题类 = "_s + QString(100000, u'x'), u":1:"_s},
        {u"套题类 = 第1套题\n[1]\n题型 = 5\n题干 = x\n影片 = ../1.movie\n"_s, u":5:"_s}, // outside the bank
        {u"套题类 = 第1套题\n[1]\n题型 = 5\n题干 = x\n影片 = movies/../../1.movie\n"_s, u":5:"_s},
        {u"套题类 = 第1套题\n[1]\n题型 = 5\n题干 = x\n影片 = /etc/passwd\n"_s, u":5:"_s},
    };
    for (const auto& c : cases) {
        const QString path = writeSet(u"bad.txt"_s, c.text);
        auto set = readBankSetFile(path);
        ASSERT_FALSE(set.ok()) << c.text.toStdString();
        EXPECT_TRUE(set.error().startsWith(path + c.where))
            << c.text.toStdString() << " → " << set.error().toStdString();
    }
}

TEST_F(BankSourceTest, ASetMayBeDefinedOnlyOnce)
{
    writeSet(u"01.txt"_s, kGoodSet);
    writeSet(u"02.txt"_s, kGoodSet);
    auto sets = readBankFolder(folder.path());
    ASSERT_FALSE(sets.ok());
    EXPECT_TRUE(sets.error().contains(u"02.txt:1:"_s)) << sets.error().toStdString();
}

TEST_F(BankSourceTest, CompiledBankHoldsEncipheredStemsAndDefaults)
{
    writeSet(u"03.txt"_s, kGoodSet);
    auto sets = readBankFolder(folder.path());
    ASSERT_TRUE(sets.ok());
    const QString db = folder.file(u"stdata.db"_s);
    auto summary = compileBank(sets.value(), db);
    ASSERT_TRUE(summary.ok()) << summary.error().toStdString();
    EXPECT_EQ(summary->questions, 2);

    auto conn = Connection::open(db, databasePassword());
    ASSERT_TRUE(conn.ok());
    for (const QString& table : {u"st"_s, u"stkbf"_s, u"stlbf"_s})
        EXPECT_EQ(countRows(conn.value(), table), 0) << table.toStdString();
    auto rs = Recordset::open(conn.value(), sql::SelectBank);
    ASSERT_EQ(rs->recordCount(), 2);
    EXPECT_EQ(rs->field(u"课程名"_s)->toString(), u"PowerPoint模块"_s);
    EXPECT_EQ(rs->field(u"套题类"_s)->toString(), u"第3套题"_s);
    EXPECT_EQ(rs->field(u"套题子类"_s)->toString(), u"1"_s);
    EXPECT_EQ(rs->field(u"题型"_s)->toString(), u"5"_s);
    EXPECT_EQ(rs->field(u"内容多媒体1"_s)->toInt(), 0);
    EXPECT_EQ(rs->field(u"错题"_s)->toInt(), 0);

    // The stored stem is hexadecimal ciphertext that decodes to the source text.
    const QString stored = rs->field(u"题干"_s)->toString();
    EXPECT_FALSE(stored.contains(u"幻灯片"_s));
    EXPECT_EQ(stored.size() % 32, 0);
    FakeMessageBoxes boxes;
    QString decoded = decryptHexText(stored);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(decoded.left(decoded.indexOf(QChar(u'\0'))), sets->front().questions[0].stem);
}

TEST_F(BankSourceTest, AFailedBuildLeavesTheEarlierDatabase)
{
    const QString db = folder.file(u"stdata.db"_s);
    QFile old(db);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("earlier");
    old.close();
    writeSet(u"01.txt"_s, u"套题类 = 第1套题\n[1]\n题型 = 5\n"_s);
    QProcess p;
    p.start(QString::fromUtf8(DRILLBANK_EXE), {folder.path(), db});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(p.readAllStandardError()).contains(u"01.txt:2:"_s));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("earlier"));
}

TEST_F(BankSourceTest, AMovieNamingASlideThatIsNotThereIsRefusedAtItsLine)
{
    // One slide, and a double-click on the ninth, whose changes were written
    // past the end of the slides: drillbank took this movie, or crashed on it.
    const QString setFile = writeSet(u"01.txt"_s, u"套题类 = 第1套题\n[1]\n题型 = 5\n题干 = 将标题改为“B”。\n"
                                                  u"影片 = movies/crafted.movie\n"_s);
    QDir().mkpath(folder.file(u"movies"_s));
    const QString movie = folder.file(u"movies/crafted.movie"_s);
    QFile f(movie);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(kCraftedMovie);
    f.close();

    // The compiler, and the program the build runs.
    auto sets = readBankFolder(folder.path());
    ASSERT_TRUE(sets.ok()) << sets.error().toStdString();
    const QString db = folder.file(u"stdata.db"_s);
    auto summary = compileBank(sets.value(), db);
    ASSERT_FALSE(summary.ok());
    const QString where = QDir::cleanPath(movie) + u":4: "_s;
    EXPECT_TRUE(summary.error().startsWith(where)) << summary.error().toStdString();
    EXPECT_TRUE(summary.error().contains(u"没有第 9 张幻灯片"_s)) << summary.error().toStdString();
    EXPECT_TRUE(summary.error().contains(setFile + u":5"_s)) << summary.error().toStdString();
    EXPECT_FALSE(QFile::exists(db));
    EXPECT_EQ(QDir(folder.path()).entryList({u"stdata.db*"_s}, QDir::Files), QStringList());

    QProcess p;
    p.start(QString::fromUtf8(DRILLBANK_EXE), {folder.path(), db});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 1);
    const QString err = QString::fromUtf8(p.readAllStandardError());
    EXPECT_TRUE(err.contains(where)) << err.toStdString();
    EXPECT_FALSE(QFile::exists(db));

    // Other slides and shapes that are not there, through the compiler.
    const char* others[] = {
        R"({"format": "pptdrill-movie", "version": 1, "presentation": {"slides": [{"title": "A"}]},
 "steps": [{"hint": "h", "accept": ["click:shape:1"]}]})",
        R"({"format": "pptdrill-movie", "version": 1, "presentation": {"slides": [{"title": "A"}]},
 "steps": [{"hint": "h", "accept": ["thumb:1"], "set": {"slide": 2, "title": "B"}}]})",
        R"({"format": "pptdrill-movie", "version": 1, "presentation": {"slides": [{"title": "A"}]},
 "steps": [{"hint": "h", "accept": ["thumb:1"], "set": {"deleteSlide": 1}}]})",
    };
    for (const char* other : others) {
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(other);
        f.close();
        auto refused = compileBank(sets.value(), db);
        ASSERT_FALSE(refused.ok()) << other;
        EXPECT_TRUE(refused.error().startsWith(QDir::cleanPath(movie) + u":2: "_s))
            << refused.error().toStdString();
    }
}

TEST_F(BankSourceTest, ABankMovieThatNeitherShowsItsResultNorSaysWhyIsRefused)
{
    const QString setFile =
        writeSet(u"01.txt"_s, u"套题类 = 第1套题\n[1]\n题型 = 5\n题干 = 选中第2张幻灯片。\n"
                              u"影片 = movies/1.movie\n"_s);
    QDir().mkpath(folder.file(u"movies"_s));
    const QString movie = folder.file(u"movies/1.movie"_s);
    auto writeMovie = [&](const QByteArray& statement) {
        QFile f(movie);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(R"({"format": "pptdrill-movie", "version": 1,
 "presentation": {"slides": [{"title": "A"}, {"title": "B"}]},
 "steps": [{"hint": "单击第2张幻灯片。", "accept": ["thumb:2"]}],
 "result": "第2张幻灯片已选中。")" +
                statement + "}\n");
    };
    auto sets = readBankFolder(folder.path());
    ASSERT_TRUE(sets.ok()) << sets.error().toStdString();
    const QString db = folder.file(u"stdata.db"_s);

    writeMovie({});
    auto refused = compileBank(sets.value(), db);
    ASSERT_FALSE(refused.ok());
    EXPECT_TRUE(refused.error().startsWith(QDir::cleanPath(movie) + u":4: "_s))
        << refused.error().toStdString();
    EXPECT_TRUE(refused.error().contains(u"shows"_s)) << refused.error().toStdString();
    EXPECT_TRUE(refused.error().contains(setFile + u":5"_s)) << refused.error().toStdString();
    EXPECT_FALSE(QFile::exists(db));

    writeMovie(",\n \"shows\": \"幻灯片窗格中显示第2张幻灯片。\"");
    EXPECT_TRUE(compileBank(sets.value(), db).ok());
    writeMovie(",\n \"unseen\": \"选中幻灯片不改变演示文稿。\"");
    EXPECT_TRUE(compileBank(sets.value(), db).ok());
}

TEST_F(BankSourceTest, EachQuestionsIdIsItsSetAndNumber)
{
    writeSet(u"01.txt"_s,
             u"套题类 = 第2套题\n[5]\n题型 = 5\n考点 = 打印\n题干 = 五\n[1]\n题型 = 5\n题干 = 一\n"_s);
    writeSet(u"02.txt"_s, u"套题类 = 第1套题\n[3]\n题型 = 5\n考点 = 动画\n题干 = 三\n"_s);
    auto sets = readBankFolder(folder.path());
    ASSERT_TRUE(sets.ok()) << sets.error().toStdString();
    const QString db = folder.file(u"stdata.db"_s);
    ASSERT_TRUE(compileBank(sets.value(), db).ok());
    auto conn = Connection::open(db, databasePassword());
    ASSERT_TRUE(conn.ok());
    std::vector<std::pair<qint64, QString>> rows;
    const auto stored = conn.value()->select(u"SELECT ID, 套题子类 FROM stk"_s);
    for (const Connection::Row& row : stored.value())
        rows.emplace_back(row[0].toLongLong(), row[1].toString());
    EXPECT_EQ(rows,
              (std::vector<std::pair<qint64, QString>>{{1003, u"3"_s}, {2001, u"1"_s}, {2005, u"5"_s}}));
    const auto topics = conn.value()->select(u"SELECT ID, 考点 FROM 试题考点 ORDER BY ID"_s).value();
    ASSERT_EQ(topics.size(), 2u);
    EXPECT_EQ(topics[0][0].toLongLong(), 1003);
    EXPECT_EQ(topics[1][0].toLongLong(), 2005);
    conn.value()->close();

    // A set given twice would give two questions one ID.
    std::vector<BankSet> twice{sets->front(), sets->front()};
    twice[1].sourceFile = u"again.txt"_s;
    for (BankQuestion& q : twice[1].questions)
        q.sourceFile = u"again.txt"_s;
    const auto refused = compileBank(twice, db);
    ASSERT_FALSE(refused.ok());
    EXPECT_TRUE(refused.error().startsWith(u"again.txt:2:"_s)) << refused.error().toStdString();
}

TEST_F(BankSourceTest, AMovieMustBeARegularFileInsideTheBank)
{
    const QString setFile =
        writeSet(u"01.txt"_s, u"套题类 = 第1套题\n[1]\n题型 = 5\n题干 = 选中第2张幻灯片。\n"
                              u"影片 = movies/1.movie\n"_s);
    QDir().mkpath(folder.file(u"movies"_s));
    const QString movie = folder.file(u"movies/1.movie"_s);
    const QByteArray good = R"({"format": "pptdrill-movie", "version": 1,
 "presentation": {"slides": [{"title": "A"}, {"title": "B"}]},
 "steps": [{"hint": "单击第2张幻灯片。", "accept": ["thumb:2"]}],
 "result": "第2张幻灯片已选中。", "unseen": "选中幻灯片不改变演示文稿。"})";
    QTemporaryDir outside;
    const QString outsideMovie = outside.filePath(u"1.movie"_s);
    QFile file(outsideMovie);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(good);
    file.close();
    const QString db = folder.file(u"stdata.db"_s);

    // Through the program, so that a pipe that is waited on ends the test instead of hanging it.
    auto refusedAtItsLine = [&](const QString& why) {
        QProcess p;
        p.start(QString::fromUtf8(DRILLBANK_EXE), {folder.path(), db});
        const bool finished = p.waitForFinished(30000);
        if (!finished)
            p.kill();
        ASSERT_TRUE(finished) << why.toStdString();
        EXPECT_EQ(p.exitCode(), 1);
        const QString err = QString::fromUtf8(p.readAllStandardError());
        EXPECT_TRUE(err.contains(setFile + u":5: "_s)) << err.toStdString();
        EXPECT_TRUE(err.contains(why)) << err.toStdString();
        EXPECT_EQ(QDir(folder.path()).entryList({u"stdata.db*"_s}, QDir::Files), QStringList());
    };
    ASSERT_EQ(::mkfifo(QFile::encodeName(movie).constData(), 0600), 0);
    refusedAtItsLine(u"不是普通文件"_s);
    QFile::remove(movie);
    ASSERT_TRUE(QDir().mkdir(movie));
    refusedAtItsLine(u"不是普通文件"_s);
    QDir().rmdir(movie);
    ASSERT_TRUE(QFile::link(outsideMovie, movie));
    refusedAtItsLine(u"不在题库目录"_s);
    QFile::remove(movie);

    // A link that stays inside the bank is followed.
    const QString inside = folder.file(u"movies/select.movie"_s);
    ASSERT_TRUE(QFile::copy(outsideMovie, inside));
    ASSERT_TRUE(QFile::link(inside, movie));
    auto sets = readBankFolder(folder.path());
    ASSERT_TRUE(sets.ok());
    const auto built = compileBank(sets.value(), db);
    EXPECT_TRUE(built.ok()) << built.error().toStdString();
}

TEST_F(BankSourceTest, ARebuildKeepsTheDatabasesMode)
{
    writeSet(u"03.txt"_s, kGoodSet);
    auto sets = readBankFolder(folder.path());
    ASSERT_TRUE(sets.ok());
    const QString db = folder.file(u"stdata.db"_s);
    ASSERT_TRUE(compileBank(sets.value(), db).ok());
    for (const mode_t mode : {mode_t{0600}, mode_t{0640}}) {
        ASSERT_EQ(::chmod(QFile::encodeName(db).constData(), mode), 0);
        ASSERT_TRUE(compileBank(sets.value(), db).ok());
        struct stat info = {};
        ASSERT_EQ(::stat(QFile::encodeName(db).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode);
    }
}

TEST_F(BankSourceTest, NothingIsWrittenWhileATrainerHoldsTheDatabase)
{
    writeSet(u"03.txt"_s, kGoodSet);
    auto sets = readBankFolder(folder.path());
    ASSERT_TRUE(sets.ok());
    const QString db = folder.file(u"stdata.db"_s);
    ASSERT_TRUE(compileBank(sets.value(), db).ok());
    QFile file(db);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    // The lock a trainer on this database holds, held by this process.
    InstanceClaim failure = InstanceClaim::Claimed;
    auto trainerLock = lockDatabaseFile(db, failure);
    ASSERT_TRUE(trainerLock);
    QProcess p;
    p.start(QString::fromUtf8(DRILLBANK_EXE), {folder.path(), db});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 1);
    const QString err = QString::fromUtf8(p.readAllStandardError());
    EXPECT_TRUE(err.contains(u"“%1”正被本系统使用"_s.arg(db))) << err.toStdString();
    EXPECT_FALSE(compileBank(sets.value(), db).ok());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    file.close();
    EXPECT_EQ(QDir(folder.path()).entryList({u"stdata.db*"_s}, QDir::Files),
              QStringList({u"stdata.db"_s, u"stdata.db.lock"_s}));

    // Once the trainer has ended, the bank is made again.
    trainerLock.reset();
    p.start(QString::fromUtf8(DRILLBANK_EXE), {folder.path(), db});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_EQ(QDir(folder.path()).entryList({u"stdata.db*"_s}, QDir::Files), QStringList({u"stdata.db"_s}));
}

TEST(BankSource, TheFuzzersCorpusReadsWithoutFault)
{
    // Inputs a fuzzing run of the set-file reader found interesting
    // (scripts/fuzz.sh bank): each gives a set or a refusal that names its line.
    const QDir corpus(sourceFolder() + u"/tests/data/fuzz-bank"_s);
    const QStringList files = corpus.entryList(QDir::Files);
    ASSERT_GT(files.size(), 10);
    int read = 0;
    for (const QString& name : files) {
        QFile f(corpus.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        read += readBankSetText(bytes, fuzz::kSetSource).ok();
        EXPECT_EQ(fuzz::readSetInput(bytes), QString()) << name.toStdString();
    }
    std::printf("%lld corpus files, %d read as sets\n", static_cast<long long>(files.size()), read);
}

TEST(ShippedBank, SetsSpreadOverTheModuleAndRepeatNoTask)
{
    auto sets = readBankFolder(sourceFolder() + u"/bank"_s);
    ASSERT_TRUE(sets.ok()) << sets.error().toStdString();
    QSet<QString> allStems;
    for (const BankSet& s : sets.value()) {
        std::map<QString, int> perTopic;
        QSet<QString> stems;
        for (const BankQuestion& q : s.questions) {
            EXPECT_FALSE(q.topic.isEmpty()) << q.sourceFile.toStdString() << ":" << q.sourceLine;
            ++perTopic[q.topic];
            EXPECT_FALSE(stems.contains(q.stem))
                << "repeated in " << s.name.toStdString() << ": " << q.stem.toStdString();
            EXPECT_FALSE(allStems.contains(q.stem)) << "repeated across sets: " << q.stem.toStdString();
            stems.insert(q.stem);
        }
        allStems += stems;
        if (s.questions.size() >= 40) {
            // A full paper touches every part of the module; how many questions each part has
            // is held against the syllabus's proportions (test_syllabus).
            EXPECT_EQ(perTopic.size(), static_cast<size_t>(bankTopics().size())) << s.name.toStdString();
            EXPECT_GE(perTopic[u"文本"_s] + perTopic[u"对象"_s] + perTopic[u"外观"_s], 15)
                << s.name.toStdString();
        } else {
            EXPECT_GE(perTopic.size(), 6u) << s.name.toStdString();
        }
    }
}

TEST(ShippedBank, EverySetHasQuestionsWithStems)
{
    auto sets = readBankFolder(sourceFolder() + u"/bank"_s);
    ASSERT_TRUE(sets.ok()) << sets.error().toStdString();
    std::map<QString, size_t> perSet;
    for (const BankSet& s : sets.value()) {
        perSet[s.name] = s.questions.size();
        for (const BankQuestion& q : s.questions) {
            EXPECT_EQ(q.type, u"5"_s) << q.sourceFile.toStdString() << ":" << q.sourceLine;
            EXPECT_GE(q.stem.size(), 10) << q.sourceFile.toStdString() << ":" << q.sourceLine;
        }
    }
    ASSERT_EQ(perSet.size(), 12u);
    // The first edition: three full papers, at least ten questions in every other set.
    for (int n = 1; n <= 12; ++n) {
        if (n <= 3)
            EXPECT_EQ(perSet[u"第%1套题"_s.arg(n)], 40u) << n;
        else
            EXPECT_GE(perSet[u"第%1套题"_s.arg(n)], 10u) << n;
    }

    // The build put the compiled bank into the program folder.
    auto conn = Connection::open(buildProgramFolder() + u"/stdata.db"_s, databasePassword());
    ASSERT_TRUE(conn.ok()) << conn.error().toStdString();
    auto rs = Recordset::open(conn.value(), sql::SelectBank);
    ASSERT_TRUE(rs.ok());
    EXPECT_GT(rs->recordCount(), 35);
    EXPECT_EQ(rs->field(u"课程名"_s)->toString().trimmed(), u"PowerPoint模块"_s);
}

TEST(ShippedBank, EveryQuestionKeepsItsExplanationStartingWithItsFirstStep)
{
    auto conn = Connection::open(buildProgramFolder() + u"/stdata.db"_s, databasePassword());
    ASSERT_TRUE(conn.ok()) << conn.error().toStdString();
    const auto rows = conn.value()->select(u"SELECT ID, 解析, 内容多媒体文件 FROM stk ORDER BY ID"_s);
    ASSERT_TRUE(rows.ok()) << rows.error().toStdString();
    ASSERT_GT(rows->size(), 35u);
    int withOtherWays = 0;
    for (const Connection::Row& row : rows.value()) {
        const qint64 id = row[0].toLongLong();
        const QString explanation = row[1].toString();
        auto movie = parseMovie(row[2].toByteArray(), u"stk %1"_s.arg(id));
        ASSERT_TRUE(movie.ok()) << movie.error().toStdString();
        ASSERT_FALSE(movie->steps.empty()) << id;
        EXPECT_TRUE(explanation.startsWith(u"1. "_s + movie->steps.front().hint.trimmed()))
            << id << ": " << explanation.left(80).toStdString();
        // Every step is said, in order, and nothing raw of a movie's actions shows.
        const QStringList lines = explanation.split(u'\n');
        EXPECT_GE(lines.size(), static_cast<qsizetype>(movie->steps.size())) << id;
        for (const QString& raw : {u"menu:"_s, u"dialog:"_s, u"toolbar:"_s, u"taskpane:"_s, u"context:"_s})
            EXPECT_FALSE(explanation.contains(raw)) << id << ": " << explanation.toStdString();
        withOtherWays += explanation.contains(u"其他方法："_s);
    }
    // Most tasks of PowerPoint can be done more than one way, and the bank says so.
    EXPECT_GT(withOtherWays, static_cast<int>(rows->size()) / 2);
}
