#pragma once

#include "link/openfailure.h"

#include <QString>

// Where the link to the board stands, as the operator is told it.
struct ConnectionState
{
    enum Kind
    {
        Open,
        Closed,           // not opened yet, or an opening failed for `failure`
        ClosedByOperator, // closed on request: another port or device was chosen, or the program
                          // ends
        Lost,             // the device went away while open; waiting for it to come back
        Waiting,          // the device was not there when the port was to open; waiting for it
    };

    ConnectionState(Kind kind = Closed, OpenFailure failure = OpenFailure::None,
                    const QString &systemText = {})
        : kind(kind), failure(failure), systemText(systemText)
    {
    }

    Kind kind;
    OpenFailure failure;
    QString systemText; // the system's words, for a failure of no known kind

    // "Open", "Closed: permission denied", "Closed by the operator",
    // "Lost: waiting for the device", "Waiting for the device", ...
    QString text() const;
    // What the operator is told of a closed port, naming its device ("Waiting
    // for /dev/ttyUSB0 to appear."); empty while open or closed on request.
    QString closedNote(const QString &device) const;
};
