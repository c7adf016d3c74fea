#pragma once

#include <QObject>
#include <QString>

class MSComm;

// One thing the port itself did, as the traffic monitor lists it among the
// bytes: "opened /dev/ttyUSB0 at 9600 bit/s 8N1", "lost /dev/ttyUSB0".
struct PortEvent
{
    enum Kind
    {
        Opened,
        Closed,
        Lost,
        Reopened, // opened again after it was lost
        SpeedChanged,
        Released, // closed for another program to open it
    };

    Kind kind;
    QString detail; // the device and speed, or the new speed

    QString text() const;
};

// Names what the port does from its own signals: an opening (a reopening
// after a loss), a closing, a loss, a change of speed. A new kind of event is
// one more Kind, its word in PortEvent::text() and the signal that tells it.
class PortEvents : public QObject
{
    Q_OBJECT

public:
    explicit PortEvents(const MSComm &port, QObject *parent = nullptr);

    // The next closing is the operator letting go of the port.
    void releasing() { m_releasing = true; }

signals:
    void happened(const PortEvent &event);

private:
    void opened();
    void closed();
    void lost();
    void settingsChanged();
    QString speed() const;

    const MSComm &m_port;
    bool m_lost = false;
    bool m_releasing = false;
    QString m_speed; // as last told, so that settings taken again are no change
};
