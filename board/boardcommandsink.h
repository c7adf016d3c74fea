#pragma once

#include "boardcommand.h"

// Receives each command as soon as the parser has decoded it completely.
class BoardCommandSink
{
public:
    virtual ~BoardCommandSink() = default;
    virtual void execute(const BoardCommand &command) = 0;
};
