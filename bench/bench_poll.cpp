// The panel polling its inputs: a real frmMain whose COM 1 leads to a
// pseudo-terminal, with "Plot Inputs..." open and polling all three readings
// at the shortest interval (0.1 s). A second process plays the board and
// answers every read, so the panel's process time is the panel's alone.
//   processor use: the panel's process time over a stretch of wall time,
//     once with the plot window open and stopped (the floor: Qt's timers,
//     the idle window), once while it polls, and once more while it polls
//     with the traffic monitor open beside it (a row for every read);
//   polls made, skipped (a poll due while the one before was not done) and
//     reads left without reply over the stretch.
//   bench_poll [seconds=30]
// Runs on the offscreen platform unless QT_QPA_PLATFORM names another.

#include "processtime.h"
#include "support/ptypair.h"
#include "support/readanswerer.h"

#include "link/inikeys.h"
#include "link/modini.h"
#include "ui/main/frmmain.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr double GoalCpuPercent = 3.0;

// The board, in a process of its own made before this one has threads: it
// answers every read until it is ended.
pid_t startBoard(PtyPair &pty, int argc, char *argv[])
{
    const pid_t child = fork();
    if (child != 0)
        return child;
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    QCoreApplication app(argc, argv);
    ReadAnswerer board(pty);
    _exit(app.exec());
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 30;
    PtyPair pty;
    const pid_t board = startBoard(pty, argc, argv);
    QApplication app(argc, argv);

    QTemporaryDir folder;
    SetIniFolder(folder.path());
    WriteIniValue(Ini::PortsSection, Ini::PortKey(1), pty.slavePath());
    frmMain window;
    window.Form_Load();
    window.show();
    window.findChild<QAction *>(QStringLiteral("mnuPlotInputs"))->trigger();
    auto *plot = window.findChild<QWidget *>(QStringLiteral("frmPlot"));
    plot->findChild<QDoubleSpinBox *>(QStringLiteral("spnInterval"))->setValue(0.1);
    for (const char *reading : {"chkVoltage", "chkCurrent", "chkInputs"})
        plot->findChild<QAbstractButton *>(QString::fromLatin1(reading))->setChecked(true);
    Idle(1000);

    std::printf("plot open, not polling: %.3f %% of a core over %d s\n", CorePercentOver(seconds),
                seconds);
    plot->findChild<QAbstractButton *>(QStringLiteral("cmdStart"))->click();
    Idle(2000); // the first polls, the plot's first frames
    std::printf("polling 3 readings every 0.1 s: %.3f %% of a core over %d s (goal < %.0f %%)\n",
                CorePercentOver(seconds), seconds, GoalCpuPercent);
    std::printf("%s\n", qPrintable(plot->findChild<QLabel *>(QStringLiteral("lblCounts"))->text()));
    window.findChild<QAction *>(QStringLiteral("mnuTraffic"))->trigger();
    std::printf("the same with the traffic monitor open: %.3f %% of a core over %d s\n",
                CorePercentOver(seconds), seconds);

    kill(board, SIGTERM);
    waitpid(board, nullptr, 0);
    SetIniFolder(QString());
    return 0;
}
