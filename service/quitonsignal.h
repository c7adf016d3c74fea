#pragma once

#include <QObject>

class QSocketNotifier;

// Ends the event loop on SIGINT, SIGTERM and SIGHUP, so a program shuts down
// in order (the board removes its link, an owner its socket) instead of dying
// on the spot.
class QuitOnSignal : public QObject
{
    Q_OBJECT

public:
    explicit QuitOnSignal(QObject *parent = nullptr);
    ~QuitOnSignal() override;

signals:
    // A signal came; the event loop is told to end right after.
    void signalled();

private:
    static void handle(int signal);

    QSocketNotifier *m_notifier = nullptr;
};
