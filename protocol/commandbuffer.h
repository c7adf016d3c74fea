#pragma once

#include <QByteArray>

// The bytes of the next write to the board. Every builder replaces it, a few
// callers append to it, and nothing ever clears it after a send.
extern QByteArray strCommand;
