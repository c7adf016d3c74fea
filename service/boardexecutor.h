#pragma once

#include "protocol/line/linecommand.h"
#include "protocol/line/lineresult.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <deque>

class MSComm;

// Carries out commands of the line language on an open port, one at a time
// and each whole: its writes go out one after the other with nothing of
// anyone else's between them, and a read waits for its whole reply, which is
// its own (the owner's read-outs do not see it). A command waits while work
// of the owner is under way on the port (see PortActivity: a handler between
// its writes, an upload, a read of the owner's own), and holds the port in
// turn while its read waits.
class BoardExecutor : public QObject
{
    Q_OBJECT

public:
    struct Outcome
    {
        LineStatus status = StatusDone;
        QByteArray reply; // a read's whole reply
        QString error;    // why it is not done, naming the device

        // The answer to the command's line: "ok", the read's value or the error.
        LineAnswer answer(ReadKind read) const;
    };

    explicit BoardExecutor(MSComm &port, QObject *parent = nullptr);

    // A ticket no other submitter holds: the executor may be shared (the
    // socket's clients, the MQTT bridge), and finished() goes to all of them.
    quint64 newTicket() { return ++m_lastTicket; }
    // Queues the command; finished() tells how it went, with the ticket.
    // origin is whom its traffic is for ("vantorctl 4711"), empty for the
    // port's owner itself.
    void submit(quint64 ticket, const LineCommand &command, int timeoutMs,
                const QString &origin = {});
    // Nothing queued and nothing running.
    bool idle() const { return m_queue.empty() && !m_running; }

signals:
    void finished(quint64 ticket, const BoardExecutor::Outcome &outcome);
    // A command told the board to move to this speed; what the port does is
    // its owner's choice.
    void boardSpeedTold(qint32 bitsPerSecond);

private:
    struct Job
    {
        quint64 ticket;
        LineCommand command;
        int timeoutMs;
        QString origin;
    };

    void runNext();
    void start(const Job &job);
    bool writeAll(const Job &job);
    void awaitReply();
    void received();
    void finish(LineStatus status, const QString &error = {}, const QByteArray &reply = {});
    QString device() const;

    MSComm &m_port;
    std::deque<Job> m_queue;
    bool m_running = false;
    bool m_awaiting = false; // the running command's read waits for its reply
    Job m_job{};
    QTimer m_deadline;
    int m_savedThreshold = 1;
    quint64 m_lastTicket = 0;
};
