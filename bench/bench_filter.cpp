// The traffic monitor's filter at its bound: a real frmTraffic over 10,000
// entries (commands, reads and their replies, port events, as a session
// leaves them), shown. The operator types a word into the filter one key at
// a time and deletes it again; the time of each key press runs from the key
// until the list has painted its new rows.
//   bench_filter [rounds=5]
// Runs on the offscreen platform unless QT_QPA_PLATFORM names another.

#include "benchstats.h"

#include "ui/traffic/frmtraffic.h"
#include "ui/traffic/trafficmodel.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr double GoalKeyMs = 30;

// A session's worth of traffic, up to the monitor's bound.
void fill(TrafficModel &model)
{
    const QByteArray writes[] = {QByteArray::fromHex("0C"),     "HELLO",
                                 QByteArray::fromHex("FE2F05"), QByteArray::fromHex("FE0B"),
                                 QByteArray::fromHex("FE0D"),   QByteArray::fromHex("FE0A"),
                                 QByteArray::fromHex("FE2880")};
    const QByteArray replies[] = {QByteArray::fromHex("000200"), QByteArray::fromHex("0003E8"),
                                  QByteArray::fromHex("05")};
    for (int i = 0; model.rowCount() < TrafficModel::MaxEntries; ++i) {
        const QByteArray &write = writes[i % std::size(writes)];
        model.written(write);
        if (write.startsWith('\xFE') && write.size() == 2)
            model.received(replies[(i % std::size(writes)) - 3]);
        if (i % 1000 == 0)
            model.noted(QStringLiteral("opened /dev/ttyUSB0 at 9600 bit/s 8N1"));
    }
}

// Each key of the word typed, then each one deleted.
std::vector<double> typeAndDelete(QLineEdit *filter, const QString &word)
{
    std::vector<double> times;
    const auto timed = [&](auto press) {
        QElapsedTimer clock;
        clock.start();
        press();
        QApplication::processEvents(); // the list repaints
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    };
    for (const QChar c : word)
        timed([&] { QTest::keyClicks(filter, QString(c)); });
    for (qsizetype i = 0; i < word.size(); ++i)
        timed([&] { QTest::keyClick(filter, Qt::Key_Backspace); });
    return times;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;

    TrafficModel model;
    fill(model);
    frmTraffic monitor(model);
    monitor.open();
    QApplication::processEvents();
    auto *filter = monitor.findChild<QLineEdit *>(QStringLiteral("txtFilter"));
    auto *time = monitor.findChild<QComboBox *>(QStringLiteral("cboTime"));
    for (const int style : {0, 1}) {
        time->setCurrentIndex(style);
        // A word most entries contain, one some contain, and one none does.
        for (const QString &word : {u"board"_s, u"readvoltage"_s, u"no such entry"_s}) {
            std::vector<double> times;
            for (int round = 0; round < rounds; ++round) {
                const auto some = typeAndDelete(filter, word);
                times.insert(times.end(), some.begin(), some.end());
            }
            const Summary summary = Summarize(times);
            std::printf("%s, \"%s\", %d entries: per key median %.2f ms, p99 %.2f ms, "
                        "max %.2f ms (goal < %.0f ms)\n",
                        style ? "clock time" : "time since start", qPrintable(word),
                        model.rowCount(), summary.median, summary.p99, summary.max, GoalKeyMs);
        }
    }
    return 0;
}
