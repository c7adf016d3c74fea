// The CSV lines of the polls: the columns chosen, the time, the numbers and
// the empty field of a read without reply.

#include "protocol/readingscsv.h"
#include "support/testdata.h"

class tst_ReadingsCsv : public QObject
{
    Q_OBJECT

private slots:
    void linesOfChosenReadings_data()
    {
        QTest::addColumn<QList<int>>("chosen");      // ReadKind values, in any order
        QTest::addColumn<QByteArrayList>("replies"); // voltage, current, inputs; empty: none
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QByteArray>("row");

        dataRow("all three", QList<int>{1, 3, 2},
                QByteArrayList{hex("000200"), hex("0003E8"), hex("05")},
                QByteArray("time,volts,milliamperes,inputs\n"),
                QByteArray("2024-05-01T14:03:07.250,5.0176,20,5\n"));
        dataRow("below one, and no reply", QList<int>{2, 3, 1},
                QByteArrayList{hex("000032"), hex(""), hex("00")},
                QByteArray("time,volts,milliamperes,inputs\n"),
                QByteArray("2024-05-01T14:03:07.250,0.49,,0\n"));
        dataRow("a reply too short", QList<int>{2}, QByteArrayList{hex("0002"), {}, {}},
                QByteArray("time,volts\n"), QByteArray("2024-05-01T14:03:07.250,\n"));
        dataRow("the top count", QList<int>{3}, QByteArrayList{{}, hex("00FFFF"), {}},
                QByteArray("time,milliamperes\n"), QByteArray("2024-05-01T14:03:07.250,1310.7\n"));
    }

    void linesOfChosenReadings()
    {
        QFETCH(QList<int>, chosen);
        QFETCH(QByteArrayList, replies);
        QFETCH(QByteArray, header);
        QFETCH(QByteArray, row);
        QList<ReadKind> kinds;
        for (const int kind : chosen)
            kinds << ReadKind(kind);
        ReadingSet readings(QDateTime(QDate(2024, 5, 1), QTime(14, 3, 7, 250)));
        for (int i = 0; i < 3; ++i)
            readings.setReply(ReadingSet::Kinds[size_t(i)], replies[i]);

        const ReadingsCsv csv(kinds);
        QCOMPARE(csv.header(), header);
        QCOMPARE(csv.row(readings), row);
    }
};

QTEST_APPLESS_MAIN(tst_ReadingsCsv)
#include "tst_readingscsv.moc"
