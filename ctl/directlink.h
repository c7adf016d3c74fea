#pragma once

#include "ctl/ctllink.h"
#include "ctl/portchoice.h"
#include "link/mscomm.h"
#include "service/boardexecutor.h"

// vantorctl opens the device itself and carries commands out with the
// executor every owner of a port uses; a command is done once its bytes have
// left the device, so the program may end.
class DirectLink : public CtlLink
{
public:
    // How long the board has to switch after a speed command has left.
    static constexpr int SpeedSettleMs = 100;

    // False, with *error naming the device and why, when it cannot be opened.
    bool open(const PortChoice &choice, QString *error);
    bool isOpen() const override { return m_port.PortOpen(); }
    LineAnswer carryOut(const LineOptions &options, const LineCommand &command) override;

private:
    BoardExecutor::Outcome execute(const LineCommand &command, int timeoutMs);
    bool drain(int timeoutMs, QString *error);

    MSComm m_port;
    BoardExecutor m_executor{m_port};
};
