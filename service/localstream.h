#pragma once

#include <QByteArray>
#include <QObject>

class QSocketNotifier;

// One connected local socket, driven by the event loop with the system's own
// calls: Qt Core alone, so that a program serving its port need not load
// Qt Network and what it brings (Kerberos, the proxy library) at start-up.
// Reading takes what the kernel holds, a bounded chunk at a time; writing
// hands the kernel at once what it takes and keeps the rest, which goes out
// as the peer reads. Nothing blocks, and a peer that went away raises no
// SIGPIPE.
//
// disconnected() is emitted once, when the peer closes, a read or write
// fails, or closeWhenWritten() has finished; never for close() or on
// destruction, which the owner does itself.
class LocalStream : public QObject
{
    Q_OBJECT

public:
    // Takes over a connected, non-blocking socket.
    explicit LocalStream(int fd, QObject *parent = nullptr);
    ~LocalStream() override;

    int descriptor() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }

    // At most `most` bytes of what has arrived; empty when nothing has yet,
    // or when the peer has closed (disconnected() has then been emitted).
    QByteArray read(qsizetype most);
    // Dropped once closed or closing.
    void write(const QByteArray &bytes);
    // Written and not yet taken by the kernel.
    qsizetype bytesToWrite() const { return m_unsent.size(); }
    // Reads no more, and closes once what was written has gone out (at once
    // when it has).
    void closeWhenWritten();
    // Closes now; what is not sent yet is dropped.
    void close();

signals:
    void readyRead();
    void disconnected();

private:
    void sendUnsent();
    void lose();

    int m_fd;
    QSocketNotifier *m_reader;
    QSocketNotifier *m_writer; // enabled while bytes wait to be sent
    QByteArray m_unsent;
    bool m_closing = false;
};
