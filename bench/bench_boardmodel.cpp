// How fast the board model takes a realistic byte stream (goal: 50 MB/s).
#include "boardmodel.h"
#include "boardtraffic.h"

#include <QElapsedTimer>

#include <cstdio>

namespace {

constexpr qsizetype TrafficSize = 8 * 1024 * 1024;
constexpr qsizetype ChunkSize = 256; // a serial read rarely brings more
constexpr double GoalMBps = 50.0;

double megabytesPerSecond(const QByteArray &traffic)
{
    BoardModel model;
    model.setVoltageCount(512);
    QElapsedTimer timer;
    qint64 fed = 0;
    timer.start();
    while (timer.elapsed() < 1500) {
        for (qsizetype at = 0; at < traffic.size(); at += ChunkSize) {
            model.feed(traffic.constData() + at, std::min(ChunkSize, traffic.size() - at));
            model.tick(1);
        }
        fed += traffic.size();
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    return fed / seconds / 1e6;
}

} // namespace

int main()
{
    const QByteArray mix = BoardTraffic(TrafficSize);
    const QByteArray text(TrafficSize, 'x');
    std::printf("board model, %lld-byte writes:\n", static_cast<long long>(ChunkSize));
    const double mixed = megabytesPerSecond(mix);
    std::printf("  command mix: %.1f MB/s\n", mixed);
    std::printf("  plain text:  %.1f MB/s\n", megabytesPerSecond(text));
    std::printf("goal %.0f MB/s for the mix: %s\n", GoalMBps,
                mixed >= GoalMBps ? "met" : "NOT met");
    return 0;
}
