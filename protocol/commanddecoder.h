#pragma once

#include "protocol/commandtable.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// One command of the stream the panel writes, as a person reads it.
struct DecodedCommand
{
    QByteArray bytes;    // every byte of it, as written
    QString description; // "SetOutputs 5 (Out1 on, Out2 off, Out3 on)"
    ReadKind read = ReadKind::None;

    // The bytes in hex, two blanks, the description:
    // "FE 2F 05  SetOutputs 5 (Out1 on, Out2 off, Out3 on)".
    QString line() const { return HexLine(bytes, description); }
    static QString HexLine(QByteArrayView bytes, const QString &description);
};

// Reads the stream the panel writes to the board, split anywhere, and names
// each command in it, by the rules the board follows: the same framing, so
// the names are what the board carries out. Every byte ends up in exactly one
// command. Characters in a row are one "text" command, which ends with each
// piece fed. Memory stays bounded: an unfinished command is never longer than
// the longest definition.
class CommandDecoder
{
public:
    // The next bytes of the stream; the commands they complete, in order.
    QList<DecodedCommand> feed(QByteArrayView bytes);
    // The unfinished command so far ("DefineUserScreen 10"); empty when none.
    QString pending() const;
    // Forgets an unfinished command, as the board does when it is switched off.
    void reset() { m_command.clear(); }

private:
    void step(quint8 byte, QList<DecodedCommand> &out);
    void takeCharacters(QList<DecodedCommand> &out);

    QByteArray m_command; // an unfinished command, from its prefix on
    QByteArray m_text;    // characters of the piece being fed
};
