#include "link/serialdevices.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

namespace {

QString UsbId(const QSerialPortInfo &info)
{
    if (!info.hasVendorIdentifier() || !info.hasProductIdentifier())
        return {};
    return QStringLiteral("%1:%2")
        .arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'))
        .arg(info.productIdentifier(), 4, 16, QLatin1Char('0'));
}

} // namespace

QList<SerialDevice> PresentSerialDevices()
{
    QList<SerialDevice> devices;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        devices.append({info.systemLocation(), info.description(), info.manufacturer(),
                        info.serialNumber(), UsbId(info)});
    return devices;
}

bool DevicePresent(const QString &device)
{
#ifdef Q_OS_UNIX
    return QFileInfo::exists(device);
#else
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        if (info.portName() == device || info.systemLocation() == device)
            return true;
    }
    return false;
#endif
}

QString StablePath(const QString &device, const QString &byIdFolder)
{
    const QFileInfo chosen(device);
    if (chosen.isSymLink() || !chosen.exists())
        return device;
    const QString target = chosen.canonicalFilePath();
    const QDir folder(byIdFolder);
    for (const QFileInfo &entry :
         folder.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
        if (entry.canonicalFilePath() == target)
            return entry.filePath();
    }
    return device;
}
