#pragma once

#include <QString>
#include <optional>
#include <utility>

namespace pptdrill {

// Outcome of a core operation: a value, or the message of what went wrong.
template <typename T> class Result
{
public:
    Result(T value) : m_value(std::move(value)) {}
    static Result failure(QString message)
    {
        Result r;
        r.m_error = std::move(message);
        return r;
    }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const QString& error() const { return m_error; }
    T& value() { return *m_value; }
    const T& value() const { return *m_value; }
    T* operator->() { return &*m_value; }
    const T* operator->() const { return &*m_value; }
    T& operator*() { return *m_value; }

private:
    Result() = default;
    std::optional<T> m_value;
    QString m_error;
};

template <> class Result<void>
{
public:
    Result() = default;
    static Result failure(QString message)
    {
        Result r;
        r.m_failed = true;
        r.m_error = std::move(message);
        return r;
    }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const QString& error() const { return m_error; }

private:
    bool m_failed = false;
    QString m_error;
};

using Status = Result<void>;

} // namespace pptdrill
