#pragma once

#include "ctl/ctlcommand.h"
#include "link/mscomm.h"

#include <QString>

// What came of a command on the line.
enum class LinkOutcome
{
    Done,
    NoReply, // a read's whole reply did not come in time
    Stopped, // the board took no data in time, or the device went away: the port is closed
};

// vantorctl's side of the line: opens the device, carries out a command built
// beforehand and waits for its reply. Every wait is bounded by one time-out:
// a read's whole reply must come within it, and a device that takes no byte
// for that long has stopped taking data.
class CtlLink
{
public:
    // How long the board has to switch after a speed command has left.
    static constexpr int SpeedSettleMs = 100;

    explicit CtlLink(int timeoutMs) : m_timeoutMs(timeoutMs) {}

    void setTimeout(int ms) { m_timeoutMs = ms; }
    // False, with *error naming the device and why, when it cannot be opened.
    bool open(const QString &device, const QString &settings, QString *error);
    bool isOpen() const { return m_port.PortOpen(); }

    // Writes the command's bytes and waits until they are out; for a read,
    // drops what was waiting before the request and waits for the whole
    // reply, which *reply then holds. *error tells why when it is not done.
    LinkOutcome carryOut(const CtlCommand &command, QByteArray *reply, QString *error);

private:
    bool send(const QList<QByteArray> &writes, QString *error);
    bool awaitReply(int length, QByteArray *reply, QString *error);
    void followBoardSpeed(qint32 bitsPerSecond);

    MSComm m_port;
    QString m_device;
    int m_timeoutMs;
};
