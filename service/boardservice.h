#pragma once

#include "protocol/line/lineresult.h"
#include "service/boardexecutor.h"
#include "service/lineserver.h"

#include <QHash>
#include <QObject>
#include <QString>

class MSComm;

// Serves the port of its owner (the panel, or vantorctl serve) to the other
// programs of the same user. While the port is open, and while its lost
// device is waited for, a LineServer listens on the socket of the device (see
// RuntimeFolder); it stops when the port is closed on request (released,
// another port chosen, the program ending). Each line a client sends is read
// with the one parser of the line language, carried out by the executor on
// the port, whole and in turn with the owner's own work, and answered with
// one line: "ok", the read's value, or "error: ..." (with --json on the line,
// one JSON object). Help is answered with one line too.
class BoardService : public QObject
{
    Q_OBJECT

public:
    explicit BoardService(MSComm &port, QObject *parent = nullptr);

    BoardExecutor &executor() { return m_executor; }
    int clientCount() const { return m_server.clientCount(); }
    // The socket served on; empty while none.
    QString socketPath() const { return m_socketPath; }
    // Why the last attempt to serve failed; empty when it did not.
    QString errorString() const { return m_error; }

signals:
    void clientCountChanged(int count);
    // Serving started, stopped or failed.
    void servingChanged();

private:
    struct Pending
    {
        quint64 client = 0;
        bool json = false;
        ReadKind read = ReadKind::None;
    };

    void serve();
    void stop();
    void lineReceived(quint64 client, const QString &line);
    void finished(quint64 ticket, const BoardExecutor::Outcome &outcome);
    void reply(quint64 client, const LineAnswer &answer, bool json);

    MSComm &m_port;
    BoardExecutor m_executor;
    LineServer m_server;
    QHash<quint64, Pending> m_pending;
    QString m_socketPath;
    QString m_error;
};
