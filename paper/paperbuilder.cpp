#include "paper/paperbuilder.h"

#include "db/database.h"
#include "db/statements.h"
#include "paper/examsession.h"
#include "paper/practicehistory.h"
#include "platform/messagebox.h"
#include "platform/systemfolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <array>
#include <chrono>
#include <map>
#include <utility>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

const QString kWrongPractice = u"错题练习"_s;
const QString kCompletedMovie = u"completed.swf"_s;
const QString kNoQuestions = u"没有该类试题！"_s;

// Paper column ← bank column, written in this order.
const std::array<std::pair<QString, QString>, 13> kColumnMapping = {{
    {u"大题类"_s, u"套题类"_s},
    {u"题号"_s, u"套题子类"_s},
    {u"题型"_s, u"题型"_s},
    {u"题干"_s, u"题干"_s},
    {u"内容多媒体类型"_s, u"内容多媒体类型"_s},
    {u"内容多媒体2"_s, u"内容多媒体2"_s},
    {u"内容多媒体文件名"_s, u"内容多媒体文件名"_s},
    {u"解析多媒体1"_s, u"解析多媒体1"_s},
    {u"解析多媒体文件"_s, u"解析多媒体文件"_s},
    {u"解析多媒体2"_s, u"解析多媒体2"_s},
    {u"解析多媒体文件名"_s, u"解析多媒体文件名"_s},
    {u"解析多媒体类型"_s, u"解析多媒体类型"_s},
    {u"解析"_s, u"解析"_s},
}};

// The build's connection, the paper table it writes and the bank rows it
// reads; all closed however the build ends.
struct PaperBuild
{
    std::shared_ptr<Connection> connection;
    std::optional<Recordset> paper;
    std::optional<Recordset> bank;

    ~PaperBuild()
    {
        if (bank)
            bank->close();
        if (paper)
            paper->close();
        if (connection)
            connection->close();
    }
};

// Opens the database of `programFolder`, the empty paper table and the bank
// rows of `bankSource`.
Status openBuild(PaperBuild& build, const QString& programFolder, const QString& bankSource,
                 const std::optional<QVariant>& value = std::nullopt)
{
    auto connection = openDatabase(programFolder);
    if (!connection)
        return Status::failure(connection.error(), connection.code());
    build.connection = connection.value();
    auto paper = Recordset::open(build.connection, sql::SelectPaperTarget);
    if (!paper)
        return Status::failure(paper.error());
    build.paper = std::move(paper.value());
    auto bank = Recordset::open(build.connection, bankSource, value);
    if (!bank)
        return Status::failure(bank.error());
    build.bank = std::move(bank.value());
    return {};
}

Status copyFile(const QString& from, const QString& to)
{
    QFile source(from);
    if (!source.copy(to))
        return Status::failure(u"无法复制文件“%1”到“%2”：%3"_s.arg(from, to, source.errorString()));
    return {};
}

// The movie folder, and "completed.swf" beside the movies. A new folder is
// private to the user.
Status stageMovieFolder(const QString& programFolder, bool restoreCompleted)
{
    if (systemDirectory().isEmpty())
        return Status::failure(u"找不到存放试题动画的运行时文件夹"_s);
    const QString folder = movieFolder();
    const QString completedSource = programFolder + u'/' + kCompletedMovie;
    const QString completedTarget = folder + u'/' + kCompletedMovie;
    if (!QFileInfo(folder).isDir()) {
        if (!QDir().mkdir(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            return Status::failure(u"无法创建文件夹“%1”"_s.arg(folder));
        if (Status s = copyFile(completedSource, completedTarget); !s)
            return s;
    }
    if (restoreCompleted && !QFileInfo::exists(completedTarget))
        return copyFile(completedSource, completedTarget);
    return {};
}

// Written beside its final name and renamed into place, so that a half-written
// movie never stands under the name the player opens.
Status writeStagedMovie(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Status::failure(u"无法写入文件“%1”：%2"_s.arg(path, file.errorString()));
    // Without a commit the temporary file is removed.
    if (file.write(bytes) != bytes.size())
        return Status::failure(u"无法写入文件“%1”：%2"_s.arg(path, file.errorString()));
    if (!file.commit())
        return Status::failure(u"无法写入文件“%1”：%2"_s.arg(path, file.errorString()));
    return {};
}

// Appends the current bank row to the paper as question n and stages its
// movie as n.w.
Status copyBankRow(PaperBuild& build, int n, const QString& programFolder, bool restoreCompleted)
{
    Recordset& bank = *build.bank;
    Recordset& paper = *build.paper;
    paper.addNew();
    for (const auto& [paperColumn, bankColumn] : kColumnMapping) {
        const Result<QVariant> value = bank.field(bankColumn);
        if (!value)
            return Status::failure(value.error());
        if (Status s = paper.setField(paperColumn, value.value()); !s)
            return s;
    }
    if (Status s = paper.setField(u"分值"_s, exam::pointsPerRightQuestion); !s)
        return s;

    if (Status s = stageMovieFolder(programFolder, restoreCompleted); !s)
        return s;
    const QString path = movieFilePathOf(n);
    if (Status s = removeStagedMovie(path); !s)
        return s;
    const Result<QVariant> hasMovie = bank.field(u"内容多媒体1"_s);
    if (!hasMovie)
        return Status::failure(hasMovie.error());
    if (hasMovie->toLongLong() != 0) {
        const Result<QVariant> movie = bank.field(u"内容多媒体文件"_s);
        if (!movie)
            return Status::failure(movie.error());
        if (Status s = writeStagedMovie(path, movie->toByteArray()); !s)
            return s;
    }

    const Result<QVariant> id = bank.field(u"ID"_s);
    if (!id)
        return Status::failure(id.error());
    if (Status s = paper.setField(u"stkid"_s, id.value()); !s)
        return s;
    return paper.update();
}

BuildOutcome emptySelection()
{
    msgBox(kNoQuestions, MessageIcon::Critical);
    return BuildOutcome::Empty;
}

void setRange(BuildProgress& progress, int minimum, int maximum)
{
    if (progress.setRange)
        progress.setRange(minimum, maximum);
}

void advance(BuildProgress& progress, int n)
{
    if (progress.processEvents)
        progress.processEvents();
    if (progress.setValue)
        progress.setValue(n);
}

quint64 clockSeed()
{
    return static_cast<quint64>(QDateTime::currentMSecsSinceEpoch()) ^
           static_cast<quint64>(std::chrono::steady_clock::now().time_since_epoch().count());
}

} // namespace

std::vector<int> randomDraw(int n, int k, QRandomGenerator& random)
{
    k = std::clamp(k, 0, std::max(n, 0));
    // pool[0 … n − j] holds the numbers not yet drawn, in their first order.
    std::vector<int> pool(static_cast<size_t>(std::max(n, 0)));
    for (int i = 0; i < n; ++i)
        pool[static_cast<size_t>(i)] = i + 1;
    std::vector<int> drawn;
    drawn.reserve(static_cast<size_t>(k));
    for (int j = 1; j <= k; ++j) {
        const int remaining = n - j + 1;
        const double u = random.generateDouble();
        const int r = std::min(static_cast<int>(u * remaining + 1), remaining);
        const auto at = pool.begin() + (r - 1);
        const int chosen = *at;
        // Close the gap: the later numbers move up one place.
        std::move(at + 1, pool.begin() + remaining, at);
        drawn.push_back(chosen);
    }
    return drawn;
}

std::vector<int> randomDraw(int n, int k)
{
    QRandomGenerator random(clockSeed());
    return randomDraw(n, k, random);
}

Result<BuildOutcome> buildPaper(const PracticeChoice& choice, const QString& programFolder,
                                BuildProgress& progress, QRandomGenerator& random)
{
    switch (choice.kind) {
    case PaperKind::Random:
        return buildRandomPaper(programFolder, progress, random);
    case PaperKind::WeakPoints:
        return buildWeakPointPaper(programFolder, progress, random);
    case PaperKind::Set:
    case PaperKind::WrongQuestions:
        break;
    }
    return buildSetPaper(choice.setName, programFolder, progress);
}

namespace {

Status runOnDatabase(std::initializer_list<QString> statements)
{
    auto connection = openDatabase();
    if (!connection)
        return Status::failure(connection.error(), connection.code());
    for (const QString& statement : statements) {
        if (Status done = connection.value()->execute(statement); !done) {
            connection.value()->close();
            return done;
        }
    }
    connection.value()->close();
    return {};
}

} // namespace

Status emptyPaper()
{
    return runOnDatabase({sql::DeletePaper});
}

Status emptyPaperTables()
{
    return runOnDatabase({sql::DeletePaper, sql::DeleteStkbf, sql::DeleteStlbf});
}

Status restagePaperMovies(const QString& programFolder)
{
    auto connection = openDatabase(programFolder);
    if (!connection)
        return Status::failure(connection.error(), connection.code());
    const auto rows = connection.value()->select(
        u"SELECT st.stid, stk.内容多媒体1, stk.内容多媒体文件 FROM st LEFT JOIN stk ON stk.ID = st.stkid "
        u"ORDER BY st.stid"_s);
    if (!rows)
        return Status::failure(rows.error(), rows.code());
    if (Status s = stageMovieFolder(programFolder, true); !s)
        return s;
    int n = 0;
    for (const Connection::Row& row : rows.value()) {
        const QString path = movieFilePathOf(++n);
        if (Status s = removeStagedMovie(path); !s)
            return s;
        if (row[1].toLongLong() == 0)
            continue;
        if (Status s = writeStagedMovie(path, row[2].toByteArray()); !s)
            return s;
    }
    return {};
}

QString movieFolder()
{
    return systemDirectory() + u"/pczcksw"_s;
}

QString movieFilePathOf(int position)
{
    return movieFolder() + u'/' + QString::number(position) + u".w"_s;
}

Status removeStagedMovie(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return {};
    // Removing a name needs only the folder's write permission, so a
    // read-only movie goes as well.
    QFile file(path);
    if (!file.remove())
        return Status::failure(u"无法删除文件“%1”：%2"_s.arg(path, file.errorString()));
    return {};
}

Result<BuildOutcome> buildSetPaper(const QString& setName, const QString& programFolder,
                                   BuildProgress& progress)
{
    using R = Result<BuildOutcome>;
    PaperBuild build;
    const bool wrongPractice = setName == kWrongPractice;
    const Status opened = wrongPractice
                              ? openBuild(build, programFolder, sql::SelectWrongRows)
                              : openBuild(build, programFolder, sql::SelectSetRowsWhere, QVariant(setName));
    if (!opened)
        return R::failure(opened.error());
    Recordset& bank = *build.bank;
    const int count = bank.recordCount();
    if (wrongPractice && count > exam::maxQuestions)
        msgBox(u"系统搜索到你做的试题有"_s + QString::number(count) +
                   u"道，请本次练习完后，继续进行错题练习。"_s,
               MessageIcon::Information);
    if (count < 1)
        return emptySelection();

    setRange(progress, 1, count);
    bank.moveFirst();
    int n = 0;
    while (!bank.eof() && n < exam::maxQuestions) {
        ++n;
        advance(progress, n);
        if (Status s = copyBankRow(build, n, programFolder, true); !s)
            return R::failure(s.error());
        bank.moveNext();
    }
    return BuildOutcome::Built;
}

Result<BuildOutcome> buildRandomPaper(const QString& programFolder, BuildProgress& progress,
                                      QRandomGenerator& random)
{
    using R = Result<BuildOutcome>;
    PaperBuild build;
    if (Status s = openBuild(build, programFolder, sql::SelectWholeBank); !s)
        return R::failure(s.error());
    Recordset& bank = *build.bank;
    const int count = bank.recordCount();
    if (count < 1)
        return emptySelection();
    const int k = std::min(count, exam::maxQuestions);
    const std::vector<int> draw = randomDraw(count, k, random);

    setRange(progress, 1, k);
    for (int n = 1; n <= k; ++n) {
        if (Status s = bank.setAbsolutePosition(draw[static_cast<size_t>(n - 1)]); !s)
            return R::failure(s.error());
        advance(progress, n);
        if (Status s = copyBankRow(build, n, programFolder, false); !s)
            return R::failure(s.error());
    }
    return BuildOutcome::Built;
}

Result<BuildOutcome> buildWeakPointPaper(const QString& programFolder, BuildProgress& progress,
                                         QRandomGenerator& random)
{
    using R = Result<BuildOutcome>;
    PaperBuild build;
    if (Status s = openBuild(build, programFolder, sql::SelectWholeBank); !s)
        return R::failure(s.error());
    const auto chosen = chooseWeakPointQuestions(*build.connection, exam::maxQuestions, random);
    if (!chosen)
        return R::failure(chosen.error());
    if (chosen->empty())
        return emptySelection();

    Recordset& bank = *build.bank;
    std::map<qint64, int> positionOfId;
    for (bank.moveFirst(); !bank.eof(); bank.moveNext()) {
        const Result<QVariant> id = bank.field(u"ID"_s);
        if (!id)
            return R::failure(id.error());
        positionOfId[id->toLongLong()] = bank.absolutePosition();
    }
    const int k = static_cast<int>(chosen->size());
    setRange(progress, 1, k);
    for (int n = 1; n <= k; ++n) {
        if (Status s = bank.setAbsolutePosition(positionOfId[chosen.value()[static_cast<size_t>(n - 1)]]); !s)
            return R::failure(s.error());
        advance(progress, n);
        if (Status s = copyBankRow(build, n, programFolder, true); !s)
            return R::failure(s.error());
    }
    return BuildOutcome::Built;
}

QString reviewMovieName(qint64 stkid)
{
    return u"review"_s + QString::number(stkid);
}

Status removeReviewMovies()
{
    const QStringList staged =
        QDir(movieFolder()).entryList({u"review*.w"_s}, QDir::Files | QDir::System | QDir::Hidden);
    for (const QString& name : staged) {
        if (Status s = removeStagedMovie(movieFolder() + u'/' + name); !s)
            return s;
    }
    return {};
}

Status stageReviewMovie(qint64 stkid, const QString& programFolder)
{
    auto connection = openDatabase(programFolder);
    if (!connection)
        return Status::failure(connection.error(), connection.code());
    const auto rows =
        connection.value()->select(u"SELECT 内容多媒体1, 内容多媒体文件 FROM stk WHERE ID = ?"_s, {stkid});
    connection.value()->close();
    if (!rows)
        return Status::failure(rows.error(), rows.code());
    if (rows->empty() || rows->front()[0].toLongLong() == 0 || rows->front()[1].toByteArray().isEmpty())
        return Status::failure(u"题库中没有这道题的试题动画"_s);
    if (Status s = stageMovieFolder(programFolder, true); !s)
        return s;
    // One review movie at a time: the one of the question looked at before goes.
    if (Status s = removeReviewMovies(); !s)
        return s;
    return writeStagedMovie(movieFolder() + u'/' + reviewMovieName(stkid) + u".w"_s,
                            rows->front()[1].toByteArray());
}

} // namespace pptdrill
