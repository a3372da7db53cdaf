#pragma once

#include <QString>
#include <optional>
#include <utility>

namespace pptdrill {

// Outcome of a core operation: a value, or the message of what went wrong.
// A failure may carry a number that tells kinds of failure apart where a
// caller needs to (the database layer gives the SQLite extended result code);
// it is 0 when the failure has none.
template <typename T> class Result
{
public:
    Result(T value) : m_value(std::move(value)) {}
    static Result failure(QString message, int code = 0)
    {
        Result r;
        r.m_error = std::move(message);
        r.m_code = code;
        return r;
    }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const QString& error() const { return m_error; }
    int code() const { return m_code; }
    T& value() { return *m_value; }
    const T& value() const { return *m_value; }
    T* operator->() { return &*m_value; }
    const T* operator->() const { return &*m_value; }
    T& operator*() { return *m_value; }

private:
    Result() = default;
    std::optional<T> m_value;
    QString m_error;
    int m_code = 0;
};

template <> class Result<void>
{
public:
    Result() = default;
    static Result failure(QString message, int code = 0)
    {
        Result r;
        r.m_failed = true;
        r.m_error = std::move(message);
        r.m_code = code;
        return r;
    }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const QString& error() const { return m_error; }
    int code() const { return m_code; }

private:
    bool m_failed = false;
    QString m_error;
    int m_code = 0;
};

using Status = Result<void>;

} // namespace pptdrill
