#include "link/portmap.h"

#include "link/inikeys.h"
#include "link/modini.h"
#include "link/mscomm.h"

QString DeviceForPort(int port)
{
    const QString mapped = ReadIniValue(Ini::PortsSection, Ini::PortKey(port));
    return mapped.isEmpty() ? MSComm::PlatformDevice(port) : mapped;
}
