#include "player/resultbridge.h"

#include "common/text.h"
#include "db/database.h"
#include "db/statements.h"

#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

Status RecordCompletedQuestion(const QString& argumentText)
{
    const QString arg = trimSpaces(argumentText);
    if (arg.isEmpty())
        return {};
    static const QRegularExpression plainDecimal(u"^[0-9]{1,18}$"_s);
    if (!plainDecimal.match(arg).hasMatch())
        return Status::failure(u"“%1”不是试题编号，未做任何修改"_s.arg(arg));

    if (Status s = OpenDatabase(); !s)
        return s;
    auto rs = Recordset::open(dbconn, sql::SelectPaperRowWhere, QVariant(arg.toLongLong()));
    if (!rs) {
        dbconn->close();
        return Status::failure(rs.error());
    }
    Status written;
    if (rs->recordCount() > 0) {
        written = rs->setField(u"得分"_s, 2.5);
        if (written)
            written = rs->setField(u"是否已做"_s, static_cast<qint16>(1));
        if (written)
            written = rs->update();
    }
    rs->close();
    dbconn->close();
    return written;
}

} // namespace pptdrill
