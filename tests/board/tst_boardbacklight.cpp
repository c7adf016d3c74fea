// Backlight, brightness and the automatic switch-off of the board model.
#include "boardmodel.h"
#include "boardtestbytes.h"

#include <QtTest>

class tst_BoardBacklight : public QObject
{
    Q_OBJECT

private slots:
    void commands_data();
    void commands();
    void autoOff_data();
    void autoOff();
    void autoOffZeroNeverSwitchesOff();
    void ticksAreNeededOnlyWhileCounting();
};

void tst_BoardBacklight::commands_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<bool>("lit");
    QTest::addColumn<int>("brightness");
    QTest::newRow("factory state") << QByteArray() << true << 200;
    QTest::newRow("BacklightOff") << Bytes({0xFE, 0x07}) << false << 200;
    QTest::newRow("BacklightOff then On") << Bytes({0xFE, 0x07, 0xFE, 0x06}) << true << 200;
    QTest::newRow("SetBrightness 50") << Bytes({0xFE, 0x28, 50}) << true << 50;
    QTest::newRow("SetBrightness 254 takes the prefix byte as value")
        << Bytes({0xFE, 0x28, 0xFE}) << true << 254;
    QTest::newRow("brightness kept while off")
        << Bytes({0xFE, 0x28, 80, 0xFE, 0x07}) << false << 80;
}

void tst_BoardBacklight::commands()
{
    QFETCH(QByteArray, input);
    QFETCH(bool, lit);
    QFETCH(int, brightness);
    BoardModel model;
    model.feed(input);
    QCOMPARE(model.backlightLit(), lit);
    QCOMPARE(int(model.state().brightness), brightness);
}

// The interval counts from the last received byte; any byte wakes the backlight.
void tst_BoardBacklight::autoOff_data()
{
    QTest::addColumn<QByteArray>("setup");
    QTest::addColumn<int>("idleMs");
    QTest::addColumn<QByteArray>("afterwards");
    QTest::addColumn<bool>("litBefore");
    QTest::addColumn<bool>("litAfter");
    const QByteArray twoSeconds = Bytes({0xFE, 0x29, 2});
    dataRow("still on just before the interval", twoSeconds, 1999, QByteArray(), true, true);
    dataRow("off after the interval, woken by a byte", twoSeconds, 2000, QByteArray("x"), false,
            true);
    dataRow("woken by a command byte", twoSeconds, 5000, Bytes({0xFE, 0x03}), false, true);
    dataRow("a byte restarts the count", twoSeconds + "a", 1500, QByteArray("b"), true, true);
    dataRow("BacklightOff stays off when woken", twoSeconds + Bytes({0xFE, 0x07}), 3000,
            QByteArray("x"), false, false);
}

void tst_BoardBacklight::autoOff()
{
    QFETCH(QByteArray, setup);
    QFETCH(int, idleMs);
    QFETCH(QByteArray, afterwards);
    QFETCH(bool, litBefore);
    QFETCH(bool, litAfter);
    BoardModel model;
    model.feed(setup);
    model.tick(idleMs / 2);
    model.tick(idleMs - idleMs / 2);
    QCOMPARE(model.backlightLit(), litBefore);
    model.feed(afterwards);
    QCOMPARE(model.backlightLit(), litAfter);
    if (litAfter && !afterwards.isEmpty()) { // and the count starts afresh
        model.tick(1999);
        QVERIFY(model.backlightLit());
    }
}

void tst_BoardBacklight::autoOffZeroNeverSwitchesOff()
{
    BoardModel model;
    model.feed(Bytes({0xFE, 0x29, 1, 0xFE, 0x29, 0}));
    model.tick(24 * 3600 * 1000);
    QVERIFY(model.backlightLit());
}

// The host runs its timer only while the board needs time to pass.
void tst_BoardBacklight::ticksAreNeededOnlyWhileCounting()
{
    BoardModel model;
    QVERIFY(!model.needsTicks());
    model.feed(Bytes({0xFE, 0x29, 1}));
    QVERIFY(model.needsTicks());
    model.tick(1000);
    QVERIFY(!model.backlightLit());
    QVERIFY(!model.needsTicks());
    model.feed("x");
    QVERIFY(model.needsTicks());
    model.feed(Bytes({0xFE, 0x07}));
    QVERIFY(!model.needsTicks());
}

QTEST_APPLESS_MAIN(tst_BoardBacklight)
#include "tst_boardbacklight.moc"
