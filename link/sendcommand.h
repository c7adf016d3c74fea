#pragma once

#include <QByteArray>

class MSComm;

// What came of a send: written whole, or refused whole.
enum class SendResult
{
    Sent,
    PortNotOpen,
    BoardNotTakingData
};

// Room a command of several writes needs before its first write: more than any
// click of the panel writes (the custom characters, the largest, write 134
// bytes). A command that starts with this much room left below the bound of
// the port's output queue cannot reach the bound between its writes, as
// nothing else writes while its handler runs; so the board never gets half a
// definition when it stops taking data.
inline constexpr int CommandRoom = 1024;

// The decision of a send, without a word to the operator: the whole of the
// bytes in one write when the port is open and its output queue has room for
// them, otherwise nothing of them. Telling the operator is the window's part.
SendResult WriteCommand(MSComm &port, const QByteArray &bytes);

// Whether a command of several writes may begin: false only when the port is
// open and its output queue has less than CommandRoom left. (A closed port is
// told by the first write, as "Port Not Open".)
bool RoomForCommand(const MSComm &port);
