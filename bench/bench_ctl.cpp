// vantorctl from outside, as a script runs it, with a pseudo-terminal for the
// board (nobody answers; the bench reads the master side):
//   start:  from the spawn of `vantorctl text a b` until its last byte is on
//           the pseudo-terminal, beside the floor of a shell that sets the line
//           with stty and writes the same bytes with printf > DEVICE, and the
//           floor of any Qt program (bench_ctlfloor: QSerialPort, write, flush);
//   stream: commands through `vantorctl -` from a file, from the spawn until
//           the last byte, beside the time the same bytes take on the wire.
//   bench_ctl [runs=30] [commands=1000]

#include "benchstats.h"

#include <QByteArray>
#include <QList>
#include <QTemporaryFile>

#include <array>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int ByteWaitMs = 10000;
constexpr double BitsPerByte = 10; // start, 8 data, stop
constexpr double GoalStartRatio = 2.0;
// The bytes `vantorctl text a b` writes: "a", NewLine, "b".
const QByteArray TextAB("a\x0c"
                        "b");

double monotonicMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// A pseudo-terminal whose master side the bench reads; the slave stays open
// so that the line outlives each program's open and close.
struct Line
{
    int master = -1;
    int slave = -1;
    QByteArray device;

    Line()
    {
        char name[256] = {};
        termios raw{};
        cfmakeraw(&raw);
        if (openpty(&master, &slave, name, &raw, nullptr) == 0)
            device = name;
    }
    ~Line()
    {
        ::close(master);
        ::close(slave);
    }

    // Reads until count bytes have come; the moment the last one was read, or -1.
    double awaitBytes(qsizetype count) const
    {
        qsizetype got = 0;
        char buffer[4096];
        while (got < count) {
            pollfd readable{master, POLLIN, 0};
            if (poll(&readable, 1, ByteWaitMs) != 1)
                return -1;
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n <= 0)
                return -1;
            got += n;
        }
        return monotonicMs();
    }
};

pid_t spawn(const QList<QByteArray> &arguments, const char *input = nullptr)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (input)
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, input, O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char *> argv;
    for (const QByteArray &argument : arguments)
        argv.push_back(const_cast<char *>(argument.constData()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// From the spawn until count bytes are on the line, and the processor time
// the child (and its own children) used; wallMs < 0 for a failure.
struct Timing
{
    double wallMs = -1;
    double cpuMs = -1;
};

double toMs(const timeval &t)
{
    return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
}

Timing timeToBytes(const Line &line, const QList<QByteArray> &arguments, qsizetype count,
                   const char *input = nullptr)
{
    const double start = monotonicMs();
    const pid_t pid = spawn(arguments, input);
    const double done = pid > 0 ? line.awaitBytes(count) : -1;
    int status = 0;
    rusage usage{};
    if (pid <= 0 || wait4(pid, &status, 0, &usage) != pid || done < 0 || !WIFEXITED(status)
        || WEXITSTATUS(status) != 0)
        return {};
    return {done - start, toMs(usage.ru_utime) + toMs(usage.ru_stime)};
}

struct Series
{
    std::vector<double> wallMs, cpuMs;
    int failures = 0;

    void add(const Timing &timing)
    {
        if (timing.wallMs < 0) {
            ++failures;
            return;
        }
        wallMs.push_back(timing.wallMs);
        cpuMs.push_back(timing.cpuMs);
    }
    void print(const char *name) const
    {
        const Summary wall = Summarize(wallMs), cpu = Summarize(cpuMs);
        std::printf("  %-29s %6.2f / %6.2f / %6.2f   %5.2f%s\n", name, wall.median, wall.p99,
                    wall.max, cpu.median, failures ? "  SOME RUNS FAILED" : "");
    }
};

double medianRatio(const std::vector<double> &a, const std::vector<double> &b)
{
    return Summarize(a).median / Summarize(b).median;
}

void start(const QByteArray &ctl, int runs)
{
    const Line line;
    const QList<QByteArray> program{ctl,    "--port", line.device, "--speed",
                                    "9600", "text",   "a",         "b"};
    const QByteArray script =
        "stty -F " + line.device + " 9600 raw -echo && printf 'a\\014b' > " + line.device;
    const QList<QList<QByteArray>> programs{
        program, {"/bin/sh", "-c", script}, {VANTOR_CTLFLOOR_PATH, line.device}};
    std::array<Series, 3> series;
    for (int i = -1; i < runs; ++i) { // one warm-up run of each first, then in turn
        for (int k = 0; k < 3; ++k) {
            const int which = (i + 3 + k) % 3; // each goes first as often as the others
            const Timing timing = timeToBytes(line, programs[which], TextAB.size());
            if (i >= 0)
                series[which].add(timing);
        }
    }
    std::printf("start to last byte, %d runs each (ms: median / p99 / max, median CPU):\n", runs);
    series[0].print("vantorctl text a b");
    series[1].print("stty + printf > DEVICE floor");
    series[2].print("Qt floor (bench_ctlfloor)");
    std::printf("  vantorctl / shell floor: medians %.2f, CPU %.2f (goal: within %.1f)\n",
                medianRatio(series[0].wallMs, series[1].wallMs),
                medianRatio(series[0].cpuMs, series[1].cpuMs), GoalStartRatio);
    std::printf("  vantorctl / Qt floor:    medians %.2f, CPU %.2f\n",
                medianRatio(series[0].wallMs, series[2].wallMs),
                medianRatio(series[0].cpuMs, series[2].cpuMs));
}

// A mix of what a script sends: text, cursor, outputs, backlight, clear.
QByteArray commandLines(int count)
{
    static const char *const mix[] = {"text \"Temp %1\" \"21.5 C\"", "goto 1 %2", "outputs %3",
                                      "backlight %4", "clear"};
    QByteArray lines;
    for (int i = 0; i < count; ++i) {
        lines += QString::fromLatin1(mix[i % 5])
                     .replace("%1", QString::number(i))
                     .replace("%2", QString::number(i % 16))
                     .replace("%3", QString::number(i % 8))
                     .replace("%4", QString::number(50 + i % 200))
                     .toLatin1()
                 + '\n';
    }
    return lines;
}

// The bytes the commands put on the wire, counted from --dry-run's hex.
qsizetype wireBytes(const QByteArray &ctl, const char *input)
{
    QTemporaryFile hex;
    hex.open();
    const QByteArray command =
        "'" + ctl + "' --dry-run - < '" + input + "' > '" + hex.fileName().toLocal8Bit() + "'";
    if (std::system(command.constData()) != 0)
        return -1;
    const QByteArray text = hex.readAll().simplified();
    return text.isEmpty() ? 0 : text.count(' ') + 1;
}

void stream(const QByteArray &ctl, int commands)
{
    QTemporaryFile input;
    input.open();
    input.write(commandLines(commands));
    input.flush();
    const QByteArray inputPath = input.fileName().toLocal8Bit();
    const qsizetype bytes = wireBytes(ctl, inputPath.constData());
    const Line line;
    const double ms = timeToBytes(line, {ctl, "--port", line.device, "--speed", "9600", "-"}, bytes,
                                  inputPath.constData())
                          .wallMs;
    const double wire9600Ms = double(bytes) * BitsPerByte / 9600 * 1000;
    std::printf("\n%d commands through `vantorctl -` (%lld bytes):\n", commands,
                static_cast<long long>(bytes));
    std::printf("  program: %.1f ms (%.0f commands/s, %.0f bytes/s)\n", ms, commands / ms * 1000,
                double(bytes) / ms * 1000);
    std::printf("  the wire: %.0f ms at 9600 bit/s, %.0f ms at 19200 bit/s; program / wire %.3f\n",
                wire9600Ms, wire9600Ms / 2, ms / wire9600Ms);
}

} // namespace

int main(int argc, char *argv[])
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 30;
    const int commands = argc > 2 ? std::atoi(argv[2]) : 1000;
    const QByteArray ctl(VANTORCTL_PATH);
    start(ctl, runs);
    stream(ctl, commands);
    return 0;
}
