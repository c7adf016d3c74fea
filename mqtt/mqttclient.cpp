#include "mqtt/mqttclient.h"

#include <QDeadlineTimer>
#include <QRandomGenerator>
#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <mosquitto.h>

namespace {

constexpr int SubscriptionQos = 1;

// The library's own set-up, once per process, before the first client.
void InitLibrary()
{
    static const int done = mosquitto_lib_init();
    Q_UNUSED(done);
}

QString Reason(int code)
{
    return QString::fromUtf8(mosquitto_strerror(code));
}

// A file setting as the library takes it: nothing for an empty one.
const char *OrNull(const QByteArray &text)
{
    return text.isEmpty() ? nullptr : text.constData();
}

} // namespace

MqttClient::MqttClient(const QString &clientId, QObject *parent) : QObject(parent)
{
    InitLibrary();
    m_mosq = mosquitto_new(clientId.toUtf8().constData(), true, this);
    // Commands are small packets that should go at once, not wait for the
    // acknowledgement of the last one (Nagle's algorithm).
    mosquitto_int_option(m_mosq, MOSQ_OPT_TCP_NODELAY, 1);
    mosquitto_connect_callback_set(m_mosq, &MqttClient::onConnect);
    mosquitto_disconnect_callback_set(m_mosq, &MqttClient::onDisconnect);
    mosquitto_message_callback_set(m_mosq, &MqttClient::onMessage);
    mosquitto_publish_callback_set(m_mosq, &MqttClient::onPublish);
    m_misc.setInterval(1000);
    connect(&m_misc, &QTimer::timeout, this, [this] { afterIo(mosquitto_loop_misc(m_mosq)); });
    m_retry.setSingleShot(true);
    connect(&m_retry, &QTimer::timeout, this, &MqttClient::tryConnect);
}

MqttClient::~MqttClient()
{
    unwatchSocket();
    mosquitto_destroy(m_mosq);
}

bool MqttClient::setCredentials(const QString &user, const QString &password, QString *error)
{
    const int code =
        mosquitto_username_pw_set(m_mosq, OrNull(user.toUtf8()), OrNull(password.toUtf8()));
    if (code != MOSQ_ERR_SUCCESS)
        *error = QStringLiteral("the user or password was refused: ") + Reason(code);
    return code == MOSQ_ERR_SUCCESS;
}

bool MqttClient::setTls(const Tls &tls, QString *error)
{
    const QByteArray caFile = tls.caFile.toLocal8Bit(), caPath = tls.caPath.toLocal8Bit();
    const QByteArray cert = tls.certFile.toLocal8Bit(), key = tls.keyFile.toLocal8Bit();
    const int code = mosquitto_tls_set(m_mosq, OrNull(caFile), OrNull(caPath), OrNull(cert),
                                       OrNull(key), nullptr);
    if (code != MOSQ_ERR_SUCCESS)
        *error = QStringLiteral("the TLS files cannot be used (%1)").arg(Reason(code));
    return code == MOSQ_ERR_SUCCESS;
}

bool MqttClient::setWill(const QString &topic, const QByteArray &payload, QString *error)
{
    const int code = mosquitto_will_set(m_mosq, topic.toUtf8().constData(), int(payload.size()),
                                        payload.constData(), int(Qos::AtLeastOnce), true);
    if (code != MOSQ_ERR_SUCCESS)
        *error = QStringLiteral("the last will was refused: ") + Reason(code);
    return code == MOSQ_ERR_SUCCESS;
}

void MqttClient::connectToBroker(const QString &host, int port)
{
    m_host = host;
    m_port = port;
    m_leaving = false;
    tryConnect();
}

// A connection under way is watched from here on; one that cannot even be
// started (no such host, refused at once) is tried again later.
void MqttClient::tryConnect()
{
    const int code = m_started ? mosquitto_reconnect_async(m_mosq)
                               : mosquitto_connect_async(m_mosq, m_host.toUtf8().constData(),
                                                         m_port, KeepAliveSeconds);
    m_started = true;
    if (code != MOSQ_ERR_SUCCESS) {
        lose(code == MOSQ_ERR_ERRNO ? QString::fromLocal8Bit(strerror(errno)) : Reason(code));
        return;
    }
    watchSocket();
    updateWriteWatch();
}

void MqttClient::watchSocket()
{
    unwatchSocket();
    m_socket = mosquitto_socket(m_mosq);
    if (m_socket < 0)
        return;
    m_reader = std::make_unique<QSocketNotifier>(m_socket, QSocketNotifier::Read);
    m_writer = std::make_unique<QSocketNotifier>(m_socket, QSocketNotifier::Write);
    connect(m_reader.get(), &QSocketNotifier::activated, this,
            [this] { afterIo(mosquitto_loop_read(m_mosq, 1)); });
    connect(m_writer.get(), &QSocketNotifier::activated, this,
            [this] { afterIo(mosquitto_loop_write(m_mosq, 1)); });
    m_misc.start();
}

void MqttClient::unwatchSocket()
{
    m_misc.stop();
    m_reader.reset();
    m_writer.reset();
    m_socket = -1;
}

// After the library has read, written or kept the connection alive: a
// failure, or a socket it has closed meanwhile, is a lost connection.
void MqttClient::afterIo(int code)
{
    if (code == MOSQ_ERR_SUCCESS && mosquitto_socket(m_mosq) == m_socket && m_socket >= 0) {
        updateWriteWatch();
        return;
    }
    if (m_leaving) {
        unwatchSocket();
        return;
    }
    QString reason = m_refusal.isEmpty() ? Reason(code) : m_refusal;
    if (code == MOSQ_ERR_ERRNO)
        reason = QString::fromLocal8Bit(strerror(errno));
    lose(reason);
}

void MqttClient::lose(const QString &reason)
{
    unwatchSocket();
    m_connected = false;
    m_unacknowledged = 0; // a clean session: nothing is resent
    m_refusal.clear();
    if (m_leaving)
        return;
    const int wait = m_retryMs / 2 + int(QRandomGenerator::global()->bounded(m_retryMs / 2 + 1));
    m_retry.start(wait);
    emit connectionFailed(reason, wait);
    m_retryMs = qMin(m_retryMs * 2, LongestRetryMs);
}

void MqttClient::updateWriteWatch()
{
    if (m_writer)
        m_writer->setEnabled(mosquitto_want_write(m_mosq));
}

void MqttClient::disconnect(int timeoutMs)
{
    m_leaving = true;
    m_retry.stop();
    if (m_socket < 0)
        return;
    mosquitto_disconnect(m_mosq);
    // The queued messages and the disconnection go out in order; the library
    // closes the socket once the last of them has been written.
    const QDeadlineTimer deadline(timeoutMs);
    while (mosquitto_socket(m_mosq) >= 0 && !deadline.hasExpired())
        mosquitto_loop(m_mosq, 50, 1);
    unwatchSocket();
    m_connected = false;
}

bool MqttClient::publish(const QString &topic, const QByteArray &payload, bool retain, Qos qos)
{
    if (!m_connected)
        return false;
    const int code = mosquitto_publish(m_mosq, nullptr, topic.toUtf8().constData(),
                                       int(payload.size()), payload.constData(), int(qos), retain);
    if (code == MOSQ_ERR_SUCCESS && qos == Qos::AtLeastOnce)
        ++m_unacknowledged;
    updateWriteWatch();
    return code == MOSQ_ERR_SUCCESS;
}

bool MqttClient::subscribe(const QString &pattern)
{
    if (!m_connected)
        return false;
    const int code =
        mosquitto_subscribe(m_mosq, nullptr, pattern.toUtf8().constData(), SubscriptionQos);
    updateWriteWatch();
    return code == MOSQ_ERR_SUCCESS;
}

void MqttClient::onConnect(mosquitto *, void *self, int code)
{
    auto *client = static_cast<MqttClient *>(self);
    if (code != 0) {
        client->m_refusal = QStringLiteral("the broker refused the connection: %1")
                                .arg(QString::fromUtf8(mosquitto_connack_string(code)));
        return;
    }
    client->m_connected = true;
    client->m_retryMs = FirstRetryMs;
    emit client->connected();
}

// The socket is closed by then; afterIo() finds out and takes it from there.
void MqttClient::onDisconnect(mosquitto *, void *self, int)
{
    static_cast<MqttClient *>(self)->m_connected = false;
}

void MqttClient::onMessage(mosquitto *, void *self, const mosquitto_message *message)
{
    const QByteArray payload(static_cast<const char *>(message->payload), message->payloadlen);
    emit static_cast<MqttClient *>(self)->messageReceived(QString::fromUtf8(message->topic),
                                                          payload, message->retain);
}

void MqttClient::onPublish(mosquitto *, void *self, int)
{
    auto *client = static_cast<MqttClient *>(self);
    if (client->m_unacknowledged > 0 && --client->m_unacknowledged == 0)
        emit client->allAcknowledged();
}
