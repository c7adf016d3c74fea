#pragma once

class MSComm;

// What became of one send of strCommand.
enum class SendOutcome
{
    Sent,       // the whole buffer went to the port in one write
    PortClosed, // the port is closed; nothing was written
};

// Writes the whole of strCommand to the port in one write when it is open.
// Decides and writes only: telling the operator is the window's part.
// strCommand is left as it is either way.
SendOutcome WriteCommand(MSComm &port);
