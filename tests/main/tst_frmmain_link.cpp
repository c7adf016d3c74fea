// The link as the main window shows it: the status bar's texts, "COM Port
// Error" telling why, the device chooser, the port items' tips and the port
// following the speed sent to the board.

#include "support/mainwindowharness.h"
#include "support/testdevices.h"
#include "ui/main/devicechooser.h"

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

namespace {

const QString NoDevice = QStringLiteral("/nonexistent/vantor-board");

} // namespace

class tst_frmMainLink : public QObject
{
    Q_OBJECT

private slots:
    // Choosing "COM 3" on each kind of device: the status bar tells where the
    // link stands; a failed opening also tells the device and why in "COM Port
    // Error", and a device that is not there is waited for.
    void statusTexts_data()
    {
        QTest::addColumn<QString>("device"); // "@board", or a marker of TestDevices
        QTest::addColumn<bool>("close");     // the port is closed afterwards
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("reason"); // in the box; none when it opened

        dataRow("open", "@board", false, "Open", QString());
        dataRow("closed", "@board", true, "Closed by the operator", QString());
        dataRow("not found", NoDevice, false, "Waiting for the device", "not found");
        dataRow("dangling link", "@dir/dangling", false, "Waiting for the device", "not found");
        dataRow("regular file", "@dir/file", false, "Closed: not a serial device",
                "not a serial device");
        dataRow("folder", "@dir", false, "Closed: not a serial device", "not a serial device");
        dataRow("/dev/null", "/dev/null", false, "Closed: not a serial device",
                "not a serial device");
        dataRow("in use", "@held", false, "Closed: in use by another program",
                "in use by another program");
    }

    void statusTexts()
    {
        QFETCH(QString, device);
        QFETCH(bool, close);
        QFETCH(QString, state);
        QFETCH(QString, reason);
        TestDevices devices;
        StartedMainWindow run;
        device = devices.path(device.replace("@board", run.board.slavePath()));
        run.ini.mapPort(3, device);

        run.find<QAction>("mnuPort3")->trigger();
        if (close)
            run.port->setPortOpen(false);
        QCOMPARE(run.shown("lblPort"), "COM 3 \u2014 " + device);
        QCOMPARE(run.shown("lblSpeed"), "9600 bit/s 8N1");
        QCOMPARE(run.shown("lblState"), state);
        QCOMPARE(run.boxes.texts(),
                 reason.isEmpty() ? QStringList() : QStringList{"COM Port Error"});
        if (!reason.isEmpty())
            QCOMPARE(run.boxes.boxes().at(0).informativeText, device + ": " + reason + ".");
        QVERIFY(run.takeWrites().isEmpty());
        // A screen reader says each part's text, and what the part is on request.
        for (const char *part : {"lblPort", "lblSpeed", "lblState", "lblNote", "lblTraffic"}) {
            QAccessibleInterface *spoken =
                QAccessible::queryAccessibleInterface(run.find<QLabel>(part));
            QCOMPARE(spoken->text(QAccessible::Name), run.shown(part));
            QVERIFY(!spoken->text(QAccessible::Description).isEmpty());
        }
    }

    // The bytes of a click and of a read's request and reply are counted, and a
    // read the board does not answer is told, once its time is up, until the next read.
    void trafficAndReadsWithoutReply()
    {
        StartedMainWindow run;
        QCOMPARE(run.shown("lblTraffic"), "Sent 0 B \u00B7 Received 0 B");
        run.click("cmdClearLCD");
        run.click("cmdReadA1");
        QTRY_COMPARE(run.shown("lblNote"), "No reply from the board to Read 0-10V");
        QCOMPARE(run.shown("analog1"), QString());

        run.click("cmdReadInputs");
        QCOMPARE(run.shown("lblNote"), QString());
        run.board.write(hex("05"));
        QTRY_COMPARE(run.shown("inputs"), "5");
        QTRY_COMPARE(run.shown("lblTraffic"), "Sent 5 B \u00B7 Received 1 B");
        QCOMPARE(run.boxes.count(), 0);
    }

    // Choosing writes exactly one key, COM1 of [Ports], and only on "Choose";
    // the port then opens on the device at the current speed. A path that is
    // no serial device is shown as such; nothing reaches any port.
    void chooserWritesOneKey_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<bool>("choose"); // false: Cancel
        QTest::addColumn<QString>("state");

        QTest::newRow("pseudo-terminal behind a link") << "@link" << true << "Open";
        QTest::newRow("cancelled") << "@link" << false << "Open";
        QTest::newRow("regular file") << "@dir/file" << true << "Closed: not a serial device";
        QTest::newRow("folder") << "@dir" << true << "Closed: not a serial device";
        QTest::newRow("/dev/null") << "/dev/null" << true << "Closed: not a serial device";
        QTest::newRow("dangling link") << "@dir/dangling" << true << "Waiting for the device";
    }

    void chooserWritesOneKey()
    {
        QFETCH(QString, device);
        QFETCH(bool, choose);
        QFETCH(QString, state);
        TestDevices devices;
        PtyLink other;
        StartedMainWindow run;
        device = devices.path(device.replace("@link", other.path()));
        const QByteArray before = run.ini.contents();
        run.find<QAction>("mnuChooseDevice")->trigger();
        auto *chooser = run.window->findChild<DeviceChooser *>();
        QVERIFY(chooser->isVisible());
        QCOMPARE(chooser->findChild<QLineEdit *>("txtDevice")->text(), run.board.slavePath());

        retype(chooser->findChild<QLineEdit *>("txtDevice"), device);
        clickButton(chooser, choose ? "cmdChoose" : "cmdCancel");
        QVERIFY(!chooser->isVisible());
        const QByteArray after =
            choose ? QByteArray(before).replace(QFile::encodeName(run.board.slavePath()),
                                                QFile::encodeName(device))
                   : before;
        QCOMPARE(run.ini.contents(), after);
        QCOMPARE(run.shown("lblState"), state);
        QCOMPARE(run.boxes.count(), 0);
        QVERIFY(run.takeWrites().isEmpty());
        QCOMPARE(run.stray(), QByteArray());
        if (choose && state == "Open") {
            run.click("cmdClearLCD");
            QCOMPARE(other.board().readExactly(1), hex("0D"));
        }
    }

    // Each port item keeps its caption; its tips name its device and whether it is there.
    void portItemsTellTheirDevice()
    {
        StartedMainWindow run;
        run.ini.mapPort(2, NoDevice);
        QMenuBar *bar = run.window->menuBar();
        QMenu *menu = run.find<QMenu>("mnuCom");
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(menu->menuAction()).center());
        QTRY_VERIFY(menu->isVisible());

        const QString present = run.board.slavePath() + " (present)";
        QCOMPARE(run.find<QAction>("mnuPort1")->text(), "COM 1");
        QCOMPARE(run.find<QAction>("mnuPort1")->toolTip(), present);
        QCOMPARE(run.find<QAction>("mnuPort1")->statusTip(), present);
        QCOMPARE(run.find<QAction>("mnuPort2")->toolTip(), NoDevice + " (not present)");
    }

    // "Send Configuration" with another speed than the port's: once its bytes
    // are out, the port takes the board's new speed and the menu shows it.
    void portFollowsTheSpeedSentToTheBoard_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("speed");
        QTest::addColumn<QString>("note");
        dataRow("19200", "opt19200", 19200,
                "The port now runs at 19200 bit/s 8N1, as the board was told");
        dataRow("the same 9600", "opt9600", 9600, "");
    }

    void portFollowsTheSpeedSentToTheBoard()
    {
        QFETCH(QString, option);
        QFETCH(int, speed);
        QFETCH(QString, note);
        StartedMainWindow run;
        run.find<QAction>("mnuConfig")->trigger();
        QWidget *config = run.window->findChild<QWidget *>("frmConfig");
        clickButton(config, option);
        clickButton(config, "cmdSetLCD");

        const QByteArray speedCommand = speed == 9600 ? hex("FE1E") : hex("FE1F");
        QCOMPARE(run.takeWrites().last(), speedCommand);
        QVERIFY(run.wire(9).endsWith(speedCommand)); // all five writes went at the old speed
        QTRY_COMPARE(run.board.slaveSpeed(), speed);
        QTRY_COMPARE(run.shown("lblNote"), note);
        QVERIFY(run.find<QAction>(speed == 9600 ? "mnuBaudRate0" : "mnuBaudRate1")->isChecked());
        QCOMPARE(run.shown("lblSpeed"), QString::number(speed) + " bit/s 8N1");
        QVERIFY(run.port->PortOpen());
        QCOMPARE(run.boxes.count(), 0);
    }
};

QTEST_MAIN(tst_frmMainLink)
#include "tst_frmmain_link.moc"
