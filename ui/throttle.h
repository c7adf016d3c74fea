#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

// Runs an action at most once an interval: the first request at once, the
// requests that come within the interval once at its end. For a text that a
// fast stream of events would otherwise lay out and paint at every event,
// more often than anyone can read it.
class Throttle : public QObject
{
    Q_OBJECT

public:
    Throttle(int intervalMs, std::function<void()> action, QObject *parent = nullptr);

    void request();

private:
    void intervalOver();

    QTimer m_timer;
    std::function<void()> m_action;
    bool m_pending = false;
};
