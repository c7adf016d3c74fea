#include "ctl/directlink.h"

#include "link/serialsettings.h"

#include <QEventLoop>
#include <QThread>

bool DirectLink::open(const PortChoice &choice, QString *error)
{
    const QString device = choice.device;
    m_port.setDeviceResolver([device](int) { return device; });
    m_port.setSettings(choice.settings);
    if (m_port.setPortOpen(true))
        return true;
    *error = OpenFailureText(device, m_port.LastOpenFailure(), m_port.errorString());
    return false;
}

BoardExecutor::Outcome DirectLink::execute(const LineCommand &command, int timeoutMs)
{
    BoardExecutor::Outcome outcome;
    QEventLoop wait;
    QObject::connect(&m_executor, &BoardExecutor::finished, &wait,
                     [&](quint64, const BoardExecutor::Outcome &done) {
                         outcome = done;
                         wait.quit();
                     });
    m_executor.submit(0, command, timeoutMs);
    if (!m_executor.idle())
        wait.exec();
    return outcome;
}

// Every byte out of the device: the program may end, and bytes left in a
// queue would reach the board at some later moment in the middle of what
// comes next, so a device that takes none for the time-out is closed.
bool DirectLink::drain(int timeoutMs, QString *error)
{
    if (m_port.drainOutput(timeoutMs))
        return true;
    *error = m_port.PortOpen()
                 ? QStringLiteral("%1: the board took no data for %2 ms")
                       .arg(m_port.DeviceName())
                       .arg(timeoutMs)
                 : QStringLiteral("%1: the device went away").arg(m_port.DeviceName());
    m_port.setPortOpen(false);
    return false;
}

LineAnswer DirectLink::carryOut(const LineOptions &options, const LineCommand &command)
{
    const BoardExecutor::Outcome outcome = execute(command, options.timeoutMs);
    QString drainError;
    const bool drained = drain(options.timeoutMs, &drainError);
    if (outcome.status != StatusDone)
        return LineAnswer::error(outcome.status, outcome.error);
    if (!drained)
        return LineAnswer::error(StatusNoAnswer, drainError);
    // The board switches once it has read the command, which has left by
    // now; the line follows it after a moment, so no byte of the next
    // command reaches a board still reading at the old speed.
    if (command.newBoardSpeed) {
        QThread::msleep(SpeedSettleMs);
        m_port.setSettings(*command.newBoardSpeed == 19200 ? Settings19200 : Settings9600);
    }
    return command.read == ReadKind::None ? LineAnswer::ok()
                                          : LineAnswer::read(command.read, outcome.reply);
}
