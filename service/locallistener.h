#pragma once

#include <QObject>
#include <QString>

class LocalStream;
class QSocketNotifier;

// Listens on a local socket with the system's own calls, driven by the event
// loop (Qt Core alone, as LocalStream). newConnection() says that clients
// wait; nextPendingConnection() takes them one at a time.
class LocalListener : public QObject
{
    Q_OBJECT

public:
    // Pause after a failed accept (no descriptor left), so that a client
    // that keeps waiting cannot make the listener spin.
    static constexpr int RetryMs = 100;

    explicit LocalListener(QObject *parent = nullptr);
    // Stops listening as close() does.
    ~LocalListener() override;

    // Makes a socket at `path` (which must be free) and listens on it;
    // false when it cannot, and *why has the system's reason.
    bool listen(const QString &path, QString *why);
    // Stops listening and removes the socket's file.
    void close();
    bool isListening() const { return m_fd >= 0; }

    // The next client waiting, connected and non-blocking, as a child of
    // this listener; nullptr when none waits.
    LocalStream *nextPendingConnection();

signals:
    void newConnection();

private:
    int m_fd = -1;
    QString m_path;
    QSocketNotifier *m_notifier = nullptr;
};
