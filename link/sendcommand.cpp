#include "link/sendcommand.h"

#include "link/mscomm.h"

SendResult WriteCommand(MSComm &port, const QByteArray &bytes)
{
    if (!port.PortOpen())
        return SendResult::PortNotOpen;
    return port.setOutput(bytes) ? SendResult::Sent : SendResult::BoardNotTakingData;
}

bool RoomForCommand(const MSComm &port)
{
    return !port.PortOpen() || port.OutBufferCount() + CommandRoom <= MSComm::OutBufferSize;
}
