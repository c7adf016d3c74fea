#include "link/readturns.h"

#include <QTimer>

ReadTurns::ReadTurns(QObject *parent) : QObject(parent)
{
}

bool ReadTurns::isBusy() const
{
    return m_pending != ReadKind::None || !m_held.isEmpty();
}

// The window's read runs inside readWanted: it sends (readSent) and waits its
// tick, during which the reply may already be shown. A request that did not go
// out (the port closed) is unanswered at once.
bool ReadTurns::request(ReadKind kind)
{
    if (isBusy() || kind == ReadKind::None)
        return false;
    m_asking = kind;
    emit readWanted(kind);
    if (m_asking != ReadKind::None) {
        m_asking = ReadKind::None;
        emit unanswered(kind);
    }
    return true;
}

// Only a program's read holds the operator back: a click while another
// click's read is pending runs at once, as it always has.
bool ReadTurns::holdOperatorRead(ReadKind kind)
{
    const bool programOut = m_pending != ReadKind::None && m_pendingIsProgram;
    if (!programOut && m_held.isEmpty())
        return false;
    if (!m_held.contains(kind))
        m_held << kind;
    return true;
}

void ReadTurns::readSent(ReadKind kind)
{
    m_pendingIsProgram = m_asking == kind;
    m_asking = ReadKind::None;
    m_pending = kind;
}

// Bytes that come with no read pending (unasked, or late) are the window's
// business alone.
void ReadTurns::replyShown(ReadKind kind, const QByteArray &reply)
{
    if (m_pending == kind)
        finish(kind, &reply);
}

void ReadTurns::replyMissed(ReadKind kind)
{
    if (m_pending == kind)
        finish(kind, nullptr);
}

// The held reads run from the event loop, not from inside the port's receive
// handler or the deadline's tick that ended this read.
void ReadTurns::finish(ReadKind kind, const QByteArray *reply)
{
    const bool program = m_pendingIsProgram;
    m_pending = ReadKind::None;
    m_pendingIsProgram = false;
    if (program && reply)
        emit answered(kind, *reply);
    else if (program)
        emit unanswered(kind);
    if (!m_held.isEmpty())
        QTimer::singleShot(0, this, &ReadTurns::runHeld);
    else
        emit idle();
}

// One held read goes out; the next waits for its end. A read that cannot go
// out (the port closed) makes way for the next at once.
void ReadTurns::runHeld()
{
    while (m_pending == ReadKind::None && !m_held.isEmpty())
        emit heldReadDue(m_held.takeFirst());
    if (!isBusy())
        emit idle();
}
