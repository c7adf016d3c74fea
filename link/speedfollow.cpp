#include "link/speedfollow.h"

#include "link/mscomm.h"

#include <utility>

SpeedFollow::SpeedFollow(MSComm &port, QObject *parent) : QObject(parent), m_port(port)
{
    m_timer.setInterval(CheckIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &SpeedFollow::check);
}

void SpeedFollow::follow(const QString &settings)
{
    m_settings = settings;
    m_drainedOnce = false;
    m_timer.start();
    if (!m_hold)
        m_hold.emplace(m_port.activity());
}

void SpeedFollow::cancel()
{
    m_timer.stop();
    m_hold.reset();
}

void SpeedFollow::check()
{
    if (!m_port.OutputDrained()) {
        m_drainedOnce = false;
        return;
    }
    if (!std::exchange(m_drainedOnce, true) && m_port.PortOpen())
        return;
    m_timer.stop();
    m_hold.reset();
    if (m_port.setSettings(m_settings))
        emit followed(m_settings);
}
