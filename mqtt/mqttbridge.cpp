#include "mqtt/mqttbridge.h"

#include "link/mscomm.h"
#include "mqtt/discovery.h"
#include "protocol/line/commandset.h"

#include <QCoreApplication>
#include <unistd.h>

namespace {

// Whom the bridge's traffic is for, where the port's traffic is shown.
const QString Origin = QStringLiteral("mqtt");

LineCommand ReadCommand(const QString &input)
{
    QString error;
    return *BuildFromWords({QStringLiteral("read"), input}, {}, &error);
}

} // namespace

MqttBridge::MqttBridge(const BridgeConfig &config, MSComm &port, BoardExecutor &executor,
                       QObject *parent)
    : QObject(parent), m_config(config), m_topics(config.id, config.groups), m_port(port),
      m_executor(executor),
      m_client(QStringLiteral("vantor-%1-%2").arg(config.id).arg(qint64(getpid())))
{
    connect(&m_client, &MqttClient::connected, this, &MqttBridge::connected);
    connect(&m_client, &MqttClient::connectionFailed, this, &MqttBridge::connectionFailed);
    connect(&m_client, &MqttClient::messageReceived, this, &MqttBridge::messageReceived);
    connect(&m_executor, &BoardExecutor::finished, this, &MqttBridge::finished);
    connect(&m_port, &MSComm::portOpened, this, &MqttBridge::publishAvailability);
    connect(&m_port, &MSComm::portClosed, this, &MqttBridge::publishAvailability);
    connect(&m_port, &MSComm::portLost, this, &MqttBridge::publishAvailability);
    m_pollTimer.setInterval(config.pollSeconds * 1000);
    connect(&m_pollTimer, &QTimer::timeout, this, &MqttBridge::poll);
}

bool MqttBridge::start(QString *error)
{
    const BrokerSettings &broker = m_config.broker;
    if ((!broker.user.isEmpty() && !m_client.setCredentials(broker.user, broker.password, error))
        || (broker.tls && !m_client.setTls(broker.tlsFiles, error))
        || !m_client.setWill(m_topics.topic(QStringLiteral("availability")), "offline", error))
        return false;
    m_client.connectToBroker(broker.host, broker.port);
    if (m_config.pollSeconds > 0)
        m_pollTimer.start();
    return true;
}

void MqttBridge::stop()
{
    m_pollTimer.stop();
    m_client.publish(m_topics.topic(QStringLiteral("availability")), "offline", true,
                     MqttClient::Qos::AtLeastOnce);
    m_client.disconnect();
}

// A new session: subscriptions, discovery, state and availability all again.
void MqttBridge::connected()
{
    for (const QString &pattern : m_topics.subscriptions())
        m_client.subscribe(pattern);
    if (m_config.discovery) {
        const QString version = QCoreApplication::applicationVersion();
        for (const DiscoveryMessage &message :
             DiscoveryMessages(m_config.discoveryPrefix, m_topics, version))
            m_client.publish(message.topic, message.payload, true);
    }
    for (auto state = m_states.cbegin(); state != m_states.cend(); ++state)
        m_client.publish(m_topics.topic(state.key()), state.value(), true);
    publishAvailability();
    m_failureTold = false;
    emit told(
        QStringLiteral("connected to %1 as vantor/%2").arg(m_config.broker.url(), m_config.id));
}

// Told once until the next connection, not at every try.
void MqttBridge::connectionFailed(const QString &reason)
{
    if (std::exchange(m_failureTold, true))
        return;
    emit told(QStringLiteral("no connection to %1 (%2); trying again, at most %3 s apart")
                  .arg(m_config.broker.url(), reason)
                  .arg(MqttClient::LongestRetryMs / 1000));
}

void MqttBridge::messageReceived(const QString &topic, const QByteArray &payload, bool retained)
{
    const QString command = m_topics.commandOf(topic);
    if (command.isEmpty())
        return;
    if (retained) {
        emit told(QStringLiteral("left alone the retained message on %1: a command acts once, "
                                 "when it arrives")
                      .arg(topic));
        return;
    }
    QString error;
    const auto request = ReadTopicRequest(command, payload, &error);
    if (!request)
        answer(LineAnswer::error(StatusBadArguments, error), false);
    else if (request->answer)
        answer(*request->answer, request->json);
    else
        enqueue(*request);
}

void MqttBridge::enqueue(const TopicRequest &request)
{
    if (const auto dropped = m_queue.push(request)) {
        answer(LineAnswer::error(StatusNoAnswer,
                                 QStringLiteral("%1: dropped, %2 requests wait for the board "
                                                "already")
                                     .arg(dropped->topic)
                                     .arg(CommandQueue::Capacity)),
               dropped->json);
    }
    dispatch();
}

// One request at a time goes to the executor; an output's command is made
// now, from the outputs as the requests before it left them.
void MqttBridge::dispatch()
{
    if (m_running)
        return;
    const auto next = m_queue.pop();
    if (!next)
        return;
    const quint64 ticket = m_executor.newTicket();
    m_running = Running{ticket, *next};
    m_executor.submit(ticket, next->outputBit ? next->forOutputs(m_outputs) : next->command,
                      next->timeoutMs, Origin);
}

void MqttBridge::finished(quint64 ticket, const BoardExecutor::Outcome &outcome)
{
    if (m_polls.contains(ticket)) {
        const ReadKind kind = m_polls.take(ticket);
        if (outcome.status == StatusDone)
            publishStates(ReadingStates(kind, outcome.reply), true);
        return;
    }
    if (!m_running || m_running->ticket != ticket)
        return;
    const TopicRequest request = m_running->request;
    m_running.reset();
    requestDone(request, outcome);
    // Queued: a closed port finishes a command inside submit(), and a long
    // queue must not become a deep recursion.
    QMetaObject::invokeMethod(this, &MqttBridge::dispatch, Qt::QueuedConnection);
}

void MqttBridge::requestDone(const TopicRequest &request, const BoardExecutor::Outcome &outcome)
{
    const ReadKind read = request.command.read;
    if (outcome.status == StatusDone) {
        if (request.outputBit)
            m_outputs = request.outputsAfter(m_outputs);
        publishStates(request.states);
        if (read != ReadKind::None)
            publishStates(ReadingStates(read, outcome.reply), true);
    }
    if (request.isLine())
        answer(outcome.answer(read), request.json);
    else if (outcome.status != StatusDone)
        answer(
            LineAnswer::error(outcome.status, request.topic + QStringLiteral(": ") + outcome.error),
            false);
}

// The three reads, while nothing of the last poll waits and there is
// someone to tell.
void MqttBridge::poll()
{
    if (!m_polls.isEmpty() || !m_port.PortOpen() || !m_client.isConnected())
        return;
    for (const QString &input :
         {QStringLiteral("inputs"), QStringLiteral("voltage"), QStringLiteral("current")}) {
        const LineCommand read = ReadCommand(input);
        const quint64 ticket = m_executor.newTicket();
        m_polls.insert(ticket, read.read);
        m_executor.submit(ticket, read, LineOptions::DefaultTimeoutMs, Origin);
    }
}

void MqttBridge::publishAvailability()
{
    m_client.publish(m_topics.topic(QStringLiteral("availability")),
                     m_port.PortOpen() ? "online" : "offline", true, MqttClient::Qos::AtLeastOnce);
}

void MqttBridge::publishStates(const QList<StateValue> &states, bool changedOnly)
{
    for (const StateValue &state : states) {
        if (changedOnly && m_states.value(state.name) == state.payload)
            continue;
        m_states.insert(state.name, state.payload);
        m_client.publish(m_topics.topic(state.name), state.payload, true);
    }
}

void MqttBridge::answer(const LineAnswer &answer, bool json)
{
    m_client.publish(m_topics.topic(QStringLiteral("result")), answer.line(json).toUtf8(), false);
}
