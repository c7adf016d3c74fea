#include "processtime.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <ctime>

double ProcessSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

void Idle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

double CorePercentOver(int seconds)
{
    const double before = ProcessSeconds();
    QElapsedTimer wall;
    wall.start();
    Idle(seconds * 1000);
    return (ProcessSeconds() - before) / (double(wall.nsecsElapsed()) / 1e9) * 100;
}
