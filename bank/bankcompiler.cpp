#include "bank/bankcompiler.h"

#include "cipher/textfields.h"
#include "db/database.h"
#include "db/learnerdata.h"
#include "db/schema.h"
#include "db/statements.h"
#include "db/userdatabase.h"
#include "movie/explanation.h"
#include "movie/document/jsonlines.h"
#include "movie/kit/kitcatalog.h"
#include "movie/document/movie.h"
#include "movie/session/moviesession.h"
#include "shell/singleinstance.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <cstdio>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

// The bytes of a movie file that is a regular file inside the bank folder (the
// parent of sets/): a link that leads out of the bank, a device or a pipe (whose
// read would never end) is refused. `where` names the movie's line.
Result<QByteArray> readMovieFile(const BankQuestion& q, const QString& where)
{
    using R = Result<QByteArray>;
    const QString bankFolder =
        QFileInfo(QFileInfo(q.sourceFile).absolutePath() + u"/.."_s).canonicalFilePath();
    const QString real = QFileInfo(q.moviePath).canonicalFilePath();
    if (real.isEmpty())
        return R::failure(where + u"：找不到文件"_s);
    if (bankFolder.isEmpty() || !real.startsWith(bankFolder + u'/'))
        return R::failure(where + u"：不在题库目录“%1”之内"_s.arg(bankFolder));
    // Opened without waiting, so that a pipe put in the movie's place is seen for what it is.
    const int fd = ::open(QFile::encodeName(real).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return R::failure(where + u"：无法读取"_s);
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return R::failure(where + u"：不是普通文件"_s);
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return R::failure(where + u"：无法读取"_s);
    }
    const QByteArray bytes = file.read(kMaxMovieBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return R::failure(where + u"：无法读取"_s);
    return bytes;
}

// The movie's bytes, once the movie has been played through headless in every accepted way;
// `explanation` gets the question's steps and other ways in words.
Result<QByteArray> checkedMovie(const BankQuestion& q, QString& explanation)
{
    using R = Result<QByteArray>;
    const QString where = u"%1:%2: 影片“%3”"_s.arg(q.sourceFile).arg(q.movieLine).arg(q.moviePath);
    const Result<QByteArray> read = readMovieFile(q, where);
    if (!read)
        return read;
    const QByteArray& bytes = read.value();
    // A fault inside the movie is given at its own line ("…/1.movie:12: …"),
    // followed by the question that names the movie.
    const QString question =
        u"（第 %1 题的影片，见 %2:%3）"_s.arg(q.number).arg(q.sourceFile).arg(q.movieLine);
    auto movie = parseMovie(bytes, q.moviePath);
    if (!movie)
        return R::failure(movie.error() + question);
    if (movie->completion)
        return R::failure(where + u"：是完成动画，不是试题动画"_s);
    // Whoever checks the bank reads what each task changes in the window, or why it changes nothing.
    if (movie->shows.isEmpty() && movie->unseen.isEmpty())
        return R::failure(
            u"%1:%2: 试题动画缺少 shows（完成后窗口中看得见的变化）或 unseen（窗口中为何看不见结果）"_s
                .arg(q.moviePath)
                .arg(jsonLine(bytes, u"result"_s)) +
            question);
    if (Status s = verifyMovie(movie.value(), KitCatalog::instance()); !s)
        return R::failure(s.error() + question);
    explanation = explanationText(movie.value(), KitCatalog::instance());
    return bytes;
}

// The bank's stamp: a fingerprint of every question as stored, in order, so that
// the same sources always give the same stamp and any change to a question another.
class BankFingerprint
{
public:
    void add(const QString& text)
    {
        const QByteArray bytes = text.toUtf8();
        addBytes(bytes);
    }
    void addBytes(const QByteArray& bytes)
    {
        const qint64 size = bytes.size();
        m_hash.addData(QByteArrayView(reinterpret_cast<const char*>(&size), sizeof size));
        m_hash.addData(bytes);
    }
    int stamp() const
    {
        const QByteArray digest = m_hash.result();
        int value = 0;
        for (int i = 0; i < 4; ++i)
            value = (value << 8) | static_cast<unsigned char>(digest[i]);
        value &= 0x7FFFFFFF;
        return value == 0 ? 1 : value; // 0 is a database without a stamp
    }

private:
    QCryptographicHash m_hash{QCryptographicHash::Sha256};
};

Status insertQuestion(Connection& connection, Recordset& bank, const BankSet& set, const BankQuestion& q,
                      qint64 id, BankFingerprint& fingerprint)
{
    QByteArray movie;
    QString explanation;
    if (!q.moviePath.isEmpty()) {
        auto checked = checkedMovie(q, explanation);
        if (!checked)
            return Status::failure(checked.error());
        movie = checked.value();
    }
    bank.addNew();
    if (Status s = bank.setField(u"ID"_s, id); !s)
        return s;
    const std::pair<QString, QVariant> values[] = {
        {u"课程名"_s, set.courseName},
        {u"套题类"_s, set.name},
        {u"套题子类"_s, QString::number(q.number)},
        {u"题型"_s, q.type},
        {u"题干"_s, encryptTextToHex(q.stem)},
        {u"内容多媒体1"_s, !movie.isEmpty()},
        {u"错题"_s, 0},
        {u"解析"_s, explanation},
    };
    for (const auto& [name, value] : values) {
        if (Status s = bank.setField(name, value); !s)
            return s;
        fingerprint.add(value.toString());
    }
    fingerprint.addBytes(movie);
    if (!movie.isEmpty()) {
        if (Status s = bank.setField(u"内容多媒体文件"_s, movie); !s)
            return s;
    }
    if (Status s = bank.update(); !s)
        return s;
    fingerprint.add(q.topic);
    if (q.topic.isEmpty())
        return {};
    return connection.run(u"INSERT INTO 试题考点 (ID, 考点) VALUES (?, ?)"_s, {id, q.topic});
}

void removeBuilding(const QString& building)
{
    QFile::remove(building);
    QFile::remove(building + u"-journal"_s);
}

// The new bank, written to `building`; the learner's data of the bank at
// `outputPath`, when there is one, carried into it.
Result<BankSummary> buildBank(const std::vector<BankSet>& sets, const QString& outputPath,
                              const QString& building)
{
    using R = Result<BankSummary>;
    struct stat previousFile = {};
    const bool rebuild = ::stat(QFile::encodeName(outputPath).constData(), &previousFile) == 0;

    BankSummary summary;
    BankFingerprint fingerprint;
    auto created = Connection::create(building, databasePassword());
    if (!created)
        return R::failure(created.error());
    std::shared_ptr<Connection> conn = created.value();
    // A rebuild keeps the file as private as it was; nothing is written before.
    if (rebuild && ::chmod(QFile::encodeName(building).constData(), previousFile.st_mode & 07777) != 0)
        return R::failure(u"无法设置“%1”的权限"_s.arg(building));
    if (Status s = createSchema(*conn); !s)
        return R::failure(s.error());
    auto bank = Recordset::open(conn, sql::SelectBank);
    if (!bank)
        return R::failure(bank.error());
    if (Status s = conn->executeScript(u"BEGIN"_s); !s)
        return R::failure(s.error());
    std::map<qint64, const BankQuestion*> byId;
    for (const BankSet& set : sets) {
        for (const BankQuestion& q : set.questions) {
            const qint64 id = bankQuestionId(set.name, q.number);
            if (id == 0)
                return R::failure(u"%1:%2: 第 %3 题：套题类“%4”或题号不在题库的编号之内"_s.arg(q.sourceFile)
                                      .arg(q.sourceLine)
                                      .arg(q.number)
                                      .arg(set.name));
            if (const auto [earlier, added] = byId.emplace(id, &q); !added)
                return R::failure(u"%1:%2: %3第 %4 题已在 %5:%6 中定义"_s.arg(q.sourceFile)
                                      .arg(q.sourceLine)
                                      .arg(set.name)
                                      .arg(q.number)
                                      .arg(earlier->second->sourceFile)
                                      .arg(earlier->second->sourceLine));
            if (Status s = insertQuestion(*conn, *bank, set, q, id, fingerprint); !s)
                return R::failure(s.error());
            ++summary.questions;
        }
        ++summary.sets;
    }
    if (Status s = conn->executeScript(u"COMMIT"_s); !s)
        return R::failure(s.error());
    if (Status s = setBankStamp(*conn, fingerprint.stamp()); !s)
        return R::failure(s.error());
    bank->close();
    // A rebuild keeps what the learner has done with the bank it replaces.
    if (rebuild) {
        auto previous = Connection::open(outputPath, databasePassword());
        if (!previous)
            return R::failure(
                u"无法读取原有的“%1”，不能保留其中的练习记录和错题：%2"_s.arg(outputPath, previous.error()));
        if (Status s = carryLearnerData(previous.value(), conn); !s)
            return R::failure(u"无法保留“%1”中的练习记录和错题：%2"_s.arg(outputPath, s.error()));
        previous.value()->close();
    }
    conn->close();
    return summary;
}

} // namespace

Result<BankSummary> compileBank(const std::vector<BankSet>& sets, const QString& outputPath)
{
    using R = Result<BankSummary>;
    // A trainer on this file owns it until it ends: its paper and its hand-ins.
    InstanceClaim failure = InstanceClaim::Claimed;
    const std::unique_ptr<QLockFile> lock = lockDatabaseFile(outputPath, failure);
    if (!lock) {
        if (failure == InstanceClaim::AlreadyRunning)
            return R::failure(u"“%1”正被本系统使用，请先退出本系统，再生成题库。"_s.arg(outputPath));
        if (failure == InstanceClaim::HeldOnAnotherHost)
            return R::failure(
                u"“%1”正被另一台计算机上的本系统使用（锁文件“%2”），请先在那里退出本系统。"_s.arg(
                    outputPath, databaseLockPath(outputPath)));
        return R::failure(u"无法建立“%1”的锁文件“%2”。"_s.arg(outputPath, databaseLockPath(outputPath)));
    }
    const QString building = outputPath + u".building"_s;
    removeBuilding(building);
    Result<BankSummary> built = buildBank(sets, outputPath, building);
    if (!built) {
        removeBuilding(building);
        return built;
    }
    if (std::rename(QFile::encodeName(building).constData(), QFile::encodeName(outputPath).constData()) !=
        0) {
        removeBuilding(building);
        return R::failure(u"无法写入“%1”"_s.arg(outputPath));
    }
    return built;
}

} // namespace pptdrill
