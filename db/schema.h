#pragma once

#include "common/result.h"

#include <QString>

namespace pptdrill {

class Connection;

// The module name the exam login expects in the bank's first row.
QString bankCourseName();

// The highest number a question may have within its set.
inline constexpr int kMaxQuestionNumber = 999;

// A bank question's `ID`: its set's number and its number in the set ("第3套题"
// question 7 is 3007). A question keeps its ID, and with it the history and the
// 错题 flag that name it, in every edition of the bank. 0 when the set name is
// not "第N套题" or the number is outside 1 … kMaxQuestionNumber.
qint64 bankQuestionId(const QString& setName, int number);

// Creates the bank table `stk`, the paper table `st` and the working tables
// `stkbf` and `stlbf`. Long values (LONGTEXT, BLOB) stand last in `stk`, so that
// reading a row's short columns never walks the pages of its stem or movie.
Status createSchema(Connection& connection);
// The statements createSchema runs for those four tables.
QString schemaScript();

// The tables beside the bank that hold what a learner has done and what each
// question examines: `试题考点` (the part of the module of each bank question,
// keyed by the bank row's ID), `练习记录` (one row per handed-in paper) and
// `练习记录明细` (each question of such a paper), and for a class's server the
// attempts' unique ids (`练习记录标识`) and the hand-ins not yet delivered
// (`上传队列`), and the latest correction of a handed-in paper (`练习订正`:
// the paper handed in again after 返回检查; the attempt keeps its first
// score). createSchema makes them too; an older file gets them from
// ensureLearnerTables, which leaves existing tables and rows as they are and
// adds the columns they lack.
QString learnerTablesScript();
Status ensureLearnerTables(Connection& connection);
bool tableHasColumn(Connection& connection, const QString& table, const QString& column);

} // namespace pptdrill
