// Start-up from the settings file, the first run, and what closing writes.

#include "mainwindowharness.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QSlider>

class tst_frmMainStartup : public QObject
{
    Q_OBJECT

private slots:
    void startsFromStoredSettings_data();
    void startsFromStoredSettings();
    void firstRunWithoutFile();
    void portThatCannotBeOpened();
    void closingWritesTheThreeEntries();
    void closingSavesChosenPortAndSpeed();
};

void tst_frmMainStartup::startsFromStoredSettings_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<int>("boardPort");
    QTest::addColumn<QString>("settingsText");
    QTest::addColumn<QString>("speedItem");
    QTest::addColumn<bool>("autoOffDisabled");
    QTest::addColumn<int>("level");
    QTest::addColumn<QList<QByteArray>>("sent");

    const QByteArray backlight = "[Backlight]\nLevel=128\nAutoOff=0\n";
    QTest::newRow("COM2 19200, level 128, auto-off 0")
        << QByteArray("[Settings]\nCommPort=2\nSetting=19200,n,8,1\n" + backlight) << 2
        << "19200,n,8,1"
        << "mnuBaudRate1" << true << 128 << QList<QByteArray>{hex("FE2900"), hex("FE2880")};
    QTest::newRow("level 50 sends no brightness, auto-off 30 stays unchecked")
        << QByteArray(
               "[Settings]\nCommPort=3\nSetting=9600,n,8,1\n[Backlight]\nLevel=50\nAutoOff=30\n")
        << 3 << "9600,n,8,1"
        << "mnuBaudRate0" << false << 50 << QList<QByteArray>{};
    QTest::newRow("auto-off not a number: checked, nothing sent for it")
        << QByteArray(
               "[Settings]\nCommPort=1\nSetting=9600,n,8,1\n[Backlight]\nLevel=250\nAutoOff=soon\n")
        << 1 << "9600,n,8,1"
        << "mnuBaudRate0" << true << 250 << QList<QByteArray>{hex("FE28FA")};
    QTest::newRow("level not a number or off the slider: stays 50")
        << QByteArray("[Settings]\nCommPort=1\nSetting=9600,n,8,1\n[Backlight]\nLevel="
                      "bright\nAutoOff=30\n")
        << 1 << "9600,n,8,1"
        << "mnuBaudRate0" << false << 50 << QList<QByteArray>{};
    QTest::newRow("level beyond the slider's end")
        << QByteArray(
               "[Settings]\nCommPort=1\nSetting=9600,n,8,1\n[Backlight]\nLevel=251\nAutoOff=30\n")
        << 1 << "9600,n,8,1"
        << "mnuBaudRate0" << false << 50 << QList<QByteArray>{};
    QTest::newRow("fractional level rounds to even")
        << QByteArray(
               "[Settings]\nCommPort=1\nSetting=9600,n,8,1\n[Backlight]\nLevel=100.5\nAutoOff=30\n")
        << 1 << "9600,n,8,1"
        << "mnuBaudRate0" << false << 100 << QList<QByteArray>{hex("FE2864")};
    QTest::newRow("unusable port and speed fall back to COM 1 at 9600")
        << QByteArray("[Settings]\nCommPort=9\nSetting=fast\n[Backlight]\nLevel=60\nAutoOff=30\n")
        << 1 << "9600,n,8,1"
        << "mnuBaudRate0" << false << 60 << QList<QByteArray>{hex("FE283C")};
    QTest::newRow("another settings text ticks 19200")
        << QByteArray(
               "[Settings]\nCommPort=1\nSetting=4800,n,8,1\n[Backlight]\nLevel=50\nAutoOff=30\n")
        << 1 << "4800,n,8,1"
        << "mnuBaudRate1" << false << 50 << QList<QByteArray>{};
}

void tst_frmMainStartup::startsFromStoredSettings()
{
    QFETCH(QByteArray, ini);
    QFETCH(int, boardPort);
    QFETCH(QString, settingsText);
    QFETCH(QString, speedItem);
    QFETCH(bool, autoOffDisabled);
    QFETCH(int, level);
    QFETCH(QList<QByteArray>, sent);

    MainWindowHarness run;
    run.settings(ini, boardPort);
    run.start();

    QVERIFY(run.port->PortOpen());
    QCOMPARE(run.port->CommPort(), boardPort);
    QCOMPARE(run.port->Settings(), settingsText);
    QCOMPARE(run.port->RThreshold(), 1);
    QCOMPARE(run.port->InputMode(), 1);
    for (int item = 1; item <= 6; ++item)
        QCOMPARE(run.find<QAction>(QStringLiteral("mnuPort%1").arg(item))->isChecked(),
                 item == boardPort);
    for (const char *item : {"mnuBaudRate0", "mnuBaudRate1"})
        QCOMPARE(run.find<QAction>(item)->isChecked(), speedItem == QLatin1String(item));
    QCOMPARE(run.find<QCheckBox>("Check1")->isChecked(), autoOffDisabled);
    QCOMPARE(run.find<QSlider>("BacklightLevel")->value(), level);
    QVERIFY(!run.find<QSlider>("BacklightLevel")->isEnabled());
    QCOMPARE(run.find<QComboBox>("cboRow")->currentText(), "0");
    QCOMPARE(run.find<QComboBox>("cboColumn")->currentText(), "0");
    QCOMPARE(run.find<QComboBox>("cboScreen")->currentText(), "1");
    QCOMPARE(run.find<QComboBox>("cboColumn")->count(), 16);
    QCOMPARE(run.find<QComboBox>("cboScreen")->itemText(9), "10");

    QCOMPARE(run.takeWrites(), sent);
    QCOMPARE(run.wire(int(sent.join().size())), sent.join());
    QCOMPARE(run.boxes.count(), 0);
}

void tst_frmMainStartup::firstRunWithoutFile()
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

void tst_frmMainStartup::portThatCannotBeOpened()
{
    MainWindowHarness run;
    run.ini.setContents(
        "[Settings]\nCommPort=2\nSetting=9600,n,8,1\n[Backlight]\nLevel=128\nAutoOff=0\n");
    run.ini.mapPort(2, QStringLiteral("/nonexistent/vantor-board"));
    run.start();

    QVERIFY(!run.port->PortOpen());
    QVERIFY(run.find<QAction>("mnuPort2")->isChecked());
    // One warning for each start-up send: SetAutoOff 0 and SetBrightness 128.
    QCOMPARE(run.boxes.texts(), QStringList({"Port Not Open", "Port Not Open"}));
    QCOMPARE(run.boxes.boxes().at(0).icon, QMessageBox::Warning);
    QCOMPARE(run.find<QSlider>("BacklightLevel")->value(), 128);

    // The window stays usable: each send warns again.
    run.boxes.clear();
    run.click("cmdClearLCD");
    QCOMPARE(run.boxes.texts(), QStringList({"Port Not Open"}));
    QCOMPARE(run.writes->count(), 0);
}

void tst_frmMainStartup::closingWritesTheThreeEntries()
{
    MainWindowHarness run;
    run.settings(
        "[Settings]\nCommPort=1\nSetting=19200,n,8,1\n[Backlight]\nLevel=77\nAutoOff=45\n");
    run.start();
    QTest::keyClick(run.find<QAbstractButton>("optBLON"), Qt::Key_Space);
    QTest::keyClick(run.find<QSlider>("BacklightLevel"), Qt::Key_PageUp);
    run.window->close();

    QVERIFY(!run.port->PortOpen());
    QCOMPARE(ReadIniValue("Backlight", "Level"), "82");
    QCOMPARE(ReadIniValue("Settings", "CommPort"), "1");
    QCOMPARE(ReadIniValue("Settings", "Setting"), "19200,n,8,1");
    QCOMPARE(ReadIniValue("Backlight", "AutoOff"), "45"); // not the main window's to write
}

void tst_frmMainStartup::closingSavesChosenPortAndSpeed()
{
    MainWindowHarness run;
    run.settings("[Settings]\nCommPort=2\nSetting=19200,n,8,1\n", 4);
    run.start();
    run.find<QAction>("mnuPort4")->trigger();
    run.find<QAction>("mnuBaudRate0")->trigger();
    QVERIFY(run.port->PortOpen());
    QCOMPARE(run.boxes.count(), 0);
    run.window->close();

    QCOMPARE(ReadIniValue("Settings", "CommPort"), "4");
    QCOMPARE(ReadIniValue("Settings", "Setting"), "9600,n,8,1");
}

QTEST_MAIN(tst_frmMainStartup)
#include "tst_frmmain_startup.moc"
