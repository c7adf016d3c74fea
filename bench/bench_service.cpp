// The panel's port shared with other programs, measured on a real frmMain
// (offscreen) that owns a pseudo-terminal and serves it on its socket:
//   start:  from the spawn of `vantorctl text a b` until its bytes are on the
//           line, through the panel's socket, beside the same command opening
//           the device itself while the panel has let go of the port
//           ("Release Port"); the two take turns.
//   clicks: click to wire of "Set Cursor Position" while one client streams
//           1,000 lines through the panel (`vantorctl -`), beside the same
//           clicks with no client.
//   bench_service [runs=30] [lines=1000]

#include "benchstats.h"
#include "support/ptypair.h"

#include "link/inikeys.h"
#include "link/modini.h"
#include "ui/main/frmmain.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

constexpr qint64 TimeoutNs = 10'000'000'000;
constexpr double GoalStartRatio = 1.2;
constexpr double GoalClickRatio = 1.1;
const QByteArray TextAB("a\x0c"
                        "b");
const QByteArray CursorBytes = QByteArray::fromHex("FE320105");

// Nanoseconds from the action until `expected` stands in what the master side
// reads, with the panel's events processed meanwhile; -1 after the time-out.
qint64 timeToBytes(PtyPair &line, const std::function<void()> &action, const QByteArray &expected)
{
    QByteArray got;
    QElapsedTimer clock;
    clock.start();
    action();
    for (;;) {
        line.readInto(got);
        if (got.contains(expected))
            return clock.nsecsElapsed();
        if (clock.nsecsElapsed() > TimeoutNs)
            return -1;
        QCoreApplication::processEvents();
    }
}

void trigger(frmMain &panel, const char *item)
{
    panel.findChild<QAction *>(QString::fromLatin1(item))->trigger();
}

// vantorctl's start to its bytes on the line, spawned as a script spawns it.
qint64 ctlToWire(PtyPair &line, const QStringList &arguments)
{
    QProcess ctl;
    const qint64 ns = timeToBytes(
        line, [&] { ctl.start(QStringLiteral(VANTORCTL_PATH), arguments); }, TextAB);
    const bool ended = QTest::qWaitFor([&] { return ctl.state() == QProcess::NotRunning; });
    return ended && ctl.exitCode() == 0 ? ns : -1;
}

void start(frmMain &panel, PtyPair &line, int runs)
{
    const QStringList arguments{"--port", line.slavePath(), "text", "a", "b"};
    std::vector<double> owner, direct;
    int failures = 0;
    for (int i = -1; i < runs; ++i) { // one warm-up run of each first
        line.drain();
        const qint64 through = ctlToWire(line, arguments);
        trigger(panel, "mnuReleasePort");
        line.drain();
        const qint64 itself = ctlToWire(line, arguments);
        trigger(panel, "mnuOpenPort");
        if (i < 0)
            continue;
        if (through < 0 || itself < 0) {
            ++failures;
            continue;
        }
        owner.push_back(double(through) / 1e6);
        direct.push_back(double(itself) / 1e6);
    }
    const Summary a = Summarize(owner), b = Summarize(direct);
    std::printf("vantorctl text a b, start to last byte, %d runs (ms: median / p99 / max):\n",
                runs);
    std::printf("  through the panel's socket   %6.2f / %6.2f / %6.2f\n", a.median, a.p99, a.max);
    std::printf("  opening the device itself    %6.2f / %6.2f / %6.2f\n", b.median, b.p99, b.max);
    std::printf("  ratio of medians %.2f (goal: at most %.1f)%s\n", a.median / b.median,
                GoalStartRatio, failures ? "  SOME RUNS FAILED" : "");
}

// Click to wire, the click measured until its own bytes are on the line
// (whatever the client's bytes around them).
std::vector<double> clicks(PtyPair &line, QPushButton *button, const std::function<bool()> &more)
{
    std::vector<double> us;
    while (more()) {
        const qint64 ns = timeToBytes(
            line, [button] { QTest::mouseClick(button, Qt::LeftButton); }, CursorBytes);
        if (ns >= 0)
            us.push_back(double(ns) / 1e3);
        // Outside the timing: the client's lines, and the board reading what
        // they wrote, as a board reads all the time.
        QCoreApplication::processEvents();
        line.drain();
    }
    return us;
}

void clicksWithClient(frmMain &panel, PtyPair &line, int lines)
{
    panel.findChild<QComboBox *>(QStringLiteral("cboRow"))->setCurrentIndex(1);
    panel.findChild<QComboBox *>(QStringLiteral("cboColumn"))->setCurrentIndex(5);
    auto *button = panel.findChild<QPushButton *>(QStringLiteral("cmdSetCursor"));
    QByteArray input;
    for (int i = 0; i < lines; ++i)
        input += "outputs " + QByteArray::number(i % 8) + '\n';
    QProcess client;
    client.start(QStringLiteral(VANTORCTL_PATH), {"--port", line.slavePath(), "-"});
    client.write(input);
    client.closeWriteChannel();
    const std::vector<double> busy =
        clicks(line, button, [&] { return client.state() != QProcess::NotRunning; });
    int count = 0;
    const std::vector<double> quiet =
        clicks(line, button, [&] { return count++ < int(std::max<size_t>(busy.size(), 100)); });
    const Summary a = Summarize(busy), b = Summarize(quiet);
    std::printf("\nclick to wire, \"Set Cursor Position\" (us: median / p99 / max):\n");
    std::printf("  while %d client lines stream  %7.1f / %7.1f / %7.1f  (%zu clicks, client "
                "exit %d)\n",
                lines, a.median, a.p99, a.max, busy.size(), client.exitCode());
    std::printf("  with no client                %7.1f / %7.1f / %7.1f  (%zu clicks)\n", b.median,
                b.p99, b.max, quiet.size());
    std::printf("  ratio of medians %.2f (goal: at most %.1f)\n", a.median / b.median,
                GoalClickRatio);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 30;
    const int lines = argc > 2 ? std::atoi(argv[2]) : 1000;
    QTemporaryDir folder;
    PtyPair line;
    SetIniFolder(folder.path());
    WriteIniValue(Ini::SettingsSection, Ini::CommPortKey, QStringLiteral("1"));
    WriteIniValue(Ini::PortsSection, Ini::PortKey(1), line.slavePath());
    frmMain panel;
    panel.Form_Load();
    panel.show();
    start(panel, line, runs);
    clicksWithClient(panel, line, lines);
    return 0;
}
