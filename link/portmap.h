#pragma once

#include <QString>

// The device behind port number n as the settings file maps it: the value of
// "COMn" in section "Ports", or else the platform's device for n. The main
// window gives this to its serial control, which knows nothing of the file.
QString DeviceForPort(int port);
