#include "link/portmap.h"

#include "link/inikeys.h"
#include "link/modini.h"
#include "link/mscomm.h"
#include "link/serialsettings.h"

std::optional<int> MenuPortNumber(const QString &text)
{
    bool ok = false;
    const int port = text.trimmed().toInt(&ok);
    if (!ok || port < FirstMenuPort || port > LastMenuPort)
        return std::nullopt;
    return port;
}

StoredPort ReadStoredPort()
{
    StoredPort stored{ReadIniValue(Ini::SettingsSection, Ini::CommPortKey),
                      ReadIniValue(Ini::SettingsSection, Ini::SettingKey)};
    if (!MenuPortNumber(stored.port))
        stored.port = QString::number(FirstMenuPort);
    stored.settings = KnownSettings(stored.settings);
    return stored;
}

QString KnownSettings(const QString &stored)
{
    QString spelled;
    for (const QChar c : stored) {
        if (!c.isSpace())
            spelled += c.toLower();
    }
    return spelled == Settings19200 ? Settings19200 : Settings9600;
}

QString DeviceForPort(int port)
{
    if (IniReadProblem())
        return {};
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
