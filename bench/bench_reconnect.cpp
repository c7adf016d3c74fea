// Reconnection of the real panel: a frmMain whose COM 1 leads through a
// symbolic link to a pseudo-terminal, as a USB adapter sits behind its
// /dev/serial/by-id name.
//   return to open: the board is unplugged (its pseudo-terminal closed, the
//     link removed), then after a random pause plugged back (a new
//     pseudo-terminal, the link re-pointed); the time from the re-pointing
//     until the port has opened again.
//   processor use while waiting: the panel's process time over a stretch of
//     wall time while its device never comes back, once with the link gone
//     and once with the link left on the dead device; and, for comparison,
//     while the port is open and nothing happens.
//   bench_reconnect [replugs=40] [waitSeconds=10]
// Runs on the offscreen platform unless QT_QPA_PLATFORM names another.

#include "benchstats.h"
#include "processtime.h"
#include "support/ptylink.h"

#include "link/inikeys.h"
#include "link/modini.h"
#include "link/mscomm.h"
#include "ui/main/frmmain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int TimeoutMs = 5000;
constexpr double GoalMedianMs = 600;
constexpr double GoalMaxMs = 1100;
constexpr double GoalCpuPercent = 0.5;

// Runs the event loop until the port reports `signal`, or the time-out.
template <typename Signal> bool waitFor(MSComm &port, Signal signal)
{
    QEventLoop loop;
    QObject::connect(&port, signal, &loop, &QEventLoop::quit);
    QTimer::singleShot(TimeoutMs, &loop, [&loop] { loop.exit(1); });
    return loop.exec() == 0;
}

// Milliseconds from each return of the board to the port open again.
std::vector<double> returnToOpen(PtyLink &device, MSComm &port, int replugs)
{
    std::vector<double> times;
    for (int i = 0; i < replugs; ++i) {
        device.unplug();
        if (port.PortOpen() && !waitFor(port, &MSComm::portLost))
            break;
        Idle(QRandomGenerator::global()->bounded(100, 600)); // any phase of the watch's looks
        QElapsedTimer clock;
        clock.start();
        device.plug();
        if (!port.PortOpen() && !waitFor(port, &MSComm::portOpened))
            break;
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    return times;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int replugs = argc > 1 ? std::max(1, atoi(argv[1])) : 40;
    const int seconds = argc > 2 ? std::max(1, atoi(argv[2])) : 10;

    QTemporaryDir folder;
    SetIniFolder(folder.path());
    PtyLink device;
    WriteIniValue(Ini::PortsSection, Ini::PortKey(1), device.path());
    frmMain window;
    window.Form_Load();
    window.show();
    auto *port = window.findChild<MSComm *>(QStringLiteral("MSComm1"));

    const std::vector<double> times = returnToOpen(device, *port, replugs);
    if (int(times.size()) != replugs)
        std::printf("only %zu of %d replugs reopened the port\n", times.size(), replugs);
    const Summary summary = Summarize(times);
    std::printf("return to open, %zu replugs: median %.0f ms, p99 %.0f ms, max %.0f ms "
                "(goal: median < %.0f ms, max < %.0f ms)\n",
                times.size(), summary.median, summary.p99, summary.max, GoalMedianMs, GoalMaxMs);

    std::printf("open and idle, for comparison: %.3f %% of a core over %d s\n",
                CorePercentOver(seconds), seconds);
    device.unplug();
    Idle(500); // the loss is seen, the waiting begins
    std::printf("waiting, device gone: %.3f %% of a core over %d s (goal < %.1f %%)\n",
                CorePercentOver(seconds), seconds, GoalCpuPercent);
    device.plug();
    waitFor(*port, &MSComm::portOpened);
    device.board().closeMaster(); // the device node stays, but cannot be opened
    Idle(500);
    std::printf("waiting, dead device node left: %.3f %% of a core over %d s (goal < %.1f %%)\n",
                CorePercentOver(seconds), seconds, GoalCpuPercent);
    SetIniFolder(QString());
    return 0;
}
