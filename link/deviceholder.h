#pragma once

#include <QString>

// The program that holds a serial device open, as the operator is told it
// ("vantorctl, process 4711"): from the lock file a program leaves when it
// opens the device, or from the open files of the user's processes. Empty
// when it cannot be told.
QString DeviceHolder(const QString &device);
