#pragma once

#include <QString>
#include <libpq-fe.h>

namespace pptdrill {

// The PostgreSQL client library's functions the classroom calls, loaded the
// first time a connection is made: a trainer without a class file never loads
// the library, and its start stays quick.
struct LibPq
{
    decltype(&::PQclear) PQclear = nullptr;
    decltype(&::PQconnectPoll) PQconnectPoll = nullptr;
    decltype(&::PQconnectStartParams) PQconnectStartParams = nullptr;
    decltype(&::PQconsumeInput) PQconsumeInput = nullptr;
    decltype(&::PQerrorMessage) PQerrorMessage = nullptr;
    decltype(&::PQescapeIdentifier) PQescapeIdentifier = nullptr;
    decltype(&::PQescapeLiteral) PQescapeLiteral = nullptr;
    decltype(&::PQfinish) PQfinish = nullptr;
    decltype(&::PQflush) PQflush = nullptr;
    decltype(&::PQfreemem) PQfreemem = nullptr;
    decltype(&::PQgetResult) PQgetResult = nullptr;
    decltype(&::PQgetisnull) PQgetisnull = nullptr;
    decltype(&::PQgetlength) PQgetlength = nullptr;
    decltype(&::PQgetvalue) PQgetvalue = nullptr;
    decltype(&::PQisBusy) PQisBusy = nullptr;
    decltype(&::PQnfields) PQnfields = nullptr;
    decltype(&::PQntuples) PQntuples = nullptr;
    decltype(&::PQresultErrorField) PQresultErrorField = nullptr;
    decltype(&::PQresultErrorMessage) PQresultErrorMessage = nullptr;
    decltype(&::PQresultStatus) PQresultStatus = nullptr;
    decltype(&::PQsendQuery) PQsendQuery = nullptr;
    decltype(&::PQsendQueryParams) PQsendQueryParams = nullptr;
    decltype(&::PQsetNoticeProcessor) PQsetNoticeProcessor = nullptr;
    decltype(&::PQsetnonblocking) PQsetnonblocking = nullptr;
    decltype(&::PQsocket) PQsocket = nullptr;
    decltype(&::PQstatus) PQstatus = nullptr;
};

// The library's functions, or none when it cannot be loaded (then `error`
// says why). Loaded once, from any thread.
const LibPq* libPq(QString* error = nullptr);

} // namespace pptdrill
