#pragma once

#include "mqtt/brokersettings.h"
#include "mqtt/mqttoptions.h"

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <optional>

// Everything the bridge of one board needs, checked.
struct BridgeConfig
{
    BrokerSettings broker;
    QString id;         // the board's name in its topics: vantor/<id>/...
    QStringList groups; // vantor/group/<name>/... reach it too
    int pollSeconds = MqttOptions::DefaultPollSeconds; // 0: no polling
    QString discoveryPrefix;
    bool discovery = true; // the discovery messages are published
    bool forget = false;
};

// The options checked, the board's id taken from its device when --id is
// not given (see BoardIdFor). An id or a group name is 1 to 64 letters,
// digits, "_" or "-" (what a topic level and a discovery id both take); a
// discovery prefix is topic levels without wildcards. No value, with *error
// set, for anything wrong.
std::optional<BridgeConfig> MakeBridgeConfig(const MqttOptions &options, const QString &device,
                                             const QProcessEnvironment &environment,
                                             QString *error);

// The id of the board on that device: the serial number in the name the
// device has in byIdFolder (usb-Vendor_Model_SERIAL-if00-port0: SERIAL),
// else the file name of the device as given (/tmp/vantorboard:
// vantorboard); characters an id does not take become "_".
QString BoardIdFor(const QString &device,
                   const QString &byIdFolder = QStringLiteral("/dev/serial/by-id"));
