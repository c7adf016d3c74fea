#pragma once

#include "link/trafficcount.h"

#include <QStatusBar>

class ConnectionWatch;
class ElidedLabel;
class Throttle;
class MSComm;
class QLabel;

// The status bar of the main window, in three rows: the port and its device,
// the speed and the state of the link; the last thing worth telling about the
// link (a read that got no reply, a speed the board was told), two lines high
// so that it reads whole; then how many programs use the port through the
// panel and the bytes sent and received this session. Each part's accessible name is its text, its
// description says what it is. Object names: lblPort, lblSpeed, lblState, lblNote, lblClients,
// lblTraffic.
class LinkStatusBar : public QStatusBar
{
    Q_OBJECT

public:
    LinkStatusBar(const MSComm &port, const ConnectionWatch &watch, QWidget *parent = nullptr);

    // Shows a note until the next one; an empty note clears it.
    void showNote(const QString &note);
    // How many programs use the port through the panel; nothing shown for none.
    void showClients(int count);

private:
    // Shows the port, its device, the speed and the state as they are now:
    // after each change of the link's state or of the port's settings.
    void refresh();
    QLabel *makePart(QLabel *label, const QString &name, const QString &description);

    const MSComm &m_port;
    const ConnectionWatch &m_watch;
    TrafficCount m_traffic;
    Throttle *m_trafficShown; // the count, at most five times a second
    ElidedLabel *lblPort = nullptr;
    QLabel *lblSpeed = nullptr;
    QLabel *lblState = nullptr;
    QLabel *lblNote = nullptr;
    QLabel *lblClients = nullptr;
    QLabel *lblTraffic = nullptr;
};
