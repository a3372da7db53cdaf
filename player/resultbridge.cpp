#include "player/resultbridge.h"

#include "common/text.h"
#include "db/database.h"
#include "db/statements.h"
#include "platform/programfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <sqlite3.h>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

// SQLite's code for a database whose folder cannot be written (named from 3.22 on).
constexpr int kReadonlyDirectory = SQLITE_READONLY | (6 << 8);

// A database failure in the learner's words, with the database's own message as the detail.
Status databaseFailure(const QString& detail, int code)
{
    return Status::failure(u"%1（详情：%2）"_s.arg(databaseFailureReason(code), detail), code);
}

} // namespace

Status recordCompletedQuestion(const QString& argumentText)
{
    const QString arg = trimSpaces(argumentText);
    // The player reads success as "recorded": a call without a stid records nothing.
    if (arg.isEmpty())
        return Status::failure(u"没有给出试题编号，未做任何修改"_s);
    static const QRegularExpression plainDecimal(u"^[0-9]{1,18}$"_s);
    if (!plainDecimal.match(arg).hasMatch())
        return Status::failure(u"“%1”不是试题编号，未做任何修改"_s.arg(arg));

    auto opened = openDatabase();
    if (!opened) {
        const QString file = databasePathInFolder(programFolder());
        if (!QFileInfo::exists(file))
            return Status::failure(u"找不到数据库文件“%1”"_s.arg(QDir::toNativeSeparators(file)),
                                   opened.code());
        return databaseFailure(opened.error(), opened.code());
    }
    const std::shared_ptr<Connection> connection = opened.value();
    auto rs = Recordset::open(connection, sql::SelectPaperRowWhere, QVariant(arg.toLongLong()));
    if (!rs) {
        connection->close();
        return databaseFailure(rs.error(), rs.code());
    }
    Status written;
    if (rs->recordCount() == 0) {
        written =
            Status::failure(u"试卷中没有编号为 %1 的试题（试卷可能已重新生成），未做任何修改"_s.arg(arg));
    } else {
        written = rs->setField(u"得分"_s, 2.5);
        if (written)
            written = rs->setField(u"是否已做"_s, static_cast<qint16>(1));
        if (written)
            written = rs->update();
        if (!written) {
            // A file that opened for writing but cannot be written to: no
            // journal could be made beside it, the folder cannot be written.
            const int code = (written.code() & 0xFF) == SQLITE_CANTOPEN ? kReadonlyDirectory : written.code();
            written = databaseFailure(written.error(), code);
        } else if (connection->changes() == 0) {
            // The row was there when it was read but gone when it was written.
            written = Status::failure(
                u"编号为 %1 的试题在记录前已从试卷中删除（试卷可能已重新生成），未做任何修改"_s.arg(arg));
        }
    }
    rs->close();
    connection->close();
    return written;
}

} // namespace pptdrill
