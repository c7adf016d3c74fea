#pragma once

#include "protocol/line/linecommand.h"
#include "protocol/line/lineoptions.h"
#include "protocol/line/lineresult.h"

// Where vantorctl's commands go: straight to the device it opened itself, or
// through the program that owns the port.
class CtlLink
{
public:
    virtual ~CtlLink() = default;

    // False once the device went away or stopped taking data: a session ends.
    virtual bool isOpen() const = 0;
    // Carries out the command that options.words name, built beforehand from
    // them (the owner is sent the words); its answer.
    virtual LineAnswer carryOut(const LineOptions &options, const LineCommand &command) = 0;
};
