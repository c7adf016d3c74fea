// VantorBoard's processor use under a steady 19200 bit/s stream (goal: under
// 2 % of one core). Starts the board, writes 1920 bytes a second of the
// realistic command mix into its link in 10 ms portions, and reads the
// board's user and system time from /proc/<pid>/stat.
//   bench_boardcpu [seconds=10] [--window]   (--window: with its window, offscreen)
#include "boardtraffic.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace {

constexpr int Baud = 19200;
constexpr int BytesPerSecond = Baud / 10; // 8 data bits, start and stop bit
constexpr int PortionMs = 10;
constexpr double GoalPercent = 2.0;

// User plus system time of a process, in seconds.
double cpuSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    // Fields after the command name (which may hold blanks) start at ") ".
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return (fields.value(11).toLongLong() + fields.value(12).toLongLong())
           / double(sysconf(_SC_CLK_TCK));
}

bool startBoard(QProcess &board, const QString &link, bool window)
{
    QStringList arguments{"--link", link, "--speed", QString::number(Baud)};
    if (!window)
        arguments << "--headless";
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    board.setProcessEnvironment(environment);
    board.start(QStringLiteral(VANTORBOARD_PATH), arguments);
    for (int i = 0; i < 200 && !QFileInfo(link).isSymLink(); ++i)
        QThread::msleep(50);
    return board.waitForStarted() && QFileInfo(link).isSymLink();
}

// Streams the traffic in 10 ms portions, as fast as the line would carry it;
// returns the seconds it took.
double stream(QSerialPort &port, const QByteArray &traffic)
{
    qsizetype sent = 0;
    QElapsedTimer clock;
    QTimer portion;
    QObject::connect(&portion, &QTimer::timeout, &port, [&] {
        const qsizetype due =
            qMin(traffic.size(), qsizetype(clock.elapsed() * BytesPerSecond / 1000));
        port.write(traffic.mid(sent, due - sent));
        sent = due;
        port.readAll(); // replies to the reads
        if (sent == traffic.size())
            QCoreApplication::quit();
    });
    clock.start();
    portion.start(PortionMs);
    QCoreApplication::exec();
    port.waitForBytesWritten(1000);
    QThread::msleep(200); // the board's last portion
    return clock.nsecsElapsed() / 1e9;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const bool window = app.arguments().contains(QStringLiteral("--window"));
    const int seconds =
        qMax(1, app.arguments().value(1).toInt() > 0 ? app.arguments().value(1).toInt() : 10);
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("board"));
    QProcess board;
    if (!startBoard(board, link, window)) {
        std::fprintf(stderr, "cannot start %s\n", VANTORBOARD_PATH);
        return 1;
    }
    QThread::msleep(500); // let it settle after start-up
    QSerialPort port(link);
    if (!port.open(QIODevice::ReadWrite) || !port.setBaudRate(Baud)) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(link));
        return 1;
    }
    const QByteArray traffic = BoardTraffic(qsizetype(BytesPerSecond) * seconds);
    const double cpuBefore = cpuSeconds(board.processId());
    const double elapsed = stream(port, traffic);
    const double percent = (cpuSeconds(board.processId()) - cpuBefore) / elapsed * 100;
    board.terminate();
    board.waitForFinished(5000);
    std::printf("VantorBoard %s: %lld bytes in %.1f s at %d bytes/s, CPU %.2f %% of one core\n",
                window ? "with window (offscreen)" : "headless",
                static_cast<long long>(traffic.size()), elapsed, BytesPerSecond, percent);
    std::printf("goal under %.0f %%: %s\n", GoalPercent, percent < GoalPercent ? "met" : "NOT met");
    return 0;
}
