// The link as the main window shows it: the status bar's texts, "COM Port
// Error" telling why, the device chooser, the port items' tips and the port
// following the speed sent to the board.

#include "support/mainwindowharness.h"
#include "support/testdevices.h"
#include "ui/main/devicechooser.h"
#include "ui/main/linkstatusbar.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
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
            QVERIFY(
                run.boxes.boxes().at(0).informativeText.startsWith(device + ": " + reason + "."));
        QVERIFY(run.takeWrites().isEmpty());
        // A screen reader says each part's text, and what the part is on request.
        for (const char *part : {"lblPort", "lblSpeed", "lblState", "lblNote", "lblTraffic"}) {
            QAccessibleInterface *spoken =
                QAccessible::queryAccessibleInterface(run.find<QLabel>(part));
            QCOMPARE(spoken->text(QAccessible::Name), run.shown(part));
            QVERIFY(!spoken->text(QAccessible::Description).isEmpty());
        }
    }

    // At the window's fixed width every note reads whole on its two lines and
    // every state on its own; the tool tip holds the text as well.
    void statusBarTextsReadWhole_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("text");
        dataRow("speed note", "lblNote",
                "The board was told 19200 bit/s; the port stays at 9600 bit/s: choose 19200 bps "
                "in Baud Rate to follow");
        dataRow("reconnection note", "lblNote",
                "The board is back and may have restarted: \"Send Panel State\" in the "
                "Communication menu sends it what the panel shows.");
        dataRow("longest state", "lblState", "Closed: in use by another program");
        dataRow("lost", "lblState", "Lost: waiting for the device");
    }

    void statusBarTextsReadWhole()
    {
        QFETCH(QString, label);
        QFETCH(QString, text);
        StartedMainWindow run;
        auto *part = run.find<QLabel>(label);
        if (label == "lblNote")
            run.window->findChild<LinkStatusBar *>()->showNote(text);
        else
            part->setText(text);
        part->parentWidget()->layout()->activate();
        QVERIFY(part->wordWrap() ? part->heightForWidth(part->width()) <= part->height()
                                 : part->sizeHint().width() <= part->width());
        QVERIFY(part->geometry().right() <= run.window->width());
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
    // no serial device, or would not read back from the file as chosen, is
    // refused and the dialog stays open; one that is not there is taken only
    // when the operator says so. Nothing reaches any port.
    void chooserWritesOneKey_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<int>("answer");  // to a question; Cancel: the dialog's own Cancel
        QTest::addColumn<QString>("box"); // a phrase of the box shown; empty: none
        QTest::addColumn<bool>("written");
        QTest::addColumn<QString>("state");
        const int yes = QMessageBox::Yes;
        const int no = QMessageBox::No;
        const int cancel = QMessageBox::Cancel;
        dataRow("pseudo-terminal behind a link", "@link", yes, "", true, "Open");
        dataRow("cancelled", "@link", cancel, "", false, "Open");
        dataRow("regular file", "@dir/file", yes, "is not a serial device (a regular file)", false,
                "Open");
        dataRow("folder", "@dir", yes, "is not a serial device (a folder)", false, "Open");
        dataRow("/dev/null", "/dev/null", yes,
                "is not a serial device (a device that is no serial line)", false, "Open");
        dataRow("missing, not to be waited for", "@dir/dangling", no,
                "does not exist now. Map COM 1 to it and wait for it?", false, "Open");
        dataRow("missing, to be waited for", "@dir/dangling", yes,
                "does not exist now. Map COM 1 to it and wait for it?", true,
                "Waiting for the device");
        dataRow("outer blanks kept", "@dir/ board ", yes, "does not exist now", true,
                "Waiting for the device");
        dataRow("outside Latin-1 kept", QString::fromUtf8("@dir/\u30dc\u30fc\u30c9"), yes,
                "does not exist now", true, "Waiting for the device");
        dataRow("a line break", "@dir/a\nb", yes,
                "cannot be kept in the settings file: its name holds a line break", false, "Open");
        dataRow("longer than a setting holds", "@dir/" + QString(250, u'x'), yes,
                "its name is longer than the 254 characters a setting holds", false, "Open");
    }

    void chooserWritesOneKey()
    {
        QFETCH(QString, device);
        QFETCH(int, answer);
        QFETCH(QString, box);
        QFETCH(bool, written);
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

        auto *field = chooser->findChild<QLineEdit *>("txtDevice");
        field->selectAll();
        QGuiApplication::clipboard()->setText(device); // a path is pasted, line break and all
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        run.boxes.answer(QMessageBox::StandardButton(answer));
        clickButton(chooser, answer == QMessageBox::Cancel ? "cmdCancel" : "cmdChoose");
        QCOMPARE(run.boxes.count(), box.isEmpty() ? 0 : 1);
        if (!box.isEmpty())
            QVERIFY2(run.boxes.texts().first().contains(box),
                     qPrintable(run.boxes.texts().first()));
        if (chooser->isVisible()) // refused or not confirmed: the operator may try again
            clickButton(chooser, "cmdCancel");
        QByteArray stored = device.toUtf8();
        if (device != device.trimmed())
            stored = '"' + stored + '"';
        QCOMPARE(run.ini.contents(),
                 written ? QByteArray(before).replace(run.board.slavePath().toUtf8(), stored)
                         : before);
        if (written)
            QCOMPARE(ReadIniValue("Ports", "COM1"), device);
        QCOMPARE(run.shown("lblState"), state);
        QVERIFY(run.takeWrites().isEmpty());
        QCOMPARE(run.stray(), QByteArray());
        if (written && state == "Open") {
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

    // "Send Configuration" with another speed than the port's: the port keeps
    // its speed and the status bar says so, unless "Follow Board Speed" is
    // ticked: then, once the bytes are out, the port takes the board's new
    // speed, unless the operator chose a speed meanwhile.
    void portFollowsTheBoardOnlyWhenAsked_data()
    {
        QTest::addColumn<bool>("follow");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("thenChoose"); // a speed item chosen right after the click
        QTest::addColumn<int>("speed");
        QTest::addColumn<QString>("note");
        dataRow("off: the port keeps its speed", false, "opt19200", "", 9600,
                "The board was told 19200 bit/s; the port stays at 9600 bit/s: choose 19200 bps "
                "in Baud Rate to follow");
        dataRow("on: the port follows", true, "opt19200", "", 19200,
                "The port now runs at 19200 bit/s 8N1, as the board was told");
        dataRow("on, the same speed", true, "opt9600", "", 9600, "");
        dataRow("on, a speed chosen meanwhile cancels it", true, "opt19200", "mnuBaudRate0", 9600,
                "");
    }

    void portFollowsTheBoardOnlyWhenAsked()
    {
        QFETCH(bool, follow);
        QFETCH(QString, option);
        QFETCH(QString, thenChoose);
        QFETCH(int, speed);
        QFETCH(QString, note);
        MainWindowHarness run;
        QByteArray settings = MainWindowHarness::BoardOnCom1;
        run.settings(settings.replace("[Settings]\n", follow ? "[Settings]\nFollowBoardSpeed=1\n"
                                                             : "[Settings]\n"));
        run.start();
        QCOMPARE(run.find<QAction>("mnuFollowSpeed")->isChecked(), follow);
        run.find<QAction>("mnuConfig")->trigger();
        QWidget *config = run.window->findChild<QWidget *>("frmConfig");
        clickButton(config, option);
        clickButton(config, "cmdSetLCD");
        if (!thenChoose.isEmpty())
            run.find<QAction>(thenChoose)->trigger();

        const QByteArray speedCommand = option == "opt9600" ? hex("FE1E") : hex("FE1F");
        QVERIFY(run.wire(9).endsWith(speedCommand)); // all five writes went at the old speed
        QTRY_COMPARE(run.shown("lblNote"), note);
        QTest::qWait(4 * SpeedFollow::CheckIntervalMs); // a follow would be done by now
        QCOMPARE(run.board.slaveSpeed(), speed);
        const QString tick = speed == 9600 ? "mnuBaudRate0" : "mnuBaudRate1";
        QVERIFY(run.find<QAction>(tick)->isChecked());
        QCOMPARE(run.shown("lblSpeed"), QString::number(speed) + " bit/s 8N1");
        QVERIFY(run.port->PortOpen());
        QCOMPARE(run.boxes.count(), 0);

        run.find<QAction>("mnuFollowSpeed")->trigger();
        QCOMPARE(ReadIniValue("Settings", "FollowBoardSpeed"), follow ? "0" : "1");
    }
};

QTEST_MAIN(tst_frmMainLink)
#include "tst_frmmain_link.moc"
