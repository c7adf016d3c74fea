#include "ctl/portchoice.h"

#include "link/modini.h"
#include "link/mscomm.h"
#include "link/portmap.h"
#include "link/serialsettings.h"

#include <QFileInfo>

namespace {

// The number n of a "COMn" text, in any case; nothing for a device path.
std::optional<int> ComNumber(const QString &text)
{
    if (!text.startsWith(u"COM", Qt::CaseInsensitive))
        return std::nullopt;
    bool ok = false;
    const int port = text.mid(3).toInt(&ok);
    return ok ? std::optional<int>(port) : std::nullopt;
}

std::optional<QString> ChosenDevice(const QString &port, QString *error)
{
    if (port.isEmpty())
        return DeviceForPort(ReadStoredPort().port.toInt()); // the port the panel opens
    const auto number = ComNumber(port);
    if (!number)
        return port;
    if (*number < MSComm::FirstPort || *number > MSComm::LastPort) {
        *error = QStringLiteral("--port %1: port numbers run from %2 to %3")
                     .arg(port)
                     .arg(MSComm::FirstPort)
                     .arg(MSComm::LastPort);
        return std::nullopt;
    }
    return DeviceForPort(*number);
}

QString ChosenSettings(const QString &speed)
{
    if (!speed.isEmpty())
        return speed == u"19200" ? Settings19200 : Settings9600;
    return ReadStoredPort().settings;
}

// Whether the settings are needed at all: --port with a device and --speed
// take nothing from the file.
bool NeedsSettingsFile(const CtlOptions &options)
{
    return options.port.isEmpty() || ComNumber(options.port) || options.speed.isEmpty();
}

} // namespace

std::optional<PortChoice> ChoosePort(const CtlOptions &options, QString *error)
{
    if (!options.iniFile.isEmpty()) {
        if (!QFileInfo::exists(options.iniFile)) {
            *error = QStringLiteral("--ini %1: there is no such file").arg(options.iniFile);
            return std::nullopt;
        }
        SetIniFile(options.iniFile);
    }
    if (NeedsSettingsFile(options)) {
        if (const auto problem = IniReadProblem()) {
            *error = QStringLiteral("%1 cannot be read: %2").arg(IniPath(), *problem);
            return std::nullopt;
        }
    }
    const auto device = ChosenDevice(options.port, error);
    if (!device)
        return std::nullopt;
    return PortChoice{*device, ChosenSettings(options.speed)};
}
