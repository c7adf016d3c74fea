// One board on MQTT, all real but the board: the test broker (mosquitto on
// 127.0.0.1), the real bridge (vantorctl serve --mqtt) on a pseudo-terminal
// whose master side this program reads, as the board's end of the line.
//   latency: from the publish on vantor/<id>/display/set to the first byte
//            on the line, and to the last, over `messages` messages;
//   memory:  the bridge's memory after them (resident, proportional share,
//            own dirty pages), beside vantorctl serve without --mqtt and a
//            bare Qt Core program with a QSerialPort open
//            (bench_ctlfloor --hold), each on its own pseudo-terminal.
//   bench_mqttone [messages=1000]
#include "benchstats.h"
#include "processmemory.h"
#include "support/mqttprobe.h"
#include "support/testbroker.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <cstdio>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int WarmUp = 50;

// A pseudo-terminal; the program under test opens the slave side.
struct Line
{
    int master = -1;
    int slave = -1;
    QString device;

    Line()
    {
        char name[256] = {};
        termios raw{};
        cfmakeraw(&raw);
        if (openpty(&master, &slave, name, &raw, nullptr) == 0)
            device = QString::fromLocal8Bit(name);
    }
    ~Line()
    {
        ::close(master);
        ::close(slave);
    }

    // Reads until count bytes have come; the time of the first and of the
    // last in ns of the timer, or -1 when they do not come within a second.
    std::pair<qint64, qint64> await(qsizetype count, const QElapsedTimer &timer) const
    {
        qint64 first = -1;
        char buffer[256];
        for (qsizetype got = 0; got < count;) {
            pollfd readable{master, POLLIN, 0};
            if (poll(&readable, 1, 1000) != 1)
                return {-1, -1};
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (first < 0)
                first = timer.nsecsElapsed();
            got += qMax<ssize_t>(n, 0);
        }
        return {first, timer.nsecsElapsed()};
    }

    void drain() const
    {
        char buffer[4096];
        pollfd readable{master, POLLIN, 0};
        while (poll(&readable, 1, 0) == 1 && ::read(master, buffer, sizeof buffer) > 0) {
        }
    }
};

void Start(QProcess &process, const QString &program, const QStringList &arguments)
{
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    process.waitForStarted();
}

void Stop(QProcess &process)
{
    process.terminate();
    if (!process.waitForFinished(5000))
        process.kill();
}

void PrintLatency(const char *what, const std::vector<double> &ms)
{
    const Summary summary = Summarize(ms);
    std::printf("%-28s median %7.3f ms   p99 %7.3f ms   max %7.3f ms\n", what, summary.median,
                summary.p99, summary.max);
}

// One message after another, each once the last has been read whole.
bool Latency(MqttProbe &probe, const Line &line, int messages, MqttClient::Qos qos)
{
    std::vector<double> firstMs, lastMs;
    QElapsedTimer timer;
    timer.start();
    for (int i = -WarmUp; i < messages; ++i) {
        const QByteArray text = QByteArray("Hello\nworld ") + QByteArray::number(i % 1000);
        line.drain();
        const qint64 sent = timer.nsecsElapsed();
        probe.publish(QStringLiteral("vantor/bench/display/set"), text, false, qos);
        // Clear, "Hello", NewLine, "world N".
        const auto [first, last] = line.await(1 + text.size(), timer);
        if (first < 0)
            return false;
        if (i >= 0) {
            firstMs.push_back(double(first - sent) / 1e6);
            lastMs.push_back(double(last - sent) / 1e6);
        }
        QCoreApplication::processEvents(); // the broker's acknowledgements
    }
    std::printf("published with QoS %d:\n", int(qos));
    PrintLatency("  publish -> first byte", firstMs);
    PrintLatency("  publish -> last byte", lastMs);
    return true;
}

void PrintMemory(const char *what, const Memory &memory, const Memory &floor)
{
    std::printf("  %-24s %6d (%.2fx) %6d %6d\n", what, memory.rss,
                double(memory.rss) / qMax(1, floor.rss), memory.pss, memory.privateDirty);
}

void CompareMemory(qint64 bridge)
{
    QProcess serve, floor;
    Line serveLine, floorLine;
    Start(serve, QStringLiteral(VANTORCTL_PATH),
          {"serve", "--port", serveLine.device, "--speed", "9600"});
    Start(floor, QStringLiteral(VANTOR_CTLFLOOR_PATH), {floorLine.device, "--hold"});
    QThread::msleep(1500);
    const Memory floorMemory = MemoryOf(floor.processId());
    std::printf("memory (KiB)                  resident       share  own dirty\n");
    PrintMemory("vantorctl serve --mqtt", MemoryOf(bridge), floorMemory);
    PrintMemory("vantorctl serve", MemoryOf(serve.processId()), floorMemory);
    PrintMemory("bare QSerialPort (floor)", floorMemory, floorMemory);
    Stop(serve);
    Stop(floor);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int messages = argc > 1 ? std::atoi(argv[1]) : 1000;
    TestBroker broker;
    Line line;
    if (!broker.start() || line.device.isEmpty()) {
        std::fprintf(stderr, "bench_mqttone: no broker (mosquitto) or no pseudo-terminal\n");
        return 1;
    }
    QProcess bridge;
    Start(bridge, QStringLiteral(VANTORCTL_PATH),
          {"serve", "--port", line.device, "--speed", "9600", "--mqtt", broker.url(), "--id",
           "bench", "--poll", "0"});
    MqttProbe probe;
    if (!probe.connectTo(broker.port(), {"vantor/bench/availability"})
        || !probe.waitFor("vantor/bench/availability", "online")) {
        std::fprintf(stderr, "bench_mqttone: the bridge did not come online\n");
        return 1;
    }
    std::printf("%d messages on display/set (after %d to warm up), 127.0.0.1\n", messages, WarmUp);
    const bool done = Latency(probe, line, messages, MqttClient::Qos::AtMostOnce)
                      && Latency(probe, line, messages, MqttClient::Qos::AtLeastOnce);
    CompareMemory(bridge.processId());
    Stop(bridge);
    return done ? 0 : 1;
}
