#pragma once

#include "protocol/commandtable.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QTimer>

class PtyPair;

// Plays a board that answers the reads: every millisecond, on the event loop,
// it takes what the panel wrote to the pseudo-terminal and answers each read
// request (FE 0A, FE 0B, FE 0D) with its reply. A read told to stay silent is
// never answered; while holding, the requests queue up until released.
class ReadAnswerer : public QObject
{
    Q_OBJECT

public:
    // Default replies: inputs 5, 0-10V count 512 (5.0176V), 0-20mA count 1000 (20mA).
    explicit ReadAnswerer(PtyPair &board);

    void setReply(ReadKind kind, const QByteArray &reply) { m_replies[kind] = reply; }
    void silence(ReadKind kind) { m_silent << kind; }
    void hold() { m_holding = true; }
    // Answers the oldest request held; false when none is.
    bool releaseOne();

    // Every byte the panel wrote so far.
    QByteArray received() const { return m_received; }
    // The read requests seen so far, in order.
    QList<ReadKind> requests() const { return m_requests; }

private:
    void check();
    void answer(ReadKind kind);

    PtyPair &m_board;
    QTimer m_timer;
    QByteArray m_received;
    qsizetype m_scanned = 0;
    QList<ReadKind> m_requests;
    QList<ReadKind> m_held;
    QMap<ReadKind, QByteArray> m_replies;
    QList<ReadKind> m_silent;
    bool m_holding = false;
};
