#include "mqtt/forgetboard.h"

#include "mqtt/discovery.h"
#include "mqtt/mqttclient.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <unistd.h>

namespace {

QStringList ForgottenTopics(const BridgeConfig &config)
{
    const BridgeTopics topics(config.id, config.groups);
    QStringList forgotten = topics.retainedTopics();
    for (const DiscoveryMessage &message : DiscoveryMessages(config.discoveryPrefix, topics, {}))
        forgotten << message.topic;
    return forgotten;
}

} // namespace

bool ForgetBoard(const BridgeConfig &config, QString *error, int timeoutMs)
{
    MqttClient client(QStringLiteral("vantor-%1-forget-%2").arg(config.id).arg(qint64(getpid())));
    const BrokerSettings &broker = config.broker;
    if ((!broker.user.isEmpty() && !client.setCredentials(broker.user, broker.password, error))
        || (broker.tls && !client.setTls(broker.tlsFiles, error)))
        return false;
    QEventLoop loop;
    bool done = false;
    QObject::connect(&client, &MqttClient::connected, &loop, [&] {
        for (const QString &topic : ForgottenTopics(config))
            client.publish(topic, {}, true, MqttClient::Qos::AtLeastOnce);
    });
    QObject::connect(&client, &MqttClient::allAcknowledged, &loop, [&] {
        done = true;
        loop.quit();
    });
    QObject::connect(&client, &MqttClient::connectionFailed, &loop,
                     [&](const QString &reason) { *error = reason; });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    client.connectToBroker(broker.host, broker.port);
    loop.exec();
    client.disconnect();
    if (!done)
        *error = QStringLiteral("%1 did not take the removal within %2 s%3")
                     .arg(broker.url())
                     .arg(timeoutMs / 1000)
                     .arg(error->isEmpty() ? QString() : QStringLiteral(" (%1)").arg(*error));
    return done;
}
