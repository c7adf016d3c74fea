#pragma once

#include <QObject>
#include <QTimer>

// The time a read's reply has to arrive in full. Started when a read request
// has gone out, with the read's kind and reply length; the reply completes
// it. When the time passes first, expired() tells which read went without
// its reply, once. A new start forgets the read before it.
class ReplyDeadline : public QObject
{
    Q_OBJECT

public:
    static constexpr int TimeoutMs = 500;

    explicit ReplyDeadline(QObject *parent = nullptr);

    void start(qint16 kind, int replyLength);
    // The whole reply has been read.
    void complete();

    qint16 kind() const { return m_kind; }
    int replyLength() const { return m_replyLength; }
    bool isCompleted() const { return m_completed; }

signals:
    void started(qint16 kind);
    void expired(qint16 kind);

private:
    void timeUp();

    QTimer m_timer;
    qint16 m_kind = 0;
    int m_replyLength = 0;
    bool m_completed = false;
};
