#pragma once

#include <QString>

// The device behind port number n: the value of "COMn" in section "Ports" of
// the settings file, or else "COMn" on Windows and /dev/ttyS{n-1} elsewhere.
QString DeviceForPort(int port);
