// The three reads: what goes out, and what each reply shows in its read-out.

#include "mainwindowharness.h"

#include <QLabel>

namespace {

const QByteArray PortOnCom1 =
    "[Settings]\nCommPort=1\nSetting=9600,n,8,1\n[Backlight]\nLevel=50\nAutoOff=30\n";

} // namespace

class tst_frmMainReads : public QObject
{
    Q_OBJECT

private slots:
    void replyShowsInReadout_data();
    void replyShowsInReadout();
    void replyWaitingIsShownWithinTheWait();
    void shortReplyChangesNothing();
    void unaskedBytesBeforeFirstReadComeFirst();
    void unaskedByteAfterReadInputsShows();
    void readWithPortClosedKeepsOldText();
};

void tst_frmMainReads::replyShowsInReadout_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("threshold");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("readout");
    QTest::addColumn<QString>("text");

    QTest::newRow("inputs 5") << "cmdReadInputs" << hex("FE0A") << 1 << hex("05") << "inputs"
                              << "5";
    QTest::newRow("inputs 0") << "cmdReadInputs" << hex("FE0A") << 1 << hex("00") << "inputs"
                              << "0";
    QTest::newRow("0-10V count 512")
        << "cmdReadA1" << hex("FE0B") << 3 << hex("000200") << "analog1"
        << " 5.0176V";
    QTest::newRow("0-10V count 50") << "cmdReadA1" << hex("FE0B") << 3 << hex("000032") << "analog1"
                                    << " .49V";
    QTest::newRow("0-10V count 1023")
        << "cmdReadA1" << hex("FE0B") << 3 << hex("0003FF") << "analog1"
        << " 10.0254V";
    QTest::newRow("0-10V count 32768")
        << "cmdReadA1" << hex("FE0B") << 3 << hex("008000") << "analog1"
        << " 321.1264V";
    QTest::newRow("0-20mA count 1000")
        << "cmdReadA2" << hex("FE0D") << 3 << hex("0003E8") << "analog2"
        << " 20mA";
    QTest::newRow("0-20mA count 65535")
        << "cmdReadA2" << hex("FE0D") << 3 << hex("00FFFF") << "analog2"
        << " 1310.7mA";
}

void tst_frmMainReads::replyShowsInReadout()
{
    QFETCH(QString, button);
    QFETCH(QByteArray, request);
    QFETCH(int, threshold);
    QFETCH(QByteArray, reply);
    QFETCH(QString, readout);
    QFETCH(QString, text);
    MainWindowHarness run;
    run.settings(PortOnCom1);
    run.start();

    run.click(button);
    QCOMPARE(run.takeWrites(), QList<QByteArray>{request});
    QCOMPARE(run.wire(2), request);
    QCOMPARE(run.port->RThreshold(), threshold);
    run.board.write(reply);
    QTRY_COMPARE(run.find<QLabel>(readout)->text(), text);
    QCOMPARE(run.port->InBufferCount(), 0);
    for (const char *other : {"inputs", "analog1", "analog2"}) {
        if (readout != QLatin1String(other))
            QCOMPARE(run.find<QLabel>(other)->text(), QString());
    }
}

void tst_frmMainReads::replyWaitingIsShownWithinTheWait()
{
    MainWindowHarness run;
    run.settings(PortOnCom1);
    run.start();
    auto *timer = run.find<QTimer>("Timer1");
    QCOMPARE(timer->interval(), 10);
    QVERIFY(!timer->isActive());

    // The board's answer is on the line before the window looks: the wait
    // processes the receive event, so the read-out is filled when the click returns.
    run.board.write(hex("000032"));
    run.click("cmdReadA1");
    QCOMPARE(run.find<QLabel>("analog1")->text(), " .49V");
    QVERIFY(blnTimeUp);
    QVERIFY(!timer->isActive());
    QCOMPARE(intReadKind, qint16(2));
}

void tst_frmMainReads::shortReplyChangesNothing()
{
    MainWindowHarness run;
    run.settings(PortOnCom1);
    run.start();
    auto *analog1 = run.find<QLabel>("analog1");

    run.click("cmdReadA1");
    run.board.write(hex("000200"));
    QTRY_COMPARE(analog1->text(), " 5.0176V");
    run.click("cmdReadA1");
    run.board.write(hex("00"));
    QTRY_COMPARE(run.port->InBufferCount(), 1); // arrived, below the threshold
    QCOMPARE(analog1->text(), " 5.0176V");
    QCOMPARE(run.boxes.count(), 0);
}

void tst_frmMainReads::unaskedBytesBeforeFirstReadComeFirst()
{
    MainWindowHarness run;
    run.settings(PortOnCom1);
    run.start();

    run.board.write(hex("07"));
    QTRY_COMPARE(run.port->InBufferCount(), 1); // no read asked for: it stays waiting
    run.click("cmdReadA1");
    run.board.write(hex("000200"));
    // b = 07 00 02 00: the count is 00 02, not 02 00.
    QTRY_COMPARE(run.find<QLabel>("analog1")->text(), " .0196V");
}

void tst_frmMainReads::unaskedByteAfterReadInputsShows()
{
    MainWindowHarness run;
    run.settings(PortOnCom1);
    run.start();
    auto *inputs = run.find<QLabel>("inputs");

    run.click("cmdReadInputs");
    run.board.write(hex("05"));
    QTRY_COMPARE(inputs->text(), "5");
    run.board.write(hex("07"));
    QTRY_COMPARE(inputs->text(), "7");
}

void tst_frmMainReads::readWithPortClosedKeepsOldText()
{
    MainWindowHarness run;
    run.settings(PortOnCom1);
    run.start();
    run.click("cmdReadA2");
    run.board.write(hex("0003E8"));
    QTRY_COMPARE(run.find<QLabel>("analog2")->text(), " 20mA");

    run.port->setPortOpen(false);
    run.click("cmdReadA2");
    QCOMPARE(run.boxes.texts(), QStringList{"Port Not Open"});
    QCOMPARE(run.find<QLabel>("analog2")->text(), " 20mA");
}

QTEST_MAIN(tst_frmMainReads)
#include "tst_frmmain_reads.moc"
