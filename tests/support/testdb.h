#pragma once

#include "db/database.h"

#include <QString>
#include <QVariant>
#include <memory>

namespace pptdrill::test {

// A new database with the system's schema and password at `path`.
std::shared_ptr<Connection> createTestDatabase(const QString& path);

// Adds a bank row; returns its ID.
qint64 addBankRow(Connection& conn, const QString& setName, int number, int wrong = 0,
                  const QByteArray& movie = {});
// Adds a paper row through the recordset, as the builder does; returns its stid.
qint64 addPaperRow(const std::shared_ptr<Connection>& conn, qint64 stkid);

// One value of one row, read through a fresh recordset.
QVariant readValue(const std::shared_ptr<Connection>& conn, const QString& table, const QString& keyColumn,
                   qint64 key, const QString& column);

int countRows(const std::shared_ptr<Connection>& conn, const QString& table);

} // namespace pptdrill::test
