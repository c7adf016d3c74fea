#include "ctl/ctllink.h"

#include "link/sendcommand.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>

bool CtlLink::open(const QString &device, const QString &settings, QString *error)
{
    m_device = device;
    m_port.setDeviceResolver([device](int) { return device; });
    m_port.setSettings(settings);
    if (m_port.setPortOpen(true))
        return true;
    *error = OpenFailureText(device, m_port.LastOpenFailure(), m_port.errorString());
    return false;
}

LinkOutcome CtlLink::carryOut(const CtlCommand &command, QByteArray *reply, QString *error)
{
    if (command.read != ReadKind::None)
        m_port.setInBufferCount(0); // bytes from before the request are not its reply
    if (!send(command.writes, error)) {
        // Bytes still queued would reach the board at some later moment,
        // in the middle of whatever came next: they go with the port.
        m_port.setPortOpen(false);
        return LinkOutcome::Stopped;
    }
    if (command.newBoardSpeed)
        followBoardSpeed(*command.newBoardSpeed);
    if (command.read == ReadKind::None || awaitReply(ReplyLength(command.read), reply, error))
        return LinkOutcome::Done;
    return m_port.PortOpen() ? LinkOutcome::NoReply : LinkOutcome::Stopped;
}

// Every write queued whole, in order (the line is drained before each
// command, so there is room for all of them), then sent out: the command is
// done once the device has sent its last byte.
bool CtlLink::send(const QList<QByteArray> &writes, QString *error)
{
    bool sent = true;
    for (const QByteArray &bytes : writes)
        sent = sent && WriteCommand(m_port, bytes) == SendResult::Sent;
    if (sent && m_port.drainOutput(m_timeoutMs))
        return true;
    *error =
        m_port.PortOpen()
            ? QStringLiteral("%1: the board took no data for %2 ms").arg(m_device).arg(m_timeoutMs)
            : QStringLiteral("%1: the device went away").arg(m_device);
    return false;
}

bool CtlLink::awaitReply(int length, QByteArray *reply, QString *error)
{
    m_port.setRThreshold(length);
    if (m_port.InBufferCount() < length) {
        QEventLoop wait;
        QTimer::singleShot(m_timeoutMs, &wait, &QEventLoop::quit);
        QObject::connect(&m_port, &MSComm::OnComm, &wait, [this, length, &wait] {
            if (m_port.InBufferCount() >= length || !m_port.PortOpen())
                wait.quit();
        });
        wait.exec();
    }
    *reply = m_port.Input();
    if (reply->size() >= length)
        return true;
    if (!m_port.PortOpen()) {
        *error = QStringLiteral("%1: the device went away").arg(m_device);
        return false;
    }
    *error = QStringLiteral("%1: no reply from the board within %2 ms (%3 of %4 bytes)")
                 .arg(m_device)
                 .arg(m_timeoutMs)
                 .arg(reply->size())
                 .arg(length);
    return false;
}

// The board switches once it has read the command, which has left by now;
// the line follows it after a moment, so that no byte of the next command
// reaches a board still reading at the old speed.
void CtlLink::followBoardSpeed(qint32 bitsPerSecond)
{
    QThread::msleep(SpeedSettleMs);
    m_port.setSettings(bitsPerSecond == 19200 ? Settings19200 : Settings9600);
}
