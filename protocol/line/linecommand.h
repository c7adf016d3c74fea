#pragma once

#include "protocol/commandtable.h"

#include <QByteArray>
#include <QList>
#include <initializer_list>
#include <optional>

// What one command of the line language does on the wire, built before
// anything is sent: its writes in order, split as the panel splits them, then
// at most one read. Building never sends; the executor sends what was built.
struct LineCommand
{
    QList<QByteArray> writes;
    // The read whose reply to wait for after the writes (the request is the
    // last write); None for a command the board does not answer.
    ReadKind read = ReadKind::None;
    // The board is told to move to this speed (bit/s).
    std::optional<qint32> newBoardSpeed;

    // A command of these writes; an empty one puts nothing on the wire and is left out.
    static LineCommand of(std::initializer_list<QByteArray> writes);
};
