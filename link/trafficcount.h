#pragma once

#include <QObject>
#include <QString>

class MSComm;

// The bytes handed to the port and the bytes received from it since the
// program started, across every opening of the port.
class TrafficCount : public QObject
{
    Q_OBJECT

public:
    explicit TrafficCount(const MSComm &port, QObject *parent = nullptr);

    // "Sent 123 B · Received 4 B"
    QString text() const;

signals:
    void changed();

private:
    qint64 m_sent = 0;
    qint64 m_received = 0;
};
