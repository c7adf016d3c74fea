#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

class QSocketNotifier;
struct mosquitto;
struct mosquitto_message;

// One connection to an MQTT broker through libmosquitto, driven by the Qt
// event loop: the library's socket is watched with socket notifiers (read
// always, write while the library has bytes to send) and a timer runs its
// keep-alive once a second, so no thread of its own is needed. A connection
// that cannot be made, or is lost, is tried again after a back-off that
// doubles from FirstRetryMs to at most LongestRetryMs, until disconnect();
// each wait is drawn between half the back-off and all of it, so that the
// many clients of a broker that restarted do not all come back at once.
// The session is clean: nothing the broker queued while the client was away
// is delivered later. Subscriptions take QoS 1; a message is published with
// QoS 0 unless asked otherwise, so the broker sends nothing back for it: on
// a broker that leaves Nagle's algorithm on (Mosquitto's default) the
// acknowledgements of a burst of state messages would hold up the next
// command to the client by a delayed TCP acknowledgement, some 40 ms.
class MqttClient : public QObject
{
    Q_OBJECT

public:
    static constexpr int KeepAliveSeconds = 30;
    static constexpr int FirstRetryMs = 500;
    static constexpr int LongestRetryMs = 10000;

    enum class Qos
    {
        AtMostOnce = 0,
        AtLeastOnce = 1, // acknowledged by the broker (see unacknowledged())
    };

    struct Tls
    {
        QString caFile; // empty: the system's certificates (caPath)
        QString caPath;
        QString certFile; // a client certificate, with its key; both or neither
        QString keyFile;
    };

    explicit MqttClient(const QString &clientId, QObject *parent = nullptr);
    ~MqttClient() override;

    // Settings for the connections to come; false, with *error set, when the
    // library refuses them (a file it cannot read).
    bool setCredentials(const QString &user, const QString &password, QString *error);
    bool setTls(const Tls &tls, QString *error);
    // What the broker publishes, retained, when the connection ends without a disconnect().
    bool setWill(const QString &topic, const QByteArray &payload, QString *error);

    // Connects, and keeps connecting after every loss until disconnect().
    void connectToBroker(const QString &host, int port);
    // Sends what is queued, then disconnects cleanly (no last will), waiting
    // at most timeoutMs for the bytes to leave; no reconnecting after it.
    void disconnect(int timeoutMs = 2000);
    bool isConnected() const { return m_connected; }

    // False, sending nothing, while not connected: what a bridge publishes it
    // publishes again on connecting, and nothing piles up meanwhile.
    bool publish(const QString &topic, const QByteArray &payload, bool retain,
                 Qos qos = Qos::AtMostOnce);
    bool subscribe(const QString &pattern);
    // Messages published AtLeastOnce and not yet acknowledged by the broker.
    int unacknowledged() const { return m_unacknowledged; }

signals:
    void connected();
    // The connection was lost or refused; the next try is due in retryMs.
    void connectionFailed(const QString &reason, int retryMs);
    void messageReceived(const QString &topic, const QByteArray &payload, bool retained);
    // Every message published so far has been acknowledged.
    void allAcknowledged();

private:
    static void onConnect(mosquitto *, void *self, int code);
    static void onDisconnect(mosquitto *, void *self, int code);
    static void onMessage(mosquitto *, void *self, const mosquitto_message *message);
    static void onPublish(mosquitto *, void *self, int mid);

    void tryConnect();
    void watchSocket();
    void unwatchSocket();
    void afterIo(int code);
    void lose(const QString &reason);
    void updateWriteWatch();

    mosquitto *m_mosq = nullptr;
    QString m_host;
    int m_port = 0;
    bool m_started = false; // connected once: later tries are reconnections
    bool m_leaving = false;
    bool m_connected = false;
    int m_socket = -1;
    int m_retryMs = FirstRetryMs;
    int m_unacknowledged = 0;
    QString m_refusal; // why the broker refused the last connection
    std::unique_ptr<QSocketNotifier> m_reader;
    std::unique_ptr<QSocketNotifier> m_writer;
    QTimer m_misc;
    QTimer m_retry;
};
