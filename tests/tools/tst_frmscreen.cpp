// The user screens window through its widgets, writing to a pseudo-terminal.
#include "support/toolwindowharness.h"
#include "ui/tools/frmscreen.h"

#include <QLineEdit>
#include <QTimer>
#include <QtTest>

using Writes = QList<QByteArray>;

namespace {

constexpr int UploadTimeoutMs = 10000;
// Long enough for several 100 ms ticks to fall due.
constexpr int SeveralTicksMs = 350;
const QStringList NoTexts(20);

// The twenty writes of a whole upload of the texts (screen k line l at 2(k-1) + l-1).
Writes uploadOf(const QStringList &texts)
{
    Writes writes;
    for (int screen = 1; screen <= 10; ++screen) {
        writes << QByteArray("\xFE") + char(0xC8 + screen)
                      + texts.value(2 * (screen - 1)).toLatin1() + '\r';
        writes << texts.value(2 * (screen - 1) + 1).toLatin1() + '\xFF';
    }
    return writes;
}

} // namespace

class tst_frmScreen : public QObject
{
    Q_OBJECT
    std::unique_ptr<ToolWindowHarness> run;
    frmScreen *window = nullptr;

    QLineEdit *line(int index) const // 0 is screen 1 line 1, 19 is screen 10 line 2
    {
        return run->find<QLineEdit>(
            QStringLiteral("txtLine%1%2").arg(index / 2 + 1).arg(index % 2 + 1));
    }
    void typeScreens(const QStringList &texts) const
    {
        for (int i = 0; i < texts.size(); ++i)
            typeText(line(i), texts.at(i));
    }
    QStringList boxTexts() const
    {
        QStringList texts;
        for (int i = 0; i < 20; ++i)
            texts << line(i)->text();
        return texts;
    }
    // Opened again: empty boxes, and the next upload starts at screen 1.
    void verifyFreshStart()
    {
        run->boxes.whileShown({});
        run->boxes.clear();
        window->open();
        QCOMPARE(boxTexts(), NoTexts);
        run->writes.clear();
        run->click("cmdSetScreen");
        QTRY_COMPARE_WITH_TIMEOUT(run->boxes.count(), 1, UploadTimeoutMs);
        QCOMPARE(run->writes.all(), uploadOf({}));
    }

private slots:
    void init()
    {
        run = std::make_unique<ToolWindowHarness>();
        QVERIFY(run->openPort());
        window = &run->window<frmScreen>();
        window->open();
    }

    void cleanup() { run.reset(); }

    void uploadsTenScreens_data()
    {
        QTest::addColumn<QStringList>("texts");
        QStringList full16 = NoTexts;
        full16[8] = "ABCDEFGHIJKLMNOP";
        QStringList every;
        for (int i = 0; i < 20; ++i)
            every << QString::fromUtf8("s%1 l%2 ü ").arg(i / 2 + 1).arg(i % 2 + 1);

        QTest::newRow("all boxes empty") << NoTexts;
        QTest::newRow("line 1 of 16 characters still ends with 0D") << full16;
        QTest::newRow("every box filled, blanks kept") << every;
    }

    // One screen per tick; a second click lets the upload go on where it stands.
    // The box comes after the last screen, with no tick meanwhile; the texts stay,
    // and the next upload starts at screen 1 again.
    void uploadsTenScreens()
    {
        QFETCH(QStringList, texts);
        typeScreens(texts);
        window->open(); // opening again while shown changes nothing
        int writesWhenShown = -1, writesAfterTicks = -1;
        bool timerOffWhenShown = false;
        run->boxes.whileShown([&](const MsgBoxRequest &) {
            writesWhenShown = run->writes.count();
            timerOffWhenShown = !run->find<QTimer>("Timer1")->isActive();
            QTest::qWait(SeveralTicksMs);
            writesAfterTicks = run->writes.count();
        });

        run->click("cmdSetScreen");
        QTRY_VERIFY(run->writes.count() >= 6);
        run->click("cmdSetScreen");
        QTRY_COMPARE_WITH_TIMEOUT(run->boxes.count(), 1, UploadTimeoutMs);
        QCOMPARE(run->shownBoxes(), QStringList{"information: All Screens Set"});
        QCOMPARE(writesWhenShown, 20);
        QVERIFY(timerOffWhenShown);
        QCOMPARE(writesAfterTicks, 20);
        QCOMPARE(run->writes.all(), uploadOf(texts));
        QCOMPARE(run->board.read(), uploadOf(texts).join());
        QCOMPARE(boxTexts(), texts);

        run->writes.clear();
        run->click("cmdSetScreen");
        QTRY_COMPARE_WITH_TIMEOUT(run->boxes.count(), 2, UploadTimeoutMs);
        QCOMPARE(run->writes.all(), uploadOf(texts));
    }

    void refusedWriteEndsUpload_data()
    {
        QTest::addColumn<int>("screensSent");
        QTest::newRow("port closed at the click") << 0;
        QTest::newRow("port lost before screen 10") << 9;
    }

    void refusedWriteEndsUpload()
    {
        QFETCH(int, screensSent);
        QStringList texts;
        for (int i = 0; i < 20; ++i)
            texts << QString::number(i);
        typeScreens(texts);
        if (screensSent == 0)
            run->port.setPortOpen(false);
        connect(&run->port, &MSComm::outputWritten, this, [&] {
            if (run->writes.count() == 2 * screensSent)
                run->port.setPortOpen(false);
        });
        // A modal box keeps events flowing; no tick may run meanwhile.
        run->boxes.whileShown([](const MsgBoxRequest &) { QTest::qWait(SeveralTicksMs); });

        run->click("cmdSetScreen");
        QTRY_COMPARE_WITH_TIMEOUT(run->boxes.count(), 2, UploadTimeoutMs);
        QTest::qWait(SeveralTicksMs);
        QCOMPARE(run->shownBoxes(), QStringList(2, "warning: Port Not Open"));
        QVERIFY(!window->isVisible());
        QVERIFY(!window->isLoaded());
        QCOMPARE(run->writes.all(), uploadOf(texts).mid(0, 2 * screensSent));
        disconnect(&run->port, nullptr, this, nullptr);
        QVERIFY(run->openPort());
        verifyFreshStart();
    }

    void closingEndsUploadAndEmptiesBoxes()
    {
        typeScreens({"first", "screen", "second", "screen"});
        run->click("cmdSetScreen");
        QTRY_VERIFY(run->writes.count() >= 4);
        window->close();
        const int sentBeforeClosing = run->writes.count();
        QTest::qWait(SeveralTicksMs);
        QCOMPARE(run->writes.count(), sentBeforeClosing);
        QVERIFY(!run->find<QTimer>("Timer1")->isActive());
        verifyFreshStart();
    }

    void textBoxesTakeSixteenPlainCharacters()
    {
        // Characters without a one-byte code, and the framing bytes FE and FF, are refused.
        typeText(line(19), QString::fromUtf8("€þÿabcdefghijklmnopqrst"));
        QCOMPARE(line(19)->text(), "abcdefghijklmnop");
    }
};

QTEST_MAIN(tst_frmScreen)
#include "tst_frmscreen.moc"
