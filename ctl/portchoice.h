#pragma once

#include "ctl/ctloptions.h"

#include <QString>
#include <optional>

// The device vantorctl opens and the serial settings text it opens it with.
struct PortChoice
{
    QString device;
    QString settings;
};

// --port (a device, or COMn mapped as the panel maps port n) and --speed;
// without them the panel's own choice from the vantor.ini the panel uses (or
// the file --ini names): "CommPort" (1 to 6, else 1) mapped through [Ports],
// and "Setting" (else 9600 bit/s). No value, with *error set, for a COMn out
// of range, or a settings file that is there but cannot be read (a default
// device in its place could be another program's).
std::optional<PortChoice> ChoosePort(const CtlOptions &options, QString *error);
