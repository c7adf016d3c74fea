#include "link/portmap.h"

#include "link/inikeys.h"
#include "link/modini.h"
#include "link/mscomm.h"

QString DeviceForPort(int port)
{
    const QString mapped = ReadIniValue(Ini::PortsSection, Ini::PortKey(port));
    return mapped.isEmpty() ? MSComm::PlatformDevice(port) : mapped;
}

QString PortDevices::device(int port) const
{
    return port == m_port ? m_device : DeviceForPort(port);
}

void PortDevices::choose(int port)
{
    choose(port, DeviceForPort(port));
}

void PortDevices::choose(int port, const QString &device)
{
    m_port = port;
    m_device = device;
}
