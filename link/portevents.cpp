#include "link/portevents.h"

#include "link/mscomm.h"

#include <utility>

QString PortEvent::text() const
{
    const char *word = "";
    switch (kind) {
    case Opened: word = "opened"; break;
    case Closed: word = "closed"; break;
    case Lost: word = "lost"; break;
    case Reopened: word = "reopened"; break;
    case SpeedChanged: word = "speed changed to"; break;
    case Released: word = "released"; break;
    }
    return detail.isEmpty() ? QLatin1String(word) : QLatin1String(word) + u' ' + detail;
}

PortEvents::PortEvents(const MSComm &port, QObject *parent)
    : QObject(parent), m_port(port), m_speed(speed())
{
    connect(&m_port, &MSComm::portOpened, this, &PortEvents::opened);
    connect(&m_port, &MSComm::portClosed, this, &PortEvents::closed);
    connect(&m_port, &MSComm::portLost, this, &PortEvents::lost);
    connect(&m_port, &MSComm::settingsChanged, this, &PortEvents::settingsChanged);
}

void PortEvents::opened()
{
    const PortEvent::Kind kind = m_lost ? PortEvent::Reopened : PortEvent::Opened;
    m_lost = false;
    emit happened({kind, QStringLiteral("%1 at %2").arg(m_port.DeviceName(), speed())});
}

void PortEvents::closed()
{
    m_lost = false;
    const bool released = std::exchange(m_releasing, false);
    emit happened({released ? PortEvent::Released : PortEvent::Closed, m_port.DeviceName()});
}

void PortEvents::lost()
{
    m_lost = true;
    emit happened({PortEvent::Lost, m_port.DeviceName()});
}

void PortEvents::settingsChanged()
{
    const QString now = speed();
    if (now == m_speed)
        return;
    m_speed = now;
    emit happened({PortEvent::SpeedChanged, now});
}

QString PortEvents::speed() const
{
    const auto settings = SerialSettings::parse(m_port.Settings());
    return settings ? settings->summary() : m_port.Settings();
}
