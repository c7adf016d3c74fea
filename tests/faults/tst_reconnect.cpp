// The board unplugged and plugged back in, as a pseudo-terminal behind a link
// that goes and is re-pointed to a new one: while idle, during a read and
// during the user-screens upload, at start-up, and after the operator has
// moved to another port.

#include "support/mainwindowharness.h"
#include "ui/tools/frmscreen.h"

#include <QAction>
#include <QFileInfo>
#include <QLineEdit>

namespace {

const QString Lost = QStringLiteral("Lost: waiting for the device");
// Several of the watch's looks for the device.
constexpr int SeveralChecksMs = 1000;

// The board comes back: the port reopens on its own, says so, sends nothing
// on its own, and works.
void expectReconnected(LinkedMainWindow &run)
{
    run.device.plug();
    QTRY_COMPARE(run.shown("lblState"), QStringLiteral("Open"));
    QVERIFY(run.port->PortOpen());
    QCOMPARE(run.device.board().readFor(100), QByteArray());
    run.click("cmdClearLCD");
    QCOMPARE(run.device.board().readExactly(1), hex("0D"));
}

} // namespace

class tst_Reconnect : public QObject
{
    Q_OBJECT

private slots:
    // Back, the board may have restarted: the status bar says how to send it
    // what the panel shows, which "Send Panel State" does while the port is open.
    void lossAndReturnWhileIdle()
    {
        LinkedMainWindow run;
        run.device.unplug();
        QTRY_COMPARE(run.shown("lblState"), Lost);
        QVERIFY(!run.port->PortOpen());
        QVERIFY(!run.find<QAction>("mnuSendState")->isEnabled());
        QCOMPARE(run.boxes.count(), 0); // going away is told by the status bar alone
        expectReconnected(run);
        QVERIFY(run.shown("lblNote").contains("may have restarted: \"Send Panel State\""));
        QVERIFY(run.find<QAction>("mnuSendState")->isEnabled());
    }

    // The board takes the request and goes before it answers: the read-out
    // keeps its text, the status bar tells of the missing reply, and a read
    // after the return is answered.
    void lossAndReturnDuringRead()
    {
        LinkedMainWindow run;
        {
            QObject context;
            connect(run.port, &MSComm::outputWritten, &context, [&](const QByteArray &bytes) {
                if (bytes == hex("FE0B"))
                    run.device.unplug();
            });
            run.click("cmdReadA1");
        }
        QTRY_COMPARE(run.shown("lblNote"), QStringLiteral("No reply from the board to Read 0-10V"));
        QCOMPARE(run.shown("lblState"), Lost);
        QCOMPARE(run.shown("analog1"), QString());
        QCOMPARE(run.boxes.count(), 0);

        expectReconnected(run);
        run.click("cmdReadA1");
        QCOMPARE(run.device.board().readExactly(2), hex("FE0B"));
        run.device.board().write(hex("000032"));
        QTRY_COMPARE(run.shown("analog1"), QStringLiteral(" .49V"));
    }

    // The board goes after three of the ten screens: the next write is refused
    // as ever ("Port Not Open" closes the window, which ends the upload); once
    // the board is back, a new upload sends all ten screens.
    void lossAndReturnDuringScreenUpload()
    {
        LinkedMainWindow run;
        run.find<QAction>("mnuScreen")->trigger();
        auto *screens = run.window->findChild<frmScreen *>();
        typeText(screens->findChild<QLineEdit *>("txtLine11"), QStringLiteral("FIRST"));
        {
            QObject context;
            int written = 0;
            connect(run.port, &MSComm::outputWritten, &context, [&] {
                if (++written == 6) // two writes per screen
                    run.device.unplug();
            });
            clickButton(screens, "cmdSetScreen");
            QTRY_VERIFY(!screens->isVisible());
        }
        QCOMPARE(run.boxes.texts(), QStringList(2, QStringLiteral("Port Not Open")));

        expectReconnected(run);
        run.takeWrites();
        run.find<QAction>("mnuScreen")->trigger();
        typeText(screens->findChild<QLineEdit *>("txtLine11"), QStringLiteral("AGAIN"));
        clickButton(screens, "cmdSetScreen");
        QTRY_COMPARE_WITH_TIMEOUT(run.boxes.count("All Screens Set"), 1, 5000);
        const QByteArray first = hex("FEC9") + "AGAIN\r\xFF";
        QVERIFY(run.device.board().readExactly(int(first.size())).startsWith(first));
        QCOMPARE(run.takeWrites().size(), 20);
    }

    // The board goes away and comes back while "Port Not Open" is on screen:
    // the handler that sent is still running, so the port stays closed until
    // it ends and the new board gets nothing of the rest of its command.
    void aBoardBackDuringAWarningGetsNoHalfCommand_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("writesBeforeLoss"); // -1: gone before the click
        QTest::addColumn<int>("warnings");
        dataRow("user screens upload", "frmScreen", "cmdSetScreen", 6, 2);
        dataRow("Send Configuration", "frmConfig", "cmdSetLCD", -1, 5);
    }

    void aBoardBackDuringAWarningGetsNoHalfCommand()
    {
        QFETCH(QString, window);
        QFETCH(QString, button);
        QFETCH(int, writesBeforeLoss);
        QFETCH(int, warnings);
        LinkedMainWindow run;
        run.find<QAction>(window == "frmScreen" ? "mnuScreen" : "mnuConfig")->trigger();
        auto *tool = run.window->findChild<QWidget *>(window);
        QObject context;
        int written = 0;
        connect(run.port, &MSComm::outputWritten, &context, [&] {
            if (++written == writesBeforeLoss)
                run.device.unplug();
        });
        if (writesBeforeLoss < 0) {
            run.device.unplug();
            QTRY_COMPARE(run.shown("lblState"), Lost);
        }
        run.boxes.whileShown([&](const MsgBoxRequest &) {
            if (!run.port->PortOpen() && !QFileInfo::exists(run.device.path()))
                run.device.plug();
            QTest::qWait(2 * ConnectionWatch::CheckIntervalMs); // time enough to reopen
            QVERIFY(!run.port->PortOpen());
        });
        clickButton(tool, button);
        QTRY_VERIFY(!tool->isVisible());
        run.boxes.whileShown({});

        QCOMPARE(run.boxes.texts(), QStringList(warnings, QStringLiteral("Port Not Open")));
        QVERIFY(run.boxes.boxes().first().informativeText.contains(run.device.path()));
        QTRY_COMPARE(run.shown("lblState"), QStringLiteral("Open"));
        QCOMPARE(run.device.board().readFor(100), QByteArray());
    }

    // A device missing at start-up is waited for, and opened when it comes;
    // meanwhile a send tells what the port waits for.
    void startUpWaitsForTheDevice()
    {
        LinkedMainWindow run(LinkedMainWindow::Unplugged);
        QCOMPARE(run.shown("lblState"), QStringLiteral("Waiting for the device"));
        QCOMPARE(run.boxes.count(), 0);
        run.click("cmdClearLCD");
        QCOMPARE(run.boxes.texts(), QStringList{QStringLiteral("Port Not Open")});
        QCOMPARE(run.boxes.boxes().first().icon, QMessageBox::Warning);
        QCOMPARE(run.boxes.boxes().first().informativeText,
                 QStringLiteral("Waiting for %1 to appear.").arg(run.device.path()));

        expectReconnected(run);
    }

    // Once the operator has chosen another port, the one left is never
    // reopened behind the operator's back, even when its device comes back.
    void portLeftIsNeverReopened()
    {
        LinkedMainWindow run;
        run.ini.mapPort(2, QStringLiteral("/nonexistent/vantor-board"));
        run.device.unplug();
        QTRY_COMPARE(run.shown("lblState"), Lost);
        run.find<QAction>("mnuPort2")->trigger();
        run.device.plug();
        QTest::qWait(SeveralChecksMs);
        QVERIFY(!run.port->PortOpen());
        QCOMPARE(run.shown("lblState"), QStringLiteral("Waiting for the device"));
        QCOMPARE(run.port->DeviceName(), QStringLiteral("/nonexistent/vantor-board"));
    }
};

QTEST_MAIN(tst_Reconnect)
#include "tst_reconnect.moc"
