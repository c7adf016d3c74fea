// The two scrolling texts of the board model.
#include "boardmodel.h"
#include "boardtestbytes.h"

#include <QtTest>

namespace {

constexpr int Step = ScrollTicker::StepMs;

QByteArray Scroll(bool leftToRight, const QByteArray &text1, const QByteArray &text2)
{
    return Bytes({0xFE, leftToRight ? 0xD3 : 0xD4}) + text1 + Bytes({0x0D}) + text2 + Bytes({0xFF});
}

} // namespace

class tst_BoardScroll : public QObject
{
    Q_OBJECT

private slots:
    void frames_data();
    void frames();
    void fullText1WithoutEndOfLine();
    void stoppedByClearAndShowScreen_data();
    void stoppedByClearAndShowScreen();
};

// Row contents after a number of steps; text 1 runs on row 0, text 2 on row 1.
void tst_BoardScroll::frames_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("steps");
    QTest::addColumn<QString>("row0");
    QTest::addColumn<QString>("row1");
    const QByteArray rtl = Scroll(false, "AB", "xyz");
    const QByteArray ltr = Scroll(true, "AB", "xyz");
    QTest::newRow("starts blank") << rtl << 0 << Padded("") << Padded("");
    QTest::newRow("right to left enters at the right")
        << rtl << 1 << QString(15, ' ') + "A" << QString(15, ' ') + "x";
    QTest::newRow("right to left, second step")
        << rtl << 2 << QString(14, ' ') + "AB" << QString(14, ' ') + "xy";
    QTest::newRow("right to left, leaving at the left") << rtl << 17 << Padded("B") << Padded("yz");
    QTest::newRow("right to left, gone") << rtl << 18 << Padded("") << Padded("z");
    QTest::newRow("right to left comes round") << rtl << 19 << QString(15, ' ') + "A" << Padded("");
    QTest::newRow("left to right enters at the left") << ltr << 1 << Padded("B") << Padded("z");
    QTest::newRow("left to right, second step") << ltr << 2 << Padded("AB") << Padded("yz");
    QTest::newRow("left to right, leaving at the right")
        << ltr << 17 << QString(15, ' ') + "A" << QString(14, ' ') + "xy";
    QTest::newRow("an empty text leaves its row blank")
        << Scroll(false, "", "Q") << 3 << Padded("") << QString(13, ' ') + "Q  ";
}

void tst_BoardScroll::frames()
{
    QFETCH(QByteArray, input);
    QFETCH(int, steps);
    QFETCH(QString, row0);
    QFETCH(QString, row1);
    BoardModel model;
    model.feed(input);
    QVERIFY(model.needsTicks());
    model.tick(steps * Step - 1); // a step is whole: nothing moves before its time
    model.tick(1);
    QCOMPARE(Row(model, 0), row0);
    QCOMPARE(Row(model, 1), row1);
}

// A text 1 of 40 characters needs no end-of-line mark; one that follows anyway is skipped.
void tst_BoardScroll::fullText1WithoutEndOfLine()
{
    const QByteArray forty = QByteArray(39, '-') + "!";
    for (const QByteArray &separator : {QByteArray(), Bytes({0x0D})}) {
        BoardModel model;
        model.feed(Bytes({0xFE, 0xD4}) + forty + separator + "two" + Bytes({0xFF}) + "T");
        QCOMPARE(model.scroll().text(0), forty.toStdString());
        QCOMPARE(model.scroll().text(1), std::string("two"));
        QVERIFY(!model.scroll().leftToRight());
        QCOMPARE(model.state().display.at(0, 0), quint8('T')); // text after the definition prints
    }
}

void tst_BoardScroll::stoppedByClearAndShowScreen_data()
{
    QTest::addColumn<QByteArray>("stop");
    QTest::addColumn<QString>("row0");
    QTest::newRow("ClearDisplay") << Bytes({0x0D}) << Padded("");
    QTest::newRow("ShowScreen") << Bytes({0xFE, 0xC9}) + "one" + Bytes({0x0D, 0xFF, 0xFE, 0x2A, 1})
                                << Padded("one");
}

void tst_BoardScroll::stoppedByClearAndShowScreen()
{
    QFETCH(QByteArray, stop);
    QFETCH(QString, row0);
    BoardModel model;
    model.feed(Scroll(true, "moving", "text"));
    model.tick(5 * Step);
    model.feed(stop);
    QVERIFY(!model.scroll().active());
    model.tick(5 * Step);
    QCOMPARE(Row(model, 0), row0);
}

QTEST_APPLESS_MAIN(tst_BoardScroll)
#include "tst_boardscroll.moc"
