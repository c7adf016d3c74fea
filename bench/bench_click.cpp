// Click to wire: from a simulated click (QTest::mouseClick: press and release)
// on a button of the real panel until the master side of a pseudo-terminal has
// read every byte the click writes; also from the release alone, the press done
// beforehand, as an operator's press comes well before the release. Beside two
// floors: a bare QSerialPort::write + flush of the same bytes to another
// pseudo-terminal (measured in the same run, sample by sample alternating with
// the clicks) and the time the bytes take on a 9600 bit/s line. The button's
// clicked() signal emitted alone times the panel's own code: the handler,
// the command, the write. Qt repaints the button synchronously on the press
// and again on the release before it emits clicked().
//   bench_click [clicks=1000]
// Runs on the offscreen platform unless QT_QPA_PLATFORM names another.

#include "benchstats.h"
#include "support/ptypair.h"

#include "link/inikeys.h"
#include "link/modini.h"
#include "protocol/commandbuffer.h"
#include "protocol/commands.h"
#include "protocol/merrowfunc.h"
#include "ui/custom/frmcustom.h"
#include "ui/main/frmmain.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <functional>

namespace {

constexpr int WarmUpClicks = 50;
constexpr qint64 TimeoutNs = 1'000'000'000;
constexpr double WireMsPerByte = 10 * 1000.0 / 9600; // start bit, 8 data bits, stop bit
constexpr double GoalMedianUs = 100;
constexpr double GoalP99Us = 1000;

using Action = std::function<void()>;

struct Case
{
    const char *caption;
    QPushButton *button;
    QList<QByteArray> writes; // what one click puts on the wire, write by write
};

struct Row
{
    Summary click;   // press and release, microseconds
    Summary release; // release only, the press done beforehand
    Summary handler; // the button's clicked() signal alone: the panel's own code
    Summary floor;   // bare write
    int failures = 0;
};

// Nanoseconds from starting the action until `expected` has been read on the
// master side, or -1 when other bytes or none come within a second. Events are
// processed only while bytes are still missing.
qint64 timeToWire(PtyPair &pty, const Action &action, const QByteArray &expected)
{
    pty.drain();
    QByteArray got;
    QElapsedTimer clock;
    clock.start();
    action();
    for (;;) {
        pty.readInto(got);
        if (got.size() >= expected.size())
            break;
        if (clock.nsecsElapsed() > TimeoutNs)
            return -1;
        QCoreApplication::processEvents();
    }
    const qint64 elapsed = clock.nsecsElapsed();
    return got == expected ? elapsed : -1;
}

QPushButton *button(QWidget *window, const char *name)
{
    auto *found = window->findChild<QPushButton *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no button %s", name);
    return found;
}

Case setCursorCase(frmMain &window)
{
    window.findChild<QComboBox *>(QStringLiteral("cboRow"))->setCurrentIndex(1);
    window.findChild<QComboBox *>(QStringLiteral("cboColumn"))->setCurrentIndex(5);
    merrowfunc::BuildCursorPosition(1, 5);
    return {"Set Cursor Position", button(&window, "cmdSetCursor"), {strCommand}};
}

Case sendCase(frmMain &window)
{
    window.findChild<QLineEdit *>(QStringLiteral("txtLine1"))->setText(QStringLiteral("Hello"));
    window.findChild<QLineEdit *>(QStringLiteral("txtLine2"))->setText(QStringLiteral("World"));
    const QByteArray line1 = QByteArray("Hello") + char(Cmd::NewLine);
    return {"Send", button(&window, "cmdSendAscii"), {line1, QByteArray("World")}};
}

// The custom characters window, opened from its menu entry as the operator does.
Case loadCustomCase(frmMain &window)
{
    window.findChild<QAction *>(QStringLiteral("mnuCustom"))->trigger();
    auto *custom = window.findChild<frmCustom *>();
    if (!custom || !QTest::qWaitForWindowExposed(custom))
        qFatal("the custom characters window did not open");
    const QByteArray definition = Cmd::command(Cmd::DefineCustomChar)
                                  + QByteArray(Cmd::CustomCharCount * Cmd::CustomCharRows, '\0');
    return {"Load Custom Characters Onto LCD",
            button(custom, "cmdLoadCustom"),
            {definition, definition + Cmd::command(Cmd::GraphModeOff)}};
}

Action bareWrites(QSerialPort &port, const QList<QByteArray> &writes)
{
    return [&port, writes] {
        for (const QByteArray &bytes : writes) {
            port.write(bytes);
            port.flush();
        }
    };
}

double micro(qint64 ns)
{
    return double(ns) / 1000.0;
}

// The release alone: an operator presses some hundred milliseconds before
// releasing, so the repaint that Qt does on the press is long over by then.
qint64 timeRelease(PtyPair &panel, QPushButton *target, const QByteArray &expected)
{
    QTest::mousePress(target, Qt::LeftButton);
    QCoreApplication::processEvents();
    return timeToWire(
        panel, [target] { QTest::mouseRelease(target, Qt::LeftButton); }, expected);
}

// Clicks, releases and bare writes alternate, so all see the same state of the machine.
Row measure(const Case &test, PtyPair &panel, PtyPair &floorPty, QSerialPort &floorPort, int clicks)
{
    const QByteArray expected = test.writes.join();
    const Action click = [target = test.button] { QTest::mouseClick(target, Qt::LeftButton); };
    const Action handler = [target = test.button] { emit target->clicked(); };
    const Action floorAction = bareWrites(floorPort, test.writes);
    std::vector<double> clickUs, releaseUs, handlerUs, floorUs;
    Row row;
    for (int i = 0; i < WarmUpClicks + clicks; ++i) {
        const qint64 clicked = timeToWire(panel, click, expected);
        QCoreApplication::processEvents(); // repaints and the like, outside the timing
        const qint64 released = timeRelease(panel, test.button, expected);
        QCoreApplication::processEvents();
        const qint64 handled = timeToWire(panel, handler, expected);
        const qint64 bare = timeToWire(floorPty, floorAction, expected);
        if (clicked < 0 || released < 0 || handled < 0 || bare < 0)
            ++row.failures;
        else if (i >= WarmUpClicks) {
            clickUs.push_back(micro(clicked));
            releaseUs.push_back(micro(released));
            handlerUs.push_back(micro(handled));
            floorUs.push_back(micro(bare));
        }
    }
    row.click = Summarize(clickUs);
    row.release = Summarize(releaseUs);
    row.handler = Summarize(handlerUs);
    row.floor = Summarize(floorUs);
    return row;
}

const char *verdict(const Summary &measured, const Summary &floor)
{
    const bool met = measured.median <= 2 * floor.median && measured.median < GoalMedianUs
                     && measured.p99 < GoalP99Us;
    return met ? "met" : "NOT met";
}

void printRow(const Case &test, const Row &row)
{
    const qsizetype bytes = test.writes.join().size();
    std::printf("%-31s %4lld B %lld wr | %7.1f %7.1f %7.1f | %7.1f %7.1f | %7.1f %7.1f | %7.1f "
                "%7.1f | %7.2f ms\n",
                test.caption, static_cast<long long>(bytes),
                static_cast<long long>(test.writes.size()), row.click.median, row.click.p99,
                row.click.max, row.release.median, row.release.p99, row.handler.median,
                row.handler.p99, row.floor.median, row.floor.p99, bytes * WireMsPerByte);
    std::printf("%-31s %11s   median/bare x%.1f, goal %s; release x%.1f, %s; handler x%.1f, %s%s\n",
                "", "", row.click.median / row.floor.median, verdict(row.click, row.floor),
                row.release.median / row.floor.median, verdict(row.release, row.floor),
                row.handler.median / row.floor.median, verdict(row.handler, row.floor),
                row.failures ? qPrintable(QStringLiteral(" (%1 failed)").arg(row.failures)) : "");
}

} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int clicks = qMax(1, app.arguments().value(1, QStringLiteral("1000")).toInt());
    PtyPair panelPty, floorPty;
    QTemporaryDir programFolder;
    if (!panelPty.isValid() || !floorPty.isValid() || !programFolder.isValid())
        qFatal("cannot make the pseudo-terminals or the program folder");
    SetIniFolder(programFolder.path());
    WriteIniValue(Ini::PortsSection, Ini::PortKey(1), panelPty.slavePath());

    frmMain window;
    window.Form_Load();
    window.show();
    QSerialPort floorPort(floorPty.slavePath());
    if (!QTest::qWaitForWindowExposed(&window) || !floorPort.open(QIODevice::ReadWrite))
        qFatal("the panel did not show or the floor port did not open");
    floorPort.setBaudRate(QSerialPort::Baud9600);

    const QList<Case> cases{setCursorCase(window), sendCase(window), loadCustomCase(window)};
    std::printf("click to wire, %d clicks each after %d warm-up, QPA platform %s, microseconds\n",
                clicks, WarmUpClicks, qPrintable(QGuiApplication::platformName()));
    std::printf("%-31s %11s | %23s | %15s | %15s | %15s |\n", "", "", "press + release",
                "release only", "clicked() only", "bare write");
    std::printf("%-31s %11s | %7s %7s %7s | %7s %7s | %7s %7s | %7s %7s | %10s\n", "button",
                "bytes", "median", "p99", "max", "median", "p99", "median", "p99", "median", "p99",
                "9600 wire");
    for (const Case &test : cases)
        printRow(test, measure(test, panelPty, floorPty, floorPort, clicks));
    std::printf("goal: median within 2x the bare write and under %.0f us, p99 under %.0f us\n",
                GoalMedianUs, GoalP99Us);
    return 0;
}
