#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

// What each byte of the command set means to a reader of the stream: the
// names, the shape of what follows the prefix, and which reads are answered.

// The read a command asks for; the values are those of intReadKind.
enum class ReadKind : qint16
{
    None = 0,
    Inputs = 1,
    Voltage = 2,
    Current = 3,
};

// What follows the command byte.
enum class CommandShape : quint8
{
    Plain,         // nothing
    OneParameter,  // one byte
    TwoParameters, // two bytes
    CustomData,    // the 64 rows of the custom characters
    Screen,        // two lines of up to 16 characters, then the end-of-text mark
    Scroll,        // two texts of up to 40 characters, then the end-of-text mark
    Unknown,       // nothing: a byte that is no command is skipped with its prefix
};

struct CommandInfo
{
    const char *name;
    CommandShape shape;
    ReadKind read; // None for every command the board does not answer
};

// The command whose byte follows the prefix.
CommandInfo LookUpCommand(quint8 code);
// The name of a control code sent alone ("NewLine"); nullptr for a character.
const char *ControlName(quint8 byte);
// Bytes of the reply to a read: 1 for the inputs, 3 for an analog input.
int ReplyLength(ReadKind kind);
// The command that asks for the read ("ReadVoltage").
const char *ReadName(ReadKind kind);

// The lines of a screen or scroll definition, read from the bytes after its
// command byte. Line 1 ends at the end-of-line mark or when full (a mark right
// after a full line 1 still belongs to it); line 2 ends at the end-of-text
// mark, which also ends the definition inside line 1. A full line 2 followed
// by any other byte is cut there, and that byte is no longer part of it.
struct DefinitionLines
{
    QByteArray line1;
    QByteArray line2;
    qsizetype length = 0; // bytes of the body taken; 0 while unfinished
    bool cut = false;     // ended by a full line 2 without its end mark
};
DefinitionLines ParseDefinition(QByteArrayView body, int lineLimit);
// Characters of one line of a Screen (16) or Scroll (40) definition.
int DefinitionLineLimit(CommandShape shape);

// How many bytes from the start of `command` (the prefix, the command byte and
// what followed) make one complete command; 0 while it is unfinished.
struct CommandExtent
{
    qsizetype length = 0;
    bool cut = false;
};
CommandExtent MeasureCommand(QByteArrayView command);
