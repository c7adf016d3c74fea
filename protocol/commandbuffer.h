#pragma once

#include <QByteArray>

// The bytes of the next write to the board. Written by every builder (the
// encoders and the windows' handlers), which replace it; a few handlers append
// to it. Nothing ever clears it after a send.
extern QByteArray strCommand;
