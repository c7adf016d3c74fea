// Outputs and the three reads of the board model.
#include "boardmodel.h"
#include "boardtestbytes.h"

#include <QtTest>

class tst_BoardIo : public QObject
{
    Q_OBJECT

private slots:
    void outputs_data();
    void outputs();
    void reads_data();
    void reads();
    void readSplitOverWritesAnswersOnce();
};

void tst_BoardIo::outputs_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("outputs");
    QTest::newRow("Out1 and Out3") << Bytes({0xFE, 0x2F, 5}) << 5;
    QTest::newRow("all off") << Bytes({0xFE, 0x2F, 7, 0xFE, 0x2F, 0}) << 0;
    QTest::newRow("bits above Out3 are ignored") << Bytes({0xFE, 0x2F, 0xFA}) << 2;
    QTest::newRow("ClearDisplay leaves the outputs") << Bytes({0xFE, 0x2F, 3, 0x0D}) << 3;
}

void tst_BoardIo::outputs()
{
    QFETCH(QByteArray, input);
    QFETCH(int, outputs);
    BoardModel model;
    model.feed(input);
    QCOMPARE(int(model.state().outputs), outputs);
}

void tst_BoardIo::reads_data()
{
    QTest::addColumn<int>("inputs");
    QTest::addColumn<int>("voltage");
    QTest::addColumn<int>("current");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("reply");
    dataRow("ReadInputs", 5, 0, 0, Bytes({0xFE, 0x0A}), Bytes({5}));
    dataRow("ReadInputs zero is one byte", 0, 0, 0, Bytes({0xFE, 0x0A}), Bytes({0}));
    dataRow("ReadVoltage 512", 0, 512, 0, Bytes({0xFE, 0x0B}), Bytes({0, 2, 0}));
    dataRow("ReadCurrent 1000", 0, 0, 1000, Bytes({0xFE, 0x0D}), Bytes({0, 3, 0xE8}));
    dataRow("count 1023", 0, 1023, 0, Bytes({0xFE, 0x0B}), Bytes({0, 3, 0xFF}));
    dataRow("count above 32767", 0, 0xABCD, 0, Bytes({0xFE, 0x0B}), Bytes({0, 0xAB, 0xCD}));
    dataRow("Code28 has no reply", 9, 9, 9, Bytes({0xFE, 0x0C}), QByteArray());
    dataRow("no other command replies", 1, 2, 3,
            Bytes({0xFE, 0x01, 0xFE, 0x05, 0xFE, 0x09, 0xFE, 0x20, 0xFE, 0x2F, 1}) + "text\x0D",
            QByteArray());
    dataRow("reads in one write answer in order", 7, 256, 2,
            Bytes({0xFE, 0x0D, 'a', 0xFE, 0x0A, 0xFE, 0x0B}), Bytes({0, 0, 2, 7, 0, 1, 0}));
}

void tst_BoardIo::reads()
{
    QFETCH(int, inputs);
    QFETCH(int, voltage);
    QFETCH(int, current);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, reply);
    BoardModel model;
    model.setInputs(quint8(inputs));
    model.setVoltageCount(quint16(voltage));
    model.setCurrentCount(quint16(current));
    QCOMPARE(model.feed(input), reply);
}

void tst_BoardIo::readSplitOverWritesAnswersOnce()
{
    BoardModel model;
    model.setVoltageCount(300);
    QCOMPARE(model.feed(Bytes({0xFE})), QByteArray());
    QCOMPARE(model.feed(Bytes({0x0B})), Bytes({0, 1, 44}));
    QCOMPARE(model.feed(QByteArray()), QByteArray());
}

QTEST_APPLESS_MAIN(tst_BoardIo)
#include "tst_boardio.moc"
