// Start-up from the settings file, the first run, and what closing writes.

#include "support/mainwindowharness.h"

#include <QAction>
#include <QCheckBox>
#include <QSlider>

namespace {

QByteArray settingsFile(int port, const char *setting, const char *level, const char *autoOff)
{
    return QStringLiteral(
               "[Settings]\nCommPort=%1\nSetting=%2\n[Backlight]\nLevel=%3\nAutoOff=%4\n")
        .arg(port)
        .arg(setting, level, autoOff)
        .toLatin1();
}

} // namespace

class tst_frmMainStartup : public QObject
{
    Q_OBJECT

private slots:
    void startsFromStoredSettings_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("boardPort");
        QTest::addColumn<QString>("settingsText");
        QTest::addColumn<bool>("autoOffDisabled");
        QTest::addColumn<int>("level");
        QTest::addColumn<QList<QByteArray>>("sent");

        dataRow("COM2 19200, level 128, auto-off 0", settingsFile(2, "19200,n,8,1", "128", "0"), 2,
                "19200,n,8,1", true, 128, QList<QByteArray>{hex("FE2900"), hex("FE2880")});
        dataRow("level 50 sends no brightness, auto-off 30 stays unchecked",
                settingsFile(3, "9600,n,8,1", "50", "30"), 3, "9600,n,8,1", false, 50,
                QList<QByteArray>{});
        dataRow("auto-off not a number: checked, nothing sent for it",
                settingsFile(1, "9600,n,8,1", "250", "soon"), 1, "9600,n,8,1", true, 250,
                QList<QByteArray>{hex("FE28FA")});
        dataRow("auto-off nan: checked", settingsFile(1, "9600,n,8,1", "50", "nan"), 1,
                "9600,n,8,1", true, 50, QList<QByteArray>{});
        dataRow("auto-off inf: checked", settingsFile(1, "9600,n,8,1", "50", "inf"), 1,
                "9600,n,8,1", true, 50, QList<QByteArray>{});
        dataRow("auto-off 1e1, no decimal number: checked",
                settingsFile(1, "9600,n,8,1", "50", "1e1"), 1, "9600,n,8,1", true, 50,
                QList<QByteArray>{});
        dataRow("level not a number: stays 50", settingsFile(1, "9600,n,8,1", "bright", "30"), 1,
                "9600,n,8,1", false, 50, QList<QByteArray>{});
        dataRow("level beyond the slider's end: stays 50",
                settingsFile(1, "9600,n,8,1", "251", "30"), 1, "9600,n,8,1", false, 50,
                QList<QByteArray>{});
        dataRow("fractional level rounds to even", settingsFile(1, "9600,n,8,1", "100.5", "30"), 1,
                "9600,n,8,1", false, 100, QList<QByteArray>{hex("FE2864")});
        dataRow("unusable port and speed fall back to COM 1 at 9600",
                settingsFile(9, "fast", "60", "30"), 1, "9600,n,8,1", false, 60,
                QList<QByteArray>{hex("FE283C")});
        dataRow("another spelling of 19200", settingsFile(1, " 19200, N ,8, 1", "50", "30"), 1,
                "19200,n,8,1", false, 50, QList<QByteArray>{});
        dataRow("a speed the panel does not offer is 9600",
                settingsFile(1, "4800,n,8,1", "50", "30"), 1, "9600,n,8,1", false, 50,
                QList<QByteArray>{});
    }

    void startsFromStoredSettings()
    {
        QFETCH(QByteArray, ini);
        QFETCH(int, boardPort);
        QFETCH(QString, settingsText);
        QFETCH(bool, autoOffDisabled);
        QFETCH(int, level);
        QFETCH(QList<QByteArray>, sent);

        MainWindowHarness run;
        run.settings(ini, boardPort);
        run.start();

        QVERIFY(run.port->PortOpen());
        QCOMPARE(run.port->CommPort(), boardPort);
        QCOMPARE(run.port->Settings(), settingsText);
        QCOMPARE(run.board.slaveSpeed(), settingsText.startsWith("19200") ? 19200 : 9600);
        QCOMPARE(run.port->RThreshold(), 1);
        QCOMPARE(run.port->InputMode(), 1);
        for (int item = 1; item <= 6; ++item)
            QCOMPARE(run.find<QAction>(QStringLiteral("mnuPort%1").arg(item))->isChecked(),
                     item == boardPort);
        QCOMPARE(run.find<QAction>("mnuBaudRate0")->isChecked(), settingsText == "9600,n,8,1");
        QCOMPARE(run.find<QAction>("mnuBaudRate1")->isChecked(), settingsText != "9600,n,8,1");
        QCOMPARE(run.find<QCheckBox>("Check1")->isChecked(), autoOffDisabled);
        QCOMPARE(run.find<QSlider>("BacklightLevel")->value(), level);
        QVERIFY(!run.find<QSlider>("BacklightLevel")->isEnabled());

        QCOMPARE(run.takeWrites(), sent);
        QCOMPARE(run.wire(int(sent.join().size())), sent.join());
        QCOMPARE(run.boxes.count(), 0);
    }

    void firstRunWithoutFile()
    {
        MainWindowHarness run;
        QVERIFY(!run.ini.exists());
        run.start();

        QCOMPARE(run.port->CommPort(), 1);
        QCOMPARE(run.port->Settings(), "9600,n,8,1");
        QVERIFY(run.find<QAction>("mnuPort1")->isChecked());
        QVERIFY(run.find<QAction>("mnuBaudRate0")->isChecked());
        // No stored interval is not a number: the box is checked, but nothing is sent
        // and nobody is told during start-up.
        QVERIFY(run.find<QCheckBox>("Check1")->isChecked());
        QCOMPARE(run.find<QSlider>("BacklightLevel")->value(), 50);
        QCOMPARE(run.boxes.count(), 0);
        QCOMPARE(run.writes->count(), 0);

        run.window->close();
        QCOMPARE(ReadIniValue("Settings", "CommPort"), "1");
        QCOMPARE(ReadIniValue("Settings", "Setting"), "9600,n,8,1");
        QCOMPARE(ReadIniValue("Backlight", "Level"), "50");
    }

    // One warning for each write refused: the two of start-up (SetAutoOff 0 and
    // SetBrightness 128), then the two of "Send" and the one of a backlight option.
    void portThatCannotBeOpened()
    {
        MainWindowHarness run;
        run.ini.setContents(settingsFile(2, "9600,n,8,1", "128", "0"));
        run.ini.mapPort(2, QStringLiteral("/nonexistent/vantor-board"));
        run.start();

        QVERIFY(!run.port->PortOpen());
        QVERIFY(run.find<QAction>("mnuPort2")->isChecked());
        QCOMPARE(run.boxes.texts(), QStringList(2, "Port Not Open"));
        QCOMPARE(run.boxes.boxes().at(0).icon, QMessageBox::Warning);
        QCOMPARE(run.find<QSlider>("BacklightLevel")->value(), 128);

        run.click("cmdSendAscii");
        QCOMPARE(run.boxes.texts(), QStringList(4, "Port Not Open"));
        run.click("optBLOFF");
        QCOMPARE(run.boxes.texts(), QStringList(5, "Port Not Open"));
        QVERIFY(run.find<QSlider>("BacklightLevel")->isEnabled());
        QCOMPARE(run.writes->count(), 0);
    }

    // Closing writes the port, speed and brightness as they are then; the
    // auto-off interval is not the main window's to write.
    void closingWritesTheThreeEntries()
    {
        MainWindowHarness run;
        run.settings(settingsFile(2, "9600,n,8,1", "77", "45"), 2);
        run.ini.mapPort(4, run.board.slavePath());
        run.start();
        run.find<QAction>("mnuPort4")->trigger();
        run.find<QAction>("mnuBaudRate1")->trigger();
        QTest::keyClick(run.find<QAbstractButton>("optBLON"), Qt::Key_Space);
        QTest::keyClick(run.find<QSlider>("BacklightLevel"), Qt::Key_PageUp);
        QVERIFY(run.port->PortOpen());
        QCOMPARE(run.boxes.count(), 0);
        run.window->close();

        QVERIFY(!run.port->PortOpen());
        QCOMPARE(ReadIniValue("Settings", "CommPort"), "4");
        QCOMPARE(ReadIniValue("Settings", "Setting"), "19200,n,8,1");
        QCOMPARE(ReadIniValue("Backlight", "Level"), "82");
        QCOMPARE(ReadIniValue("Backlight", "AutoOff"), "45");
    }
};

QTEST_MAIN(tst_frmMainStartup)
#include "tst_frmmain_startup.moc"
