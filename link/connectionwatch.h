#pragma once

#include "link/connectionstate.h"

#include <QObject>
#include <QTimer>

class MSComm;

// Keeps the port open while its device comes and goes. The operator's
// openings (start-up, a port, speed or device choice) go through open(); when
// the device is not there, or goes away while open, the watch looks for it
// every CheckIntervalMs and reopens the port, with the same device and
// settings, as soon as it is back. Nothing is written on reopening, and the
// port is not reopened while work on it is under way (a handler between its
// writes, see PortActivity): the rest of that work then finds the port closed,
// and the reopening waits until the work has ended. While the
// device is missing a look costs one query of the file system, so waiting
// forever costs next to nothing. A port closed on request is never reopened
// behind the operator's back.
class ConnectionWatch : public QObject
{
    Q_OBJECT

public:
    static constexpr int CheckIntervalMs = 250;

    explicit ConnectionWatch(MSComm &port, QObject *parent = nullptr);

    // Opens the port; true when it opened. A device that is not there is
    // waited for; a port that was lost goes on waiting whatever the failure
    // (a device node may linger a moment after it went, or be held briefly by
    // another program). Any other failure leaves the port closed, with why.
    bool open();
    // Closes the port if it is open and stops waiting for it: the operator left it.
    void leave();

    const ConnectionState &state() const { return m_state; }

signals:
    // The state changed, or an opening was tried: the port or its device may be new.
    void changed();

private:
    void opened();
    void closed();
    void lost();
    void check();
    void setState(const ConnectionState &state);
    ConnectionState failedState() const;

    MSComm &m_port;
    QTimer m_timer;
    ConnectionState m_state;
};
