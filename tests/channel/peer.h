#pragma once

#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

namespace pptdrill::test {

// A receiver in a process of its own (channel_peer), which logs every text it handles.
class ReceiverPeer
{
public:
    ReceiverPeer(const QString& title, const QString& logPath, int handlerDelayMs = 0) : m_log(logPath)
    {
        m_process.start(QString::fromUtf8(CHANNEL_PEER),
                        {QStringLiteral("receive"), title, logPath, QString::number(handlerDelayMs)});
        while (!m_process.canReadLine() && m_process.waitForReadyRead(30000)) {
        }
        const QByteArray line = m_process.readLine().trimmed();
        EXPECT_TRUE(line.startsWith("registered "))
            << line.constData() << m_process.readAllStandardError().constData();
        sequence = line.mid(11).toULongLong();
        pid = m_process.processId();
    }
    ~ReceiverPeer() { kill(); }
    ReceiverPeer(const ReceiverPeer&) = delete;
    ReceiverPeer& operator=(const ReceiverPeer&) = delete;

    QStringList received() const
    {
        QFile f(m_log);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    void kill()
    {
        if (m_process.state() != QProcess::NotRunning) {
            ::kill(static_cast<pid_t>(pid), SIGCONT);
            m_process.kill();
            m_process.waitForFinished(30000);
        }
    }
    // Stops the process and returns once the system reports it stopped.
    void pause()
    {
        ::kill(static_cast<pid_t>(pid), SIGSTOP);
        for (int i = 0; i < 3000; ++i) {
            QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
            if (stat.open(QIODevice::ReadOnly)) {
                const QByteArray text = stat.readAll();
                if (text.mid(text.lastIndexOf(')') + 2, 1) == "T")
                    return;
            }
            QThread::msleep(10);
        }
        ADD_FAILURE() << "the peer did not stop";
    }
    void resume() { ::kill(static_cast<pid_t>(pid), SIGCONT); }

    quint64 sequence = 0;
    qint64 pid = 0;

private:
    QProcess m_process;
    QString m_log;
};

} // namespace pptdrill::test
