#pragma once

#include <QString>
#include <optional>

// The port numbers the main window's port menu offers.
inline constexpr int FirstMenuPort = 1;
inline constexpr int LastMenuPort = 6;

// The port number of a stored "CommPort" text, when the port menu offers it.
std::optional<int> MenuPortNumber(const QString &text);

// The port number and the serial settings text as the settings file holds
// them ("Settings"/"CommPort", then "Settings"/"Setting"). A port entry that
// is missing or of no use (the first run, a hand edit) falls back to "1". The
// settings text is read leniently, case and blanks ignored, and held as one of
// the two texts the panel knows: "19200,n,8,1" when it says so, otherwise
// "9600,n,8,1", the panel's start on a machine it has never run on. So the
// port, the "Baud Rate" tick and the configuration window always agree.
struct StoredPort
{
    QString port;
    QString settings;
};
StoredPort ReadStoredPort();
// A stored settings text as the panel holds it (see above).
QString KnownSettings(const QString &stored);

// The device behind port number n as the settings file maps it: the value of
// "COMn" in section "Ports", or else the platform's device for n. Nothing when
// the settings file is there but cannot be read: a mapping it may hold must not
// be taken for no mapping, which would lead to another device.
QString DeviceForPort(int port);

// The devices the main window's port numbers lead to during a run. The port
// in use keeps the device it had when it was chosen (at start-up, from the
// port menu or the device chooser): a change of speed, a speed followed or a
// reconnection opens that very device again, even when another panel or a
// script maps the port elsewhere meanwhile. Every other port is read from the
// settings file each time. The main window gives device() to its serial
// control, which knows nothing of the file.
class PortDevices
{
public:
    QString device(int port) const;
    // Reads the port's device from the settings file now and keeps it.
    void choose(int port);
    // Keeps the given device for the port.
    void choose(int port, const QString &device);

private:
    int m_port = 0;
    QString m_device;
};
