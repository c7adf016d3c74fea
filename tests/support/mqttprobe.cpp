#include "mqttprobe.h"

#include <QTest>
#include <csignal>
#include <unistd.h>

namespace {

const QString Marker = QStringLiteral("vantor-test/marker");

} // namespace

// A client id of its own: a second client with the same id would push it off the broker.
MqttProbe::MqttProbe()
    : m_client(QStringLiteral("vantor-test-%1-%2").arg(qint64(getpid())).arg(quintptr(this), 0, 16))
{
    QObject::connect(&m_client, &MqttClient::messageReceived, &m_client,
                     [this](const QString &topic, const QByteArray &payload, bool retained) {
                         m_messages.append({topic, payload, retained});
                     });
    // Subscriptions last as long as a connection: after a broker's restart, again.
    QObject::connect(&m_client, &MqttClient::connected, &m_client, [this] {
        for (const QString &pattern : std::as_const(m_patterns))
            m_client.subscribe(pattern);
    });
}

bool MqttProbe::connectTo(int port, const QStringList &patterns)
{
    // libmosquitto writes with write(): a broker stopped under a test must
    // not end it with SIGPIPE. The library ignores the signal itself, but
    // Qt Test puts its own handler in place when the tests start.
    std::signal(SIGPIPE, SIG_IGN);
    m_patterns = QStringList(patterns) << Marker;
    m_client.connectToBroker(QStringLiteral("127.0.0.1"), port);
    if (!waitConnected())
        return false;
    m_client.publish(Marker, "ready", false);
    return waitFor(Marker, "ready");
}

bool MqttProbe::waitConnected(int timeoutMs)
{
    return QTest::qWaitFor([this] { return m_client.isConnected(); }, timeoutMs);
}

void MqttProbe::publish(const QString &topic, const QByteArray &payload, bool retain,
                        MqttClient::Qos qos)
{
    m_client.publish(topic, payload, retain, qos);
}

std::optional<QByteArray> MqttProbe::waitFor(const QString &topic, int timeoutMs)
{
    const auto on = [&](const Message &message) { return message.topic == topic; };
    if (!QTest::qWaitFor([&] { return std::any_of(m_messages.begin(), m_messages.end(), on); },
                         timeoutMs))
        return std::nullopt;
    return std::find_if(m_messages.begin(), m_messages.end(), on)->payload;
}

bool MqttProbe::waitFor(const QString &topic, const QByteArray &payload, int timeoutMs)
{
    return QTest::qWaitFor(
        [&] {
            return std::any_of(m_messages.begin(), m_messages.end(), [&](const Message &m) {
                return m.topic == topic && m.payload == payload;
            });
        },
        timeoutMs);
}
