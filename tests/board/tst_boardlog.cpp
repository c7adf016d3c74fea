// The log lines that --trace prints and the window lists.
#include "boardmodel.h"
#include "boardtestbytes.h"
#include "commandlog.h"

#include <QtTest>

class tst_BoardLog : public QObject
{
    Q_OBJECT

private slots:
    void lines_data();
    void lines();
};

void tst_BoardLog::lines_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QStringList>("lines");
    dataRow("text run, then a command", QByteArray("Hi\x0C") + "yo",
            QStringList{"48 69  text \"Hi\"", "0C  NewLine", "79 6F  text \"yo\""});
    dataRow("cursor position", Bytes({0xFE, 0x32, 1, 15}),
            QStringList{"FE 32 01 0F  SetCursorPosition row 1, column 15"});
    dataRow("read with its answer", Bytes({0xFE, 0x0A}), QStringList{"FE 0A  ReadInputs -> 05"});
    dataRow("outputs", Bytes({0xFE, 0x2F, 5}),
            QStringList{"FE 2F 05  SetOutputs 5 (Out1 on, Out2 off, Out3 on)"});
    dataRow("user screen", Bytes({0xFE, 0xD2, 'A', 'B', 0x0D, 'C', 'D', 0xFF}),
            QStringList{"FE D2 41 42 0D 43 44 FF  DefineUserScreen 10 \"AB\" / \"CD\""});
    dataRow("start-up screen cut", Bytes({0xFE, 0xC8, 0x0D}) + QByteArray(16, 'x') + "!",
            QStringList{"FE C8 0D " + QString("78 ").repeated(15)
                            + "78  DefineStartupScreen \"\" / \"" + QString(16, 'x')
                            + "\" (cut: no end mark)",
                        "21  text \"!\""});
    dataRow("scroll with unprintable bytes", Bytes({0xFE, 0xD4, 1, 0x0D, '"', 0xFF}),
            QStringList{"FE D4 01 0D 22 FF  ScrollText right to left \"\\x01\" / \"\\x22\""});
    dataRow("unknown", Bytes({0xFE, 0x99}), QStringList{"FE 99  unknown command (skipped)"});
}

void tst_BoardLog::lines()
{
    QFETCH(QByteArray, input);
    QFETCH(QStringList, lines);
    CommandLog log;
    BoardModel model;
    model.setInputs(5);
    log.add(input, model.feed(input));
    QCOMPARE(log.take(), lines);
    QVERIFY(log.take().isEmpty());
}

QTEST_APPLESS_MAIN(tst_BoardLog)
#include "tst_boardlog.moc"
