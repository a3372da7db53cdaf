#pragma once

#include <QString>

// The statement texts of the system. A text that ends in "=" takes one value,
// which the database layer binds as a parameter; nothing is pasted into a text.
namespace pptdrill::sql {

using namespace Qt::Literals::StringLiterals;

inline const QString DeletePaper = u"delete * from st"_s;
inline const QString DeleteStkbf = u"delete * from stkbf"_s;
inline const QString DeleteStlbf = u"delete * from stlbf"_s;

inline const QString SelectBank = u"select * from stk"_s;                       // bank check at login
inline const QString SelectPaperTarget = u"select * from st"_s;                 // builder's target
inline const QString SelectSetRowsWhere = u"select * from stk where 套题类="_s; // + set name
inline const QString SelectWrongRows = u"select * from stk where 错题"_s;
inline const QString SelectWholeBank = u"select * from stk "_s; // random practice
inline const QString SelectPaper = u"select*from st "_s;        // bar and results
inline const QString SelectUndone = u"select*from st where 是否已做=0"_s;
inline const QString SelectBankRowWhere = u"select*from stk where ID="_s;     // + stkid
inline const QString SelectPaperRowWhere = u"select * from st where stid="_s; // + stid text

} // namespace pptdrill::sql
