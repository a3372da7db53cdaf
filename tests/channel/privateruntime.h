#pragma once

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

namespace pptdrill::test {

// A private runtime folder (XDG_RUNTIME_DIR) for one test and the processes it
// starts; the previous setting comes back afterwards.
class PrivateRuntimeFolder
{
public:
    PrivateRuntimeFolder()
        : m_previous(qgetenv("XDG_RUNTIME_DIR")), m_hadPrevious(qEnvironmentVariableIsSet("XDG_RUNTIME_DIR"))
    {
        QFile::setPermissions(m_dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir.path()));
    }
    ~PrivateRuntimeFolder()
    {
        if (m_hadPrevious)
            qputenv("XDG_RUNTIME_DIR", m_previous);
        else
            qunsetenv("XDG_RUNTIME_DIR");
    }
    PrivateRuntimeFolder(const PrivateRuntimeFolder&) = delete;
    PrivateRuntimeFolder& operator=(const PrivateRuntimeFolder&) = delete;

    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
    bool m_hadPrevious;
};

} // namespace pptdrill::test
