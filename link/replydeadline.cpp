#include "link/replydeadline.h"

ReplyDeadline::ReplyDeadline(QObject *parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(TimeoutMs);
    connect(&m_timer, &QTimer::timeout, this, &ReplyDeadline::timeUp);
}

void ReplyDeadline::start(qint16 kind, int replyLength)
{
    m_kind = kind;
    m_replyLength = replyLength;
    m_completed = false;
    m_timer.start();
    emit started(kind);
}

void ReplyDeadline::complete()
{
    m_completed = true;
    m_timer.stop();
}

void ReplyDeadline::timeUp()
{
    if (!m_completed)
        emit expired(m_kind);
}
