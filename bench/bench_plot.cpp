// The plot's history and drawing, fed directly with simulated polls of all
// three readings every 0.1 s (one in 50 reads without reply):
//   memory: the process's resident memory at every ten simulated minutes up
//     to two hours, each after drawing a frame; the history's bound is
//     reached after one hour (SampleSeries::Capacity polls);
//   drawing: the time of one frame of the plot with the history full, every
//     poll kept shown, at the window's plot size and at a large one.
//   bench_plot [frames=100]
// Runs on the offscreen platform unless QT_QPA_PLATFORM names another.

#include "benchstats.h"

#include "ui/plot/inputhistory.h"
#include "ui/plot/inputplot.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>

#include <cmath>
#include <cstdio>

namespace {

constexpr int IntervalMs = 100;
constexpr double GoalFrameMs = 16;
const QList<ReadKind> All{ReadKind::Voltage, ReadKind::Current, ReadKind::Inputs};

// VmRSS of this process, in MiB.
double residentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').at(0).toDouble() / 1024;
    }
    return 0;
}

// Poll n of the simulation: slow waves on the analog inputs, a counter on the
// digital ones, and now and then a read without reply.
ReadingSet poll(qint64 startMs, int n)
{
    ReadingSet readings(QDateTime::fromMSecsSinceEpoch(startMs + qint64(n) * IntervalMs));
    const auto value = [n](ReadKind kind) -> std::optional<double> {
        if ((n + int(kind)) % 50 == 0)
            return std::nullopt;
        if (kind == ReadKind::Inputs)
            return n / 10 % 256;
        const double wave = std::sin(n / 300.0) + 0.1 * std::sin(n / 7.0);
        return kind == ReadKind::Voltage ? 5 + 4 * wave : 12 + 6 * wave;
    };
    for (const ReadKind kind : All)
        readings.setValue(kind, value(kind));
    return readings;
}

double frameMs(InputPlot &plot, QImage &image)
{
    QElapsedTimer clock;
    clock.start();
    plot.render(&image);
    return double(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int frames = argc > 1 ? std::max(1, atoi(argv[1])) : 100;

    InputHistory history;
    InputPlot plot(history);
    plot.setShown(All);
    plot.setSpan(0); // every poll kept
    plot.resize(plot.sizeHint());
    QImage image(plot.size(), QImage::Format_ARGB32_Premultiplied);
    const qint64 start = QDateTime::currentMSecsSinceEpoch();
    constexpr int PollsPerTenMinutes = 10 * 60 * 1000 / IntervalMs;
    std::printf("resident memory, polling 3 readings every 0.1 s (cap %d polls a reading, "
                "reached at 60 min):\n",
                SampleSeries::Capacity);
    std::printf("  start: %.1f MiB\n", residentMiB());
    for (int n = 0; n < 12 * PollsPerTenMinutes; ++n) {
        history.add(poll(start, n), All);
        if ((n + 1) % PollsPerTenMinutes == 0) {
            frameMs(plot, image);
            std::printf("  %3d min: %.1f MiB\n", (n + 1) / PollsPerTenMinutes * 10, residentMiB());
        }
    }

    for (const QSize size : {plot.sizeHint(), QSize(1600, 900)}) {
        plot.resize(size);
        image = QImage(size, QImage::Format_ARGB32_Premultiplied);
        frameMs(plot, image); // warm-up
        std::vector<double> times;
        for (int i = 0; i < frames; ++i)
            times.push_back(frameMs(plot, image));
        const Summary summary = Summarize(times);
        std::printf("one frame, %d x %d, %d polls a reading shown: median %.2f ms, p99 %.2f ms, "
                    "max %.2f ms (goal < %.0f ms)\n",
                    size.width(), size.height(), history.series(ReadKind::Voltage).size(),
                    summary.median, summary.p99, summary.max, GoalFrameMs);
    }
    return 0;
}
