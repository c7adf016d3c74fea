// A fleet on one machine: `boards` real VantorBoard processes (headless,
// tracing), each with its real bridge (vantorctl serve --mqtt --group
// fleet --poll 0), on the test broker (mosquitto on 127.0.0.1).
//   group publish: one message on vantor/group/fleet/display/set, the time
//                  until each board's trace shows its text, over `rounds`;
//   broker restart: the broker ended and started again on its port, after
//                  being down a short while and a long while: the time from
//                  its start until every board is "online" again.
//   bench_mqttfleet [boards=50] [rounds=20]
#include "benchstats.h"
#include "processmemory.h"
#include "support/mqttprobe.h"
#include "support/testbroker.h"
#include "support/traceboard.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

struct Fleet
{
    QTemporaryDir dir;
    std::vector<std::unique_ptr<TraceBoard>> boards;
    std::vector<std::unique_ptr<QProcess>> bridges;

    bool start(int count, const QString &url)
    {
        for (int i = 0; i < count; ++i) {
            const QString id = QStringLiteral("b%1").arg(i);
            boards.push_back(
                std::make_unique<TraceBoard>(QStringLiteral(VANTORBOARD_PATH), dir.filePath(id)));
            if (!boards.back()->plug())
                return false;
            auto bridge = std::make_unique<QProcess>();
            bridge->setStandardErrorFile(QProcess::nullDevice());
            bridge->start(QStringLiteral(VANTORCTL_PATH),
                          {"serve", "--port", dir.filePath(id), "--speed", "9600", "--mqtt", url,
                           "--group", "fleet", "--poll", "0"});
            bridges.push_back(std::move(bridge));
        }
        return true;
    }

    ~Fleet()
    {
        for (auto &bridge : bridges)
            bridge->terminate();
        for (auto &bridge : bridges)
            bridge->waitForFinished(5000);
    }
};

// Waits until every board's availability is "online"; ms, or -1 after timeoutMs.
double AllOnline(MqttProbe &probe, int boards, const QElapsedTimer &since, int timeoutMs)
{
    const bool all = QTest::qWaitFor(
        [&] {
            QSet<QString> online;
            for (const MqttProbe::Message &message : probe.messages()) {
                if (message.topic.endsWith("/availability") && message.payload == "online")
                    online << message.topic;
            }
            return online.size() == boards;
        },
        timeoutMs);
    return all ? double(since.nsecsElapsed()) / 1e6 : -1;
}

// One group message: each board's time until its trace shows the text, in ms.
std::vector<double> GroupRound(Fleet &fleet, MqttProbe &probe, int round)
{
    const QByteArray wanted = QByteArray("text \"Round ") + QByteArray::number(round) + '"';
    std::vector<double> times(fleet.boards.size(), -1);
    size_t seen = 0;
    QEventLoop loop;
    QElapsedTimer timer;
    std::vector<QMetaObject::Connection> connections;
    for (size_t i = 0; i < fleet.boards.size(); ++i) {
        TraceBoard &board = *fleet.boards[i];
        board.mark();
        connections.push_back(
            QObject::connect(&board.process(), &QProcess::readyReadStandardOutput, &loop, [&, i] {
                if (times[i] < 0 && fleet.boards[i]->trace().contains(wanted)) {
                    times[i] = double(timer.nsecsElapsed()) / 1e6;
                    if (++seen == times.size())
                        loop.quit();
                }
            }));
    }
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    timer.start();
    probe.publish(QStringLiteral("vantor/group/fleet/display/set"),
                  QByteArray("Fleet\nRound ") + QByteArray::number(round));
    loop.exec();
    for (const auto &connection : connections)
        QObject::disconnect(connection);
    return times;
}

void GroupPublish(Fleet &fleet, MqttProbe &probe, int rounds)
{
    std::vector<double> each, every;
    int missed = 0;
    for (int round = 0; round < rounds; ++round) {
        const std::vector<double> times = GroupRound(fleet, probe, round);
        double slowest = 0;
        for (double ms : times) {
            missed += ms < 0 ? 1 : 0;
            each.push_back(ms);
            slowest = qMax(slowest, ms);
        }
        every.push_back(slowest);
        QThread::msleep(200); // the boards quiet again
    }
    const Summary board = Summarize(each), fleetWide = Summarize(every);
    std::printf("group publish -> a board's trace   median %7.2f ms  p99 %7.2f ms  max %7.2f ms\n",
                board.median, board.p99, board.max);
    std::printf("group publish -> every board's     median %7.2f ms  p99 %7.2f ms  max %7.2f ms\n",
                fleetWide.median, fleetWide.p99, fleetWide.max);
    if (missed)
        std::printf("  %d traces never showed the text\n", missed);
}

void Restart(TestBroker &broker, int boards, int downMs)
{
    broker.stop();
    QTest::qWait(downMs);
    QElapsedTimer since;
    since.start();
    broker.start();
    MqttProbe probe; // a new client: the old one's own back-off is not the bridges'
    probe.connectTo(broker.port(), {"vantor/+/availability"});
    const double ms = AllOnline(probe, boards, since, 60000);
    std::printf("broker down %5.1f s, restarted -> all %d online: %s\n", downMs / 1000.0, boards,
                ms < 0 ? "not within 60 s"
                       : qPrintable(QStringLiteral("%1 s").arg(ms / 1000, 0, 'f', 2)));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int boards = argc > 1 ? std::atoi(argv[1]) : 50;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 20;
    TestBroker broker;
    Fleet fleet;
    MqttProbe probe;
    QElapsedTimer since;
    since.start();
    if (!broker.start() || !fleet.start(boards, broker.url())
        || !probe.connectTo(broker.port(), {"vantor/+/availability"})) {
        std::fprintf(stderr, "bench_mqttfleet: the broker or a board did not start\n");
        return 1;
    }
    const double up = AllOnline(probe, boards, since, 60000);
    std::printf("%d boards and %d bridges started -> all online: %.2f s\n", boards, boards,
                up / 1000);
    int share = 0;
    for (const auto &bridge : fleet.bridges)
        share += MemoryOf(bridge->processId()).pss;
    std::printf("the bridges' memory, shares added up: %.1f MiB, %.0f KiB a bridge\n",
                share / 1024.0, double(share) / boards);
    GroupPublish(fleet, probe, rounds);
    Restart(broker, boards, 200);
    Restart(broker, boards, 30000);
    return 0;
}
