#include "bank/bankcompiler.h"

#include "cipher/textfields.h"
#include "db/database.h"
#include "db/schema.h"
#include "db/statements.h"

#include <QFile>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

Status insertQuestion(Recordset& bank, const BankSet& set, const BankQuestion& q)
{
    bank.addNew();
    const std::pair<QString, QVariant> values[] = {
        {u"课程名"_s, set.courseName},
        {u"套题类"_s, set.name},
        {u"套题子类"_s, QString::number(q.number)},
        {u"题型"_s, q.type},
        {u"题干"_s, EncryptTextToHex(q.stem)},
        {u"内容多媒体1"_s, false},
        {u"错题"_s, 0},
    };
    for (const auto& [name, value] : values) {
        if (Status s = bank.setField(name, value); !s)
            return s;
    }
    return bank.update();
}

} // namespace

Result<BankSummary> compileBank(const std::vector<BankSet>& sets, const QString& outputPath)
{
    using R = Result<BankSummary>;
    const QString building = outputPath + u".building"_s;
    QFile::remove(building);
    QFile::remove(building + u"-journal"_s);

    cipherkey = fixedCipherKeyText();
    BankSummary summary;
    {
        auto created = Connection::create(building, databasePassword());
        if (!created)
            return R::failure(created.error());
        std::shared_ptr<Connection> conn = created.value();
        if (Status s = createSchema(*conn); !s)
            return R::failure(s.error());
        auto bank = Recordset::open(conn, sql::SelectBank);
        if (!bank)
            return R::failure(bank.error());
        if (Status s = conn->executeScript(u"BEGIN"_s); !s)
            return R::failure(s.error());
        for (const BankSet& set : sets) {
            for (const BankQuestion& q : set.questions) {
                if (Status s = insertQuestion(*bank, set, q); !s) {
                    return R::failure(u"%1:%2: %3"_s.arg(q.sourceFile).arg(q.sourceLine).arg(s.error()));
                }
                ++summary.questions;
            }
            ++summary.sets;
        }
        if (Status s = conn->executeScript(u"COMMIT"_s); !s)
            return R::failure(s.error());
        bank->close();
        conn->close();
    }
    if (std::rename(QFile::encodeName(building).constData(), QFile::encodeName(outputPath).constData()) !=
        0) {
        QFile::remove(building);
        return R::failure(u"无法写入“%1”"_s.arg(outputPath));
    }
    return summary;
}

} // namespace pptdrill
