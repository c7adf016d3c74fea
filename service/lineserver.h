#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class LineConnection;
class LocalListener;
class LocalStream;

// Serves a local socket to programs of the same user: each client sends
// lines (UTF-8, one a line, a '\r' before the '\n' dropped) and gets exactly
// one answer line for each, in order. What a line means is for whoever
// handles lineReceived(): a client's lines are handed on one at a time, the
// next only after answer() was called for the one before, which may be later
// from the event loop. Different clients' lines interleave.
//
// A client of another user is closed at once, one over MaxClients is told
// TooManyClients and closed. A client that sends a line over MaxLineBytes,
// more lines than wait to be handled (MaxWaitingLines or MaxWaitingBytes), or
// leaves over MaxUnreadAnswerBytes of answers unread is cut off: closed, its
// waiting lines dropped, answered nothing more. So no client can hold up the
// others or the owner, nor make it hold more than these bounds.
class LineServer : public QObject
{
    Q_OBJECT

public:
    static constexpr int MaxClients = 16;
    static constexpr qsizetype MaxLineBytes = 64 * 1024;
    static constexpr int MaxWaitingLines = 256;
    static constexpr qsizetype MaxWaitingBytes = 1024 * 1024;
    static constexpr qint64 MaxUnreadAnswerBytes = 1024 * 1024;
    static constexpr char TooManyClients[] = "error: too many programs use this port";

    explicit LineServer(QObject *parent = nullptr);
    // Stops serving as close() does.
    ~LineServer() override;

    // Listens on the socket `path`, with mode 0600. What stands there first
    // is cleared as SocketFile::clear() says: a stale socket is replaced, a
    // program that answers there keeps it (false, *error says why).
    bool listen(const QString &path, QString *error);
    // Stops listening, removes the socket file and closes every client.
    void close();
    bool isListening() const;

    // The answer to the line the client's lineReceived() handed on; a line
    // break in it becomes a blank, so that it stays one line. Dropped when
    // the client has gone or has no line being handled.
    void answer(quint64 client, const QString &answer);

    int clientCount() const { return int(m_clients.size()); }
    // The client as a traffic monitor shows it ("vantorctl 4711"); empty for
    // a client that has gone.
    QString clientLabel(quint64 client) const;

signals:
    // A line of the client, to be answered with answer(). Client numbers are
    // not used again while the server lives.
    void lineReceived(quint64 client, const QString &line);
    void clientCountChanged(int count);
    // The client broke a bound and is closed now ("a line over 64 KiB");
    // emitted while clientLabel() still knows it.
    void clientCutOff(quint64 client, const QString &why);

private:
    void acceptPending();
    void admit(LocalStream *client);
    void turnAway(LocalStream *client);
    void forget(quint64 client);

    LocalListener *m_listener;
    QHash<quint64, LineConnection *> m_clients;
    quint64 m_lastClient = 0;
};
