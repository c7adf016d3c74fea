#include "link/sendcommand.h"

#include "link/mscomm.h"
#include "protocol/commandbuffer.h"

SendOutcome WriteCommand(MSComm &port)
{
    if (!port.PortOpen())
        return SendOutcome::PortClosed;
    port.setOutput(strCommand);
    return SendOutcome::Sent;
}
