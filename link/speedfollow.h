#pragma once

#include "link/portactivity.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <optional>

class MSComm;

// Moves the port to the speed the board has just been told to take. The board
// changes speed once it has read the command, so the port changes only after
// every byte written before has left it: the output is checked every
// CheckIntervalMs, and the speed changes at the second check that finds it
// drained, which leaves a serial chip's own few bytes of buffer time to go
// out at the old speed. A port that is closed meanwhile takes the new
// settings for its next opening.
class SpeedFollow : public QObject
{
    Q_OBJECT

public:
    static constexpr int CheckIntervalMs = 20;

    explicit SpeedFollow(MSComm &port, QObject *parent = nullptr);

    // Waits for the output to drain, then sets the port to the settings text.
    // A later call replaces one still waiting.
    void follow(const QString &settings);
    // Forgets a follow still waiting: the operator chose a port or speed since.
    void cancel();

signals:
    void followed(const QString &settings);

private:
    void check();

    MSComm &m_port;
    QTimer m_timer;
    QString m_settings;
    bool m_drainedOnce = false;
    // Held while a follow waits: another program's bytes would go at the
    // old speed to a board that has switched.
    std::optional<PortActivity::Scope> m_hold;
};
