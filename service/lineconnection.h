#pragma once

#include <QByteArray>
#include <QObject>
#include <QQueue>
#include <QString>

class LocalStream;

// One client of a LineServer: the bytes it sends cut into lines, the lines
// waiting to be handled, and the one being handled, whose answer goes back
// before the next is handed on. It keeps the server's bounds, and cuts off a
// client that breaks one.
class LineConnection : public QObject
{
    Q_OBJECT

public:
    // Takes over the connected socket.
    LineConnection(quint64 id, LocalStream *socket, const QString &label, QObject *parent);

    quint64 id() const { return m_id; }
    QString label() const { return m_label; }
    // Answers the line being handled and hands on the next one from the event
    // loop (so a handler that answers at once does not recurse, and other
    // clients get their turn). Nothing when no line is being handled.
    void answer(const QString &text);
    // Closes the connection, dropping what waits; ended() follows.
    void close();

signals:
    void lineReceived(quint64 id, const QString &line);
    // Before the connection is closed for breaking a bound.
    void cutOff(quint64 id, const QString &why);
    // The connection is closed, by the client or by this end; emitted once.
    void ended(quint64 id);

private:
    void readBytes();
    bool takeLines(const QByteArray &chunk);
    bool enqueue(QByteArray line);
    void handNext();
    bool cutOffFor(const QString &why);
    void end();

    const quint64 m_id;
    LocalStream *const m_socket;
    const QString m_label;
    QByteArray m_partial;         // the line being received, so far
    QQueue<QByteArray> m_waiting; // whole lines not yet handed on
    qsizetype m_waitingBytes = 0;
    bool m_handling = false; // a line was handed on and not yet answered
    bool m_ended = false;
};
