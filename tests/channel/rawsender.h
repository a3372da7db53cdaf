#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <gtest/gtest.h>

namespace pptdrill::test {

// A sender in this process that does not block, so that an in-process receiver can run.
class RawSender
{
public:
    explicit RawSender(const QString& socketPath)
    {
        m_socket.connectToServer(socketPath);
        EXPECT_TRUE(m_socket.waitForConnected(10000));
    }

    void write(const QByteArray& bytes)
    {
        m_socket.write(bytes);
        m_socket.flush();
    }

    // Runs the event loop until the receiver acknowledges or drops the connection.
    bool acknowledged()
    {
        const QDeadlineTimer deadline(30000);
        while (m_socket.bytesAvailable() == 0 && m_socket.state() == QLocalSocket::ConnectedState &&
               !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return m_socket.read(1) == QByteArray(1, '\0');
    }

    bool dropped()
    {
        const QDeadlineTimer deadline(30000);
        while (m_socket.state() == QLocalSocket::ConnectedState && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            m_socket.waitForReadyRead(0);
        }
        return m_socket.state() != QLocalSocket::ConnectedState;
    }

private:
    QLocalSocket m_socket;
};

} // namespace pptdrill::test
