#include "classroom/libpq.h"

#include <dlfcn.h>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

struct Loaded
{
    LibPq functions;
    bool ok = false;
    QString error;
};

template <typename F> bool resolve(void* library, const char* name, F& function)
{
    function = reinterpret_cast<F>(::dlsym(library, name));
    return function != nullptr;
}

Loaded load()
{
    Loaded loaded;
    void* library = ::dlopen("libpq.so.5", RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        loaded.error = QString::fromLocal8Bit(::dlerror());
        return loaded;
    }
    LibPq& f = loaded.functions;
    const bool all =
        resolve(library, "PQclear", f.PQclear) && resolve(library, "PQconnectPoll", f.PQconnectPoll) &&
        resolve(library, "PQconnectStartParams", f.PQconnectStartParams) &&
        resolve(library, "PQconsumeInput", f.PQconsumeInput) &&
        resolve(library, "PQerrorMessage", f.PQerrorMessage) &&
        resolve(library, "PQescapeIdentifier", f.PQescapeIdentifier) &&
        resolve(library, "PQescapeLiteral", f.PQescapeLiteral) && resolve(library, "PQfinish", f.PQfinish) &&
        resolve(library, "PQflush", f.PQflush) && resolve(library, "PQfreemem", f.PQfreemem) &&
        resolve(library, "PQgetResult", f.PQgetResult) && resolve(library, "PQgetisnull", f.PQgetisnull) &&
        resolve(library, "PQgetlength", f.PQgetlength) && resolve(library, "PQgetvalue", f.PQgetvalue) &&
        resolve(library, "PQisBusy", f.PQisBusy) && resolve(library, "PQnfields", f.PQnfields) &&
        resolve(library, "PQntuples", f.PQntuples) &&
        resolve(library, "PQresultErrorField", f.PQresultErrorField) &&
        resolve(library, "PQresultErrorMessage", f.PQresultErrorMessage) &&
        resolve(library, "PQresultStatus", f.PQresultStatus) &&
        resolve(library, "PQsendQuery", f.PQsendQuery) &&
        resolve(library, "PQsendQueryParams", f.PQsendQueryParams) &&
        resolve(library, "PQsetNoticeProcessor", f.PQsetNoticeProcessor) &&
        resolve(library, "PQsetnonblocking", f.PQsetnonblocking) &&
        resolve(library, "PQsocket", f.PQsocket) && resolve(library, "PQstatus", f.PQstatus);
    if (!all) {
        loaded.error = QString::fromLocal8Bit(::dlerror());
        return loaded;
    }
    loaded.ok = true;
    return loaded;
}

} // namespace

const LibPq* libPq(QString* error)
{
    static const Loaded loaded = load();
    if (!loaded.ok && error)
        *error = loaded.error;
    return loaded.ok ? &loaded.functions : nullptr;
}

} // namespace pptdrill
