#pragma once

#include "mqtt/mqttclient.h"
#include "mqtt/mqttoptions.h"

#include <QProcessEnvironment>
#include <QString>
#include <optional>

// Where the bridge connects and how it proves who it is.
struct BrokerSettings
{
    static constexpr int PlainPort = 1883;
    static constexpr int TlsPort = 8883;
    // The system's certificates, for mqtts:// without --mqtt-cafile.
    static QString systemCaPath() { return QStringLiteral("/etc/ssl/certs"); }

    QString host;
    int port = PlainPort;
    bool tls = false;
    MqttClient::Tls tlsFiles;
    QString user;
    QString password;

    // "mqtt://host:port" as the messages name the broker (never with the password).
    QString url() const;
};

// The broker's settings from the options: the URL (mqtt:// or mqtts://, a
// host, a port at most), the user, the password from --mqtt-password-file
// or else the environment's VANTOR_MQTT_PASSWORD (never from the command
// line, where other users can read it), the TLS files. A password for a
// broker off this machine goes only over TLS unless --mqtt-insecure says
// otherwise. No value, with *error set, for anything wrong.
std::optional<BrokerSettings> ReadBrokerSettings(const MqttOptions &options,
                                                 const QProcessEnvironment &environment,
                                                 QString *error);

// True for a host on this machine: localhost, 127.0.0.0/8, ::1. Names are
// not looked up: only what is loopback as written counts.
bool IsLoopbackHost(const QString &host);
