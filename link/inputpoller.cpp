#include "link/inputpoller.h"

#include "link/readturns.h"

#include <algorithm>

InputPoller::InputPoller(ReadTurns &reads, QObject *parent)
    : QObject(parent), m_reads(reads), m_timer(this)
{
    m_timer.setObjectName(QStringLiteral("tmrPoll"));
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, &InputPoller::tick);
    connect(&m_reads, &ReadTurns::answered, this, &InputPoller::answered);
    connect(&m_reads, &ReadTurns::unanswered, this, &InputPoller::missed);
    connect(&m_reads, &ReadTurns::idle, this, &InputPoller::continueLater);
}

void InputPoller::setKinds(const QList<ReadKind> &kinds)
{
    m_kinds.clear();
    for (const ReadKind kind : ReadingSet::Kinds) {
        if (kinds.contains(kind))
            m_kinds << kind;
    }
}

void InputPoller::setInterval(int ms)
{
    m_timer.setInterval(std::clamp(ms, MinIntervalMs, MaxIntervalMs));
}

void InputPoller::start()
{
    if (isRunning())
        return;
    m_rounds = m_skipped = 0;
    m_unanswered.fill(0);
    m_timer.start();
    emit runningChanged(true);
    tick();
}

// A reply still to come for the dropped round's read is not taken by the
// next round: that round waits until the read is over.
void InputPoller::stop()
{
    if (!isRunning())
        return;
    m_timer.stop();
    m_roundOpen = false;
    m_awaiting = ReadKind::None;
    emit runningChanged(false);
}

int InputPoller::unanswered(ReadKind kind) const
{
    return m_unanswered[size_t(kind)];
}

void InputPoller::tick()
{
    if (m_roundOpen) {
        ++m_skipped;
        emit countsChanged();
        return;
    }
    m_round = ReadingSet(QDateTime::currentDateTime());
    m_roundKinds = m_toRead = m_kinds;
    m_roundOpen = true;
    readNext();
}

// Each request runs the window's read, which waits its tick with events
// processed; a reply within that tick lets the next read go at once.
// Otherwise the reply, the deadline or the end of the operator's read calls
// this again.
void InputPoller::readNext()
{
    while (m_roundOpen && m_awaiting == ReadKind::None && !m_reads.isBusy()) {
        if (m_toRead.isEmpty()) {
            finishRound();
            return;
        }
        m_awaiting = m_toRead.takeFirst();
        m_inRequest = true;
        m_reads.request(m_awaiting);
        m_inRequest = false;
    }
}

// From the event loop: the reply or the deadline that ends a read is handled
// inside the port's receive handler or a timer's tick.
void InputPoller::continueLater()
{
    if (m_roundOpen && !m_inRequest)
        QTimer::singleShot(0, this, &InputPoller::readNext);
}

void InputPoller::finishRound()
{
    m_roundOpen = false;
    ++m_rounds;
    emit roundDone(m_round, m_roundKinds);
    emit countsChanged();
}

void InputPoller::answered(ReadKind kind, const QByteArray &reply)
{
    if (kind != m_awaiting)
        return;
    m_round.setReply(kind, reply);
    m_awaiting = ReadKind::None;
    continueLater();
}

void InputPoller::missed(ReadKind kind)
{
    if (kind != m_awaiting)
        return;
    ++m_unanswered[size_t(kind)];
    m_awaiting = ReadKind::None;
    emit countsChanged();
    continueLater();
}
