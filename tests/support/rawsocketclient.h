#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A client on a bare local socket, for what a well-behaved client never does:
// many lines at once, a line without end, never reading an answer. Plain
// system calls, so that it also serves in a forked child.
class RawSocketClient
{
public:
    explicit RawSocketClient(const QString &path);
    ~RawSocketClient();
    RawSocketClient(const RawSocketClient &) = delete;
    RawSocketClient &operator=(const RawSocketClient &) = delete;

    bool isConnected() const { return m_fd >= 0; }
    // Writes all the bytes; false when the server closed the connection first.
    bool send(const QByteArray &bytes);
    // The next `count` lines, without their ends; fewer when the connection closes.
    QList<QByteArray> receiveLines(int count);
    // Waits, reading nothing, until the server closes the connection; false
    // when it has not after timeoutMs (a bound for a test gone wrong).
    bool waitForHangUp(int timeoutMs);

private:
    int m_fd = -1;
    QByteArray m_received;
};
