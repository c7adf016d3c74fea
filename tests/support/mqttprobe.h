#pragma once

#include "mqtt/mqttclient.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// The test's own MQTT client (the same libmosquitto wrapper as the bridge):
// publishes as any other client would, and keeps every message that arrives
// on its subscriptions.
class MqttProbe
{
public:
    struct Message
    {
        QString topic;
        QByteArray payload;
        bool retained;
    };

    MqttProbe();

    // Connects and subscribes to the patterns; true once the broker delivers
    // on them (a message of the probe's own has come back through them).
    bool connectTo(int port, const QStringList &patterns);
    bool waitConnected(int timeoutMs = 15000);
    void publish(const QString &topic, const QByteArray &payload, bool retain = false,
                 MqttClient::Qos qos = MqttClient::Qos::AtMostOnce);

    // Forgets the messages so far.
    void clear() { m_messages.clear(); }
    const QList<Message> &messages() const { return m_messages; }
    // The first message on topic since clear(), waited for with events processed.
    std::optional<QByteArray> waitFor(const QString &topic, int timeoutMs = 10000);
    // Waits until a message on topic since clear() has that payload.
    bool waitFor(const QString &topic, const QByteArray &payload, int timeoutMs = 10000);

private:
    MqttClient m_client;
    QStringList m_patterns;
    QList<Message> m_messages;
};
