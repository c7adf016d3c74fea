#pragma once

#include <QString>
#include <QStringList>

// What vantorctl serve's command line says about the bridge to an MQTT
// broker, as given; BridgeConfig checks and completes it.
struct MqttOptions
{
    static constexpr int DefaultPollSeconds = 10;

    QString url;        // --mqtt URL: mqtt://host[:port] or mqtts://host[:port]; empty: no bridge
    QString id;         // --id: the board's name in its topics; empty: from its device
    QStringList groups; // --group NAME, repeatable
    int pollSeconds = DefaultPollSeconds;                      // --poll SECONDS; 0: no polling
    QString discoveryPrefix = QStringLiteral("homeassistant"); // --discovery-prefix
    bool discovery = true;                                     // off with --no-discovery
    bool forget = false;   // --forget: clear what the board left on the broker, then end
    QString user;          // --mqtt-user
    QString passwordFile;  // --mqtt-password-file; else VANTOR_MQTT_PASSWORD
    QString caFile;        // --mqtt-cafile
    QString certFile;      // --mqtt-cert
    QString keyFile;       // --mqtt-key
    bool insecure = false; // --mqtt-insecure: a password may go to a remote broker without TLS
};
