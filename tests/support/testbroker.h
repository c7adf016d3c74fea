#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// The test's own MQTT broker: mosquitto listening on a free port of
// 127.0.0.1 only, anonymous clients allowed, nothing kept on disk. A
// restart comes back on the same port, with no retained messages.
class TestBroker
{
public:
    TestBroker();
    ~TestBroker();
    TestBroker(const TestBroker &) = delete;
    TestBroker &operator=(const TestBroker &) = delete;

    // The broker program; empty when mosquitto is not installed.
    static QString program();

    // Starts it and waits until it takes connections; false when it does not.
    bool start();
    void stop();
    int port() const { return m_port; }
    // mqtt://127.0.0.1:<port>
    QString url() const;

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    int m_port = 0;
};
