#pragma once

#include <QList>
#include <QString>

// A serial device present on the system, as the device chooser lists it.
struct SerialDevice
{
    QString path; // e.g. /dev/ttyUSB0
    QString description;
    QString manufacturer;
    QString serialNumber;
    QString usbId; // "vendor:product" in hexadecimal, e.g. "0403:6001"; empty when not USB

    friend bool operator==(const SerialDevice &a, const SerialDevice &b)
    {
        return a.path == b.path && a.description == b.description
               && a.manufacturer == b.manufacturer && a.serialNumber == b.serialNumber
               && a.usbId == b.usbId;
    }
    friend bool operator!=(const SerialDevice &a, const SerialDevice &b) { return !(a == b); }
};

// The serial devices present now.
QList<SerialDevice> PresentSerialDevices();

// True when the device is there to be opened (a link is followed; a dangling
// one leads nowhere). On Unix one query of the file system, no opening.
bool DevicePresent(const QString &device);

// The folder of the links that name each USB serial device by what it is
// rather than by the order it was plugged in.
inline const QString SerialByIdFolder = QStringLiteral("/dev/serial/by-id");

// The name to keep for a chosen device: for a device node (/dev/ttyUSB0) that
// has a link in byIdFolder, that link, which stays right when the device is
// plugged into another socket; any other path (a link the operator chose, a
// device without such a link) as it was given.
QString StablePath(const QString &device, const QString &byIdFolder = SerialByIdFolder);
