#pragma once

#include <QByteArrayView>
#include <QString>

// The words for the units of the written stream, in the style of the board's
// log: the command's name, then its parameters.

// A whole command from its prefix on ("SetCursorPosition row 1, column 15");
// `cut` for a definition that ended without its end mark.
QString DescribeCommand(QByteArrayView command, bool cut = false);
// The part of a command's description that its first two bytes already tell
// ("DefineUserScreen 10"); "prefix" for the prefix alone.
QString CommandTitle(QByteArrayView command);
// Characters written at the cursor: `text "HELLO"`; a custom character's code
// written alone, as its window does: "ShowCustomChar 1".
QString DescribeCharacters(QByteArrayView text);
