#include "service/boardexecutor.h"

#include "link/mscomm.h"
#include "link/sendcommand.h"

#include <utility>

BoardExecutor::BoardExecutor(MSComm &port, QObject *parent) : QObject(parent), m_port(port)
{
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        finish(StatusNoAnswer,
               QStringLiteral("%1: no reply from the board within %2 ms (%3 of %4 bytes)")
                   .arg(device())
                   .arg(m_job.timeoutMs)
                   .arg(m_port.InBufferCount())
                   .arg(ReplyLength(m_job.command.read)));
    });
    connect(&m_port, &MSComm::OnComm, this, &BoardExecutor::received);
    connect(&m_port, &MSComm::portLost, this, [this] {
        if (m_running)
            finish(StatusNoAnswer, QStringLiteral("%1: the device went away").arg(device()));
    });
    // Queued: the work that held the port may still be on its way out.
    connect(&m_port.activity(), &PortActivity::ended, this, &BoardExecutor::runNext,
            Qt::QueuedConnection);
}

LineAnswer BoardExecutor::Outcome::answer(ReadKind read) const
{
    if (status != StatusDone)
        return LineAnswer::error(status, error);
    return read == ReadKind::None ? LineAnswer::ok() : LineAnswer::read(read, reply);
}

void BoardExecutor::submit(quint64 ticket, const LineCommand &command, int timeoutMs,
                           const QString &origin)
{
    m_queue.push_back({ticket, command, timeoutMs, origin});
    runNext();
}

QString BoardExecutor::device() const
{
    return m_port.DeviceName();
}

void BoardExecutor::runNext()
{
    if (m_running || m_queue.empty() || m_port.activity().busy())
        return;
    const Job job = m_queue.front();
    m_queue.pop_front();
    start(job);
}

// Everything is checked before the first byte goes: a command is sent whole or not at all.
void BoardExecutor::start(const Job &job)
{
    m_running = true;
    m_job = job;
    if (!m_port.PortOpen()) {
        const QString note = m_port.ClosedNote();
        finish(StatusPortNotOpened,
               QStringLiteral("%1: the port is not open%2")
                   .arg(device(), note.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(note)));
        return;
    }
    if (!RoomForCommand(m_port) || !writeAll(job)) {
        finish(StatusNoAnswer, QStringLiteral("%1: the board is not taking data").arg(device()));
        return;
    }
    if (job.command.newBoardSpeed)
        emit boardSpeedTold(*job.command.newBoardSpeed);
    if (job.command.read == ReadKind::None)
        finish(StatusDone);
    else
        awaitReply();
}

// The request of a read is the last write: what was waiting before it is
// no reply to it and is dropped first.
bool BoardExecutor::writeAll(const Job &job)
{
    if (job.command.read != ReadKind::None)
        m_port.setInBufferCount(0);
    m_port.setOrigin(job.origin);
    bool sent = true;
    for (const QByteArray &bytes : job.command.writes)
        sent = sent && WriteCommand(m_port, bytes) == SendResult::Sent;
    m_port.setOrigin({});
    return sent;
}

void BoardExecutor::awaitReply()
{
    m_awaiting = true;
    m_port.activity().begin();
    m_port.setReceiveClaimed(true);
    m_port.setOrigin(m_job.origin);
    m_savedThreshold = m_port.RThreshold();
    m_port.setRThreshold(ReplyLength(m_job.command.read));
    m_deadline.start(m_job.timeoutMs);
    received(); // the reply may be waiting already
}

void BoardExecutor::received()
{
    if (!m_awaiting)
        return;
    const int length = ReplyLength(m_job.command.read);
    if (m_port.InBufferCount() >= length)
        finish(StatusDone, {}, m_port.Input());
}

void BoardExecutor::finish(LineStatus status, const QString &error, const QByteArray &reply)
{
    if (!m_running)
        return;
    const bool awaited = std::exchange(m_awaiting, false);
    m_deadline.stop();
    if (awaited) {
        if (status != StatusDone)
            m_port.setInBufferCount(0); // part of a reply must not join the next bytes
        m_port.setReceiveClaimed(false);
        m_port.setRThreshold(m_savedThreshold);
        m_port.setOrigin({});
    }
    m_running = false;
    const quint64 ticket = m_job.ticket;
    emit finished(ticket, {status, reply, error});
    if (awaited)
        m_port.activity().end(); // ended() runs the next command
    else
        runNext();
}
