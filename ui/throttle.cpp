#include "ui/throttle.h"

Throttle::Throttle(int intervalMs, std::function<void()> action, QObject *parent)
    : QObject(parent), m_action(std::move(action))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(intervalMs);
    connect(&m_timer, &QTimer::timeout, this, &Throttle::intervalOver);
}

void Throttle::request()
{
    if (m_timer.isActive()) {
        m_pending = true;
        return;
    }
    m_action();
    m_timer.start();
}

void Throttle::intervalOver()
{
    if (!m_pending)
        return;
    m_pending = false;
    m_action();
    m_timer.start();
}
