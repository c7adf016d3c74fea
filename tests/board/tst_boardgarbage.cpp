// The board model against broken and random input: it skips what it does not
// know, cuts definitions that never end, and keeps working afterwards.
#include "boardmodel.h"
#include "boardtestbytes.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

// Enough 0xFF bytes to end any command in progress (the longest wait is the 64 custom character
// bytes).
const QByteArray Flush(66, char(0xFF));

QByteArray RandomBytes(QRandomGenerator &random, int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &byte : bytes) // prefix-heavy so commands, not text, dominate
        byte = random.bounded(4) == 0 ? char(0xFE) : char(random.bounded(256));
    return bytes;
}

} // namespace

class tst_BoardGarbage : public QObject
{
    Q_OBJECT

private slots:
    void resynchronises_data();
    void resynchronises();
    void randomStreamsNeverStick();
    void splitDoesNotMatter();
};

// After each broken input, "OK" prints at the start of row 0 and a read is answered.
void tst_BoardGarbage::resynchronises_data()
{
    QTest::addColumn<QByteArray>("garbage");
    QTest::addColumn<QString>("row0");
    QTest::newRow("unknown command bytes are skipped")
        << Bytes({0xFE, 0x00, 0xFE, 0x10, 0xFE, 0x33, 0xFE, 0x65, 0xFE, 0xD5, 0xFE, 0xFF})
        << Padded("OK");
    QTest::newRow("a repeated prefix starts afresh")
        << Bytes({0xFE, 0xFE, 0xFE, 0x28, 9}) << Padded("OK");
    QTest::newRow("user screen whose line 2 never ends is cut at 16")
        << Bytes({0xFE, 0xC9}) + "a" + Bytes({0x0D}) + QByteArray(16, 'b') << Padded("OK");
    QTest::newRow("start-up screen without any marks")
        << Bytes({0xFE, 0xC8}) + QByteArray(32, 'c') << Padded("OK");
    QTest::newRow("0xFF in line 1 ends the definition")
        << Bytes({0xFE, 0xCB}) + "ab" + Bytes({0xFF}) << Padded("OK");
    QTest::newRow("scroll without marks is cut at 40 + 40")
        << Bytes({0xFE, 0xD3}) + QByteArray(80, 'd') << Padded("OK");
    QTest::newRow("encoder-only codes do nothing")
        << Bytes({0xFE, 0x05, 0xFE, 0x09, 0xFE, 0x0C}) << Padded("OK");
}

void tst_BoardGarbage::resynchronises()
{
    QFETCH(QByteArray, garbage);
    QFETCH(QString, row0);
    BoardModel model;
    model.setInputs(0x42);
    model.feed(Bytes({0x0D}) + garbage);
    model.feed(Bytes({0x0D}) + "OK");
    QCOMPARE(Row(model, 0), row0);
    QCOMPARE(model.feed(Bytes({0xFE, 0x0A})), Bytes({0x42}));
}

// Whatever came before, a flush of 0xFF bytes brings the board back to answering reads.
void tst_BoardGarbage::randomStreamsNeverStick()
{
    QRandomGenerator random(20240601);
    for (int round = 0; round < 300; ++round) {
        BoardModel model;
        model.setInputs(quint8(round));
        model.feed(RandomBytes(random, int(random.bounded(1, 600))));
        model.tick(int(random.bounded(100000)));
        model.feed(Flush);
        QCOMPARE(model.feed(Bytes({0xFE, 0x0A})), Bytes({round & 0xFF}));
        QVERIFY(model.state().row >= 0 && model.state().row < BoardModel::Rows);
        QVERIFY(model.state().column >= 0 && model.state().column < BoardModel::Columns);
    }
}

// Fed all at once or one byte at a time, the board ends in the same state with the same replies.
void tst_BoardGarbage::splitDoesNotMatter()
{
    QRandomGenerator random(77);
    for (int round = 0; round < 100; ++round) {
        const QByteArray stream = RandomBytes(random, 400) + Bytes({0xFE, 0x0A, 0xFE, 0x0B});
        BoardModel whole;
        BoardModel pieces;
        const QByteArray wholeReply = whole.feed(stream);
        QByteArray piecesReply;
        for (qsizetype at = 0; at < stream.size();) {
            const qsizetype size = std::min<qsizetype>(random.bounded(1, 8), stream.size() - at);
            piecesReply += pieces.feed(stream.constData() + at, size);
            at += size;
        }
        QCOMPARE(piecesReply, wholeReply);
        QVERIFY(pieces.state().display == whole.state().display);
        QVERIFY(pieces.stored() == whole.stored());
        QCOMPARE(pieces.state().row, whole.state().row);
        QCOMPARE(pieces.state().column, whole.state().column);
    }
}

QTEST_APPLESS_MAIN(tst_BoardGarbage)
#include "tst_boardgarbage.moc"
