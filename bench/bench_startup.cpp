// Start-up, measured from outside: spawns the panel's start-up (bench_startpanel,
// the same code as VantorApp) and a bare Qt window with a menu bar and one open
// serial port (bench_startfloor) in turn, and takes for each run the time from
// the spawn until the child has painted its window, the moments on the way
// (see paintreporter.h) and the child's peak resident memory (wait4). The
// children use the QPA platform of this process's environment
// (QT_QPA_PLATFORM; under xvfb-run, xcb).
//   bench_startup [runs=15] [panel program=bench_startpanel]
// (another panel program: an older build of the same start-up, for a before
// and after comparison in one run). Writes vantor.ini beside the panel program
// for the run (COM 1 on a pseudo-terminal, backlight level 150) and removes it
// afterwards.

#include "benchstats.h"
#include "support/ptypair.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include <array>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

constexpr int ShowTimeoutMs = 20000;
constexpr double GoalTimeRatio = 1.05;
constexpr double GoalMemoryRatio = 1.02;
// The moments a child reports, in order; the last is "window shown".
constexpr std::array<const char *, 5> Moments{"loaded", "app", "show", "paint", "shown"};

struct Program
{
    QByteArray path;
    QByteArray argument;
};

struct Run
{
    std::array<double, Moments.size()> ms{}; // from the spawn; ms.back() < 0: never reported
    double rssMiB = -1;                      // peak resident memory
};

struct Series
{
    std::array<std::vector<double>, Moments.size()> ms;
    std::vector<double> rssMiB;
    int failures = 0;

    void add(const Run &run)
    {
        if (run.ms.back() <= 0) {
            ++failures;
            return;
        }
        for (std::size_t i = 0; i < Moments.size(); ++i)
            ms[i].push_back(run.ms[i]);
        rssMiB.push_back(run.rssMiB);
    }
    double shownMedian() const { return Summarize(ms.back()).median; }
    double rssMedian() const { return Summarize(rssMiB).median; }
};

qint64 monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// What the child prints up to its "shown" line, or less when it does not come in time.
QByteArray readReport(int fd)
{
    QByteArray text;
    pollfd wait{fd, POLLIN, 0};
    const qint64 deadline = monotonicNs() + qint64(ShowTimeoutMs) * 1'000'000;
    while (!text.contains("shown ") && monotonicNs() < deadline) {
        if (poll(&wait, 1, 100) <= 0)
            continue;
        char buffer[512];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        text.append(buffer, n);
    }
    return text;
}

// Milliseconds from start to each moment of the report; -1 for a missing one.
std::array<double, Moments.size()> moments(const QByteArray &report, qint64 start)
{
    std::array<double, Moments.size()> ms;
    ms.fill(-1);
    for (const QByteArray &line : report.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        for (std::size_t i = 0; i < Moments.size() && fields.size() == 2; ++i) {
            if (fields[0] == Moments[i])
                ms[i] = double(fields[1].toLongLong() - start) / 1e6;
        }
    }
    return ms;
}

pid_t spawn(const Program &program, int stdoutFd)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, stdoutFd, STDOUT_FILENO);
    char *argv[] = {const_cast<char *>(program.path.constData()),
                    program.argument.isEmpty() ? nullptr
                                               : const_cast<char *>(program.argument.constData()),
                    nullptr};
    pid_t pid = -1;
    if (posix_spawn(&pid, program.path.constData(), &actions, nullptr, argv, environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

Run runOnce(const Program &program)
{
    Run run;
    run.ms.fill(-1);
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0)
        return run;
    const qint64 start = monotonicNs();
    const pid_t pid = spawn(program, pipeFds[1]);
    ::close(pipeFds[1]);
    const QByteArray report = pid > 0 ? readReport(pipeFds[0]) : QByteArray();
    ::close(pipeFds[0]);
    if (pid <= 0)
        return run;
    run.ms = moments(report, start);
    if (run.ms.back() < 0)
        kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.rssMiB = double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
    return run;
}

bool writeIni(const QString &path, const QString &device)
{
    QFile ini(path);
    if (!ini.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    ini.write("[Settings]\nCommPort=1\nSetting=9600,n,8,1\n[Backlight]\nLevel=150\nAutoOff=30\n["
              "Ports]\nCOM1="
              + device.toLocal8Bit() + "\n");
    return true;
}

void printSeries(const char *name, const Series &series)
{
    const Summary shown = Summarize(series.ms.back());
    const Summary memory = Summarize(series.rssMiB);
    std::printf("%-28s %7.1f %7.1f %7.1f | %7.1f %7.1f |", name, shown.median, shown.p99, shown.max,
                memory.median, memory.max);
    for (std::size_t i = 0; i + 1 < Moments.size(); ++i)
        std::printf(" %6.1f", Summarize(series.ms[i]).median);
    std::printf(series.failures ? "  (%d runs failed)\n" : "\n", series.failures);
}

void printResults(int runs, const Series &panel, const Series &floor)
{
    const char *platform = getenv("QT_QPA_PLATFORM");
    std::printf(
        "start-up: spawn to first frame painted, QPA platform %s, %d runs each, alternating\n",
        platform ? platform : "(default)", runs);
    std::printf("%-28s %7s %7s %7s | %7s %7s | median ms to:", "program", "ms med", "ms p99",
                "ms max", "MiB med", "MiB max");
    for (std::size_t i = 0; i + 1 < Moments.size(); ++i)
        std::printf(" %6s", Moments[i]);
    std::printf("\n");
    printSeries("panel (VantorApp start-up)", panel);
    printSeries("floor (bare window + port)", floor);
    const double timeRatio = panel.shownMedian() / floor.shownMedian();
    const double memoryRatio = panel.rssMedian() / floor.rssMedian();
    std::printf("panel/floor: time x%.2f (goal %.2f: %s), memory x%.2f (goal %.2f: %s)\n",
                timeRatio, GoalTimeRatio, timeRatio <= GoalTimeRatio ? "met" : "NOT met",
                memoryRatio, GoalMemoryRatio, memoryRatio <= GoalMemoryRatio ? "met" : "NOT met");
}

// Runs both programs `runs` times, alternating which goes first so neither
// always starts on caches the other has just warmed. Returns the number of
// panel runs that sent nothing on COM 1 (its port did not open).
int measure(const Program &panel, const Program &floor, PtyPair &panelPty, int runs,
            Series &panelSeries, Series &floorSeries)
{
    runOnce(panel); // warm the page cache and the font cache
    runOnce(floor);
    panelPty.drain();
    int silent = 0;
    for (int i = 0; i < runs; ++i) {
        if (i % 2 == 0) {
            panelSeries.add(runOnce(panel));
            floorSeries.add(runOnce(floor));
        } else {
            floorSeries.add(runOnce(floor));
            panelSeries.add(runOnce(panel));
        }
        QByteArray sent;
        panelPty.readInto(sent);
        silent += sent.isEmpty() ? 1 : 0; // the panel sends its backlight level at start-up
    }
    return silent;
}

} // namespace

int main(int argc, char *argv[])
{
    const int runs = argc > 1 ? qMax(1, atoi(argv[1])) : 15;
    const QByteArray panelPath =
        argc > 2 ? QByteArray(argv[2]) : QByteArray(VANTOR_STARTPANEL_PATH);
    const QString ini =
        QFileInfo(QString::fromLocal8Bit(panelPath)).absolutePath() + QStringLiteral("/vantor.ini");
    PtyPair panelPty, floorPty;
    if (!panelPty.isValid() || !floorPty.isValid() || !writeIni(ini, panelPty.slavePath())) {
        std::fprintf(stderr, "cannot make the pseudo-terminals or %s\n", qPrintable(ini));
        return 1;
    }
    const Program panel{panelPath, {}};
    const Program floor{VANTOR_STARTFLOOR_PATH, floorPty.slavePath().toLocal8Bit()};
    Series panelSeries, floorSeries;
    const int silent = measure(panel, floor, panelPty, runs, panelSeries, floorSeries);
    QFile::remove(ini);
    std::printf("panel program: %s\n", panelPath.constData());
    printResults(runs, panelSeries, floorSeries);
    if (silent)
        std::printf("warning: %d panel runs sent nothing: its port did not open\n", silent);
    return 0;
}
