#pragma once

#include "protocol/commandtable.h"

#include <QObject>
#include <QTimer>

// The time a read's reply has to arrive in full. Started when a read request
// has gone out; the reply completes it. When the time passes first, expired()
// tells which read went without its reply, once. A new start forgets the read
// before it.
class ReplyDeadline : public QObject
{
    Q_OBJECT

public:
    static constexpr int TimeoutMs = 500;

    explicit ReplyDeadline(QObject *parent = nullptr);

    void start(ReadKind kind);
    // The whole reply has been read.
    void complete() { m_timer.stop(); }

signals:
    void started();
    void expired(ReadKind kind);

private:
    QTimer m_timer;
    ReadKind m_kind = ReadKind::None;
};
