// The bridge's bounded queue: which request goes when it is full.
#include "mqtt/commandqueue.h"
#include "support/testdata.h"

#include <QtTest>

class tst_CommandQueue : public QObject
{
    Q_OBJECT

private slots:
    void full_data();
    void full();
};

void tst_CommandQueue::full_data()
{
    QTest::addColumn<QStringList>("waiting"); // the topics queued, oldest first: numbers 0, 1, ...
    QTest::addColumn<QString>("arriving");    // number 100
    QTest::addColumn<int>("dropped");         // -1: none
    const QStringList commands(CommandQueue::Capacity - 2, "command");
    dataRow("room left", QStringList{"display/set"} + commands, QString("command"), -1);
    dataRow("the oldest of the same topic", QStringList{"display/set", "line1/set"} + commands,
            QString("line1/set"), 1);
    dataRow("else the oldest update", QStringList{"line2/set", "display/set"} + commands,
            QString("line1/set"), 0);
    dataRow("a setting makes room too", QStringList{"command", "display/set"} + commands,
            QString("out1/set"), 1);
    dataRow("never a command", QStringList{"command", "command"} + commands, QString("display/set"),
            100);
    dataRow("never a setting", QStringList{"backlight/set", "screen/set"} + commands,
            QString("command"), 100);
}

void tst_CommandQueue::full()
{
    QFETCH(QStringList, waiting);
    QFETCH(QString, arriving);
    QFETCH(int, dropped);
    if (dropped == -1)
        waiting.removeLast();
    const auto request = [](const QString &topic, int number) {
        TopicRequest r;
        r.topic = topic;
        r.timeoutMs = number; // tells the requests apart
        return r;
    };
    CommandQueue queue;
    for (int i = 0; i < waiting.size(); ++i)
        QVERIFY(!queue.push(request(waiting.at(i), i)));
    const auto gone = queue.push(request(arriving, 100));
    QCOMPARE(gone ? gone->timeoutMs : -1, dropped);
    QCOMPARE(queue.size(), waiting.size() + (dropped == -1 ? 1 : 0));
    QList<int> order;
    while (const auto next = queue.pop())
        order << next->timeoutMs;
    QVERIFY(std::is_sorted(order.begin(), order.end()));
    QCOMPARE(order.contains(100), dropped != 100);
}

QTEST_APPLESS_MAIN(tst_CommandQueue)
#include "tst_commandqueue.moc"
