#pragma once

#include "mqtt/bridgeconfig.h"
#include "mqtt/bridgetopics.h"
#include "mqtt/commandqueue.h"
#include "mqtt/mqttclient.h"
#include "service/boardexecutor.h"

#include <QHash>
#include <QMap>
#include <QObject>
#include <QTimer>
#include <optional>

class MSComm;

// The board on an MQTT broker: the port's owner (vantorctl serve) carries
// out what arrives on the board's command topics, and publishes what it set
// and what the board reads, retained, with the board's availability and its
// discovery messages.
//
// Every request goes through the owner's BoardExecutor, so it never cuts
// into the owner's own work or a local client's; one at a time is handed to
// it, the rest wait in a bounded CommandQueue. A request is checked before
// anything is sent; what cannot be carried out is answered "error: ..." on
// vantor/<id>/result, as are the lines of .../command, which get their
// answer there too. A retained message on a command topic is never acted
// on: a command acts once, when it arrives. The readings are polled every
// pollSeconds and published only when the board answered, and only when
// they changed (their retained value stands until then).
//
// Availability is "online" while the bridge is connected and the port open,
// "offline" when the device is lost or closed, and, through the broker's
// last will, when the bridge dies. A broker that is down or goes away is
// tried again with a back-off; on every connection the bridge subscribes
// again and publishes its discovery, its state and its availability again.
class MqttBridge : public QObject
{
    Q_OBJECT

public:
    MqttBridge(const BridgeConfig &config, MSComm &port, BoardExecutor &executor,
               QObject *parent = nullptr);

    // Connects, and keeps connecting; false, with *error set, when the
    // connection's settings are refused (a TLS file the library cannot use).
    bool start(QString *error);
    // Publishes "offline" and disconnects cleanly.
    void stop();

signals:
    // What the operator is told: connected, a connection lost or refused.
    void told(const QString &message);

private:
    struct Running
    {
        quint64 ticket;
        TopicRequest request;
    };

    void connected();
    void connectionFailed(const QString &reason);
    void messageReceived(const QString &topic, const QByteArray &payload, bool retained);
    void enqueue(const TopicRequest &request);
    void dispatch();
    void finished(quint64 ticket, const BoardExecutor::Outcome &outcome);
    void requestDone(const TopicRequest &request, const BoardExecutor::Outcome &outcome);
    void poll();
    void publishAvailability();
    // Retained, and kept to publish again on the next connection; readings
    // go only when they changed, as their retained value stands meanwhile.
    void publishStates(const QList<StateValue> &states, bool changedOnly = false);
    void answer(const LineAnswer &answer, bool json);

    BridgeConfig m_config;
    BridgeTopics m_topics;
    MSComm &m_port;
    BoardExecutor &m_executor;
    MqttClient m_client;
    CommandQueue m_queue;
    std::optional<Running> m_running;
    QHash<quint64, ReadKind> m_polls; // the reads of a poll under way
    QMap<QString, QByteArray> m_states;
    quint8 m_outputs = 0; // the three outputs as last set; all off at start
    QTimer m_pollTimer;
    bool m_failureTold = false;
};
