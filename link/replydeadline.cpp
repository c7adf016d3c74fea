#include "link/replydeadline.h"

ReplyDeadline::ReplyDeadline(QObject *parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(TimeoutMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { emit expired(m_kind); });
}

void ReplyDeadline::start(ReadKind kind)
{
    m_kind = kind;
    m_timer.start();
    emit started();
}
