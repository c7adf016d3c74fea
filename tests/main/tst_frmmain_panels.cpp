// The text, cursor, screen, backlight and output controls: the bytes each
// sends, in how many writes, and what bad picker text does.

#include "mainwindowharness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>

namespace {

const QByteArray PortOnCom1 =
    "[Settings]\nCommPort=1\nSetting=9600,n,8,1\n[Backlight]\nLevel=50\nAutoOff=30\n";

void typeInto(QComboBox *box, const QString &text)
{
    box->lineEdit()->clear();
    QTest::keyClicks(box->lineEdit(), text);
}

} // namespace

class tst_frmMainPanels : public QObject
{
    Q_OBJECT

private slots:
    void buttonSends_data();
    void buttonSends();
    void sendTwoLines_data();
    void sendTwoLines();
    void textBoxesTakeSixteenWireCharacters();
    void pickerText_data();
    void pickerText();
    void saveAsksFirst_data();
    void saveAsksFirst();
    void portClosedWarnsForEachWrite();
    void backlightOptionsEnableSlider();
    void sliderKeysAndEnds_data();
    void sliderKeysAndEnds();
    void sliderDragSendsOnceOnRelease();
    void disableAutoOff_data();
    void disableAutoOff();
    void unusableAutoOffSendsNothing();
    void outputsMask();
    void keyboardActivatesButtons_data();
    void keyboardActivatesButtons();
};

// Controls that send one fixed command with the pickers as start-up left them.
void tst_frmMainPanels::buttonSends_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("Clear LCD") << "cmdClearLCD" << hex("0D");
    QTest::newRow("Underlined Cursor") << "optCursor1" << hex("FE01");
    QTest::newRow("Block Blinking Cursor") << "optCursor2" << hex("FE02");
    QTest::newRow("Hide Cursor") << "optCursor3" << hex("FE03");
    QTest::newRow("Set Cursor Position") << "cmdSetCursor" << hex("FE320000");
    QTest::newRow("Delete Row") << "cmdClrRow" << hex("FE2D00");
    QTest::newRow("Delete Column") << "cmdClrCol" << hex("FE2E00");
    QTest::newRow("Show") << "cmdShow" << hex("FE2A01");
    QTest::newRow("Set Outputs, none checked") << "cmdOutput" << hex("FE2F00");
    QTest::newRow("Turn On Backlight") << "optBLON" << hex("FE06");
    QTest::newRow("Turn Off Backlight") << "optBLOFF" << hex("FE07");
}

void tst_frmMainPanels::buttonSends()
{
    QFETCH(QString, control);
    QFETCH(QByteArray, bytes);
    MainWindowHarness run;
    run.settings(PortOnCom1);
    run.start();

    run.click(control);
    QCOMPARE(run.takeWrites(), QList<QByteArray>{bytes});
    QCOMPARE(run.wire(int(bytes.size())), bytes);
    QCOMPARE(run.boxes.count(), 0);
}

void tst_frmMainPanels::sendTwoLines_data()
{
    QTest::addColumn<QString>("line1");
    QTest::addColumn<QString>("line2");
    QTest::addColumn<QList<QByteArray>>("writes");
    QTest::newRow("short line 1") << "HELLO"
                                  << "WORLD"
                                  << QList<QByteArray>{hex("48454C4C4F0C"), hex("574F524C44")};
    QTest::newRow("full line 1") << "ABCDEFGHIJKLMNOP"
                                 << "x" << QList<QByteArray>{"ABCDEFGHIJKLMNOP", "x"};
    QTest::newRow("both empty") << ""
                                << "" << QList<QByteArray>{hex("0C"), QByteArray()};
    QTest::newRow("Latin-1, one byte each")
        << QString::fromUtf8("Grüße °C") << ""
        << QList<QByteArray>{hex("4772FC DF6520 B0 43 0C"), QByteArray()};
}

void tst_frmMainPanels::sendTwoLines()
{
    QFETCH(QString, line1);
    QFETCH(QString, line2);
    QFETCH(QList<QByteArray>, writes);
    MainWindowHarness run;
    run.settings(PortOnCom1);
    run.start();

    typeText(run.find<QLineEdit>("txtLine1"), line1);
    typeText(run.find<QLineEdit>("txtLine2"), line2);
    run.click("cmdSendAscii");
    QCOMPARE(run.takeWrites(), writes);
    QCOMPARE(run.wire(int(writes.join().size())), writes.join());
    // The texts stay for sending again.
    QCOMPARE(run.find<QLineEdit>("txtLine1")->text(), line1);
}

void tst_frmMainPanels::textBoxesTakeSixteenWireCharacters()
{
    MainWindowHarness run;
    run.settings(PortOnCom1);
    run.start();
    auto *line = run.find<QLineEdit>("txtLine1");
    typeText(line, QString::fromUtf8("0123456789€ABCDEFGH"));
    QCOMPARE(line->text(), "0123456789ABCDEF"); // no euro sign, nothing past 16
}

void tst_frmMainPanels::pickerText_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("picker");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("bytes"); // empty: nothing may be sent
    QTest::addColumn<QString>("message");

    const QString rowMessage = "Row must be a number from 0 to 255. Nothing was sent.";
    QTest::newRow("row 1.5 rounds to 2") << "cmdClrRow"
                                         << "cboRow"
                                         << "1.5" << hex("FE2D02") << "";
    QTest::newRow("row 2.5 rounds to 2") << "cmdClrRow"
                                         << "cboRow"
                                         << "2.5" << hex("FE2D02") << "";
    QTest::newRow("row 5 goes out unchanged") << "cmdClrRow"
                                              << "cboRow"
                                              << " 5 " << hex("FE2D05") << "";
    QTest::newRow("screen 10") << "cmdShow"
                               << "cboScreen"
                               << "10" << hex("FE2A0A") << "";
    QTest::newRow("set cursor row 1") << "cmdSetCursor"
                                      << "cboRow"
                                      << "1" << hex("FE320100") << "";
    QTest::newRow("row not a number") << "cmdClrRow"
                                      << "cboRow"
                                      << "top" << QByteArray() << rowMessage;
    QTest::newRow("row empty") << "cmdSetCursor"
                               << "cboRow"
                               << "" << QByteArray() << rowMessage;
    QTest::newRow("row 256") << "cmdSetCursor"
                             << "cboRow"
                             << "256" << QByteArray() << rowMessage;
    QTest::newRow("column -1") << "cmdSetCursor"
                               << "cboColumn"
                               << "-1" << QByteArray()
                               << "Column must be a number from 0 to 255. Nothing was sent.";
    QTest::newRow("screen 1e3") << "cmdShow"
                                << "cboScreen"
                                << "1e3" << QByteArray()
                                << "Screen must be a number from 0 to 255. Nothing was sent.";
}

void tst_frmMainPanels::pickerText()
{
    QFETCH(QString, control);
    QFETCH(QString, picker);
    QFETCH(QString, typed);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    MainWindowHarness run;
    run.settings(PortOnCom1);
    run.start();

    typeInto(run.find<QComboBox>(picker), typed);
    run.click(control);
    if (bytes.isEmpty()) {
        QCOMPARE(run.takeWrites(), QList<QByteArray>{});
        QCOMPARE(run.stray(), QByteArray());
        QCOMPARE(run.boxes.texts(), QStringList{message});
        QCOMPARE(run.boxes.boxes().at(0).icon, QMessageBox::Warning);
    } else {
        QCOMPARE(run.takeWrites(), QList<QByteArray>{bytes});
        QCOMPARE(run.wire(int(bytes.size())), bytes);
        QCOMPARE(run.boxes.count(), 0);
    }
}

void tst_frmMainPanels::saveAsksFirst_data()
{
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<QList<QByteArray>>("writes");
    QTest::newRow("Yes") << QMessageBox::Yes << QList<QByteArray>{hex("FE20")};
    QTest::newRow("No") << QMessageBox::No << QList<QByteArray>{};
}

void tst_frmMainPanels::saveAsksFirst()
{
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(QList<QByteArray>, writes);
    MainWindowHarness run;
    run.settings(PortOnCom1);
    run.start();

    run.boxes.answer(answer);
    run.click("cmdSave");
    QCOMPARE(run.boxes.count(), 1);
    const MsgBoxRequest &box = run.boxes.boxes().at(0);
    QCOMPARE(box.text, "Overwrites previous settings");
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.defaultButton, QMessageBox::Yes);
    QCOMPARE(run.takeWrites(), writes);
}

void tst_frmMainPanels::portClosedWarnsForEachWrite()
{
    MainWindowHarness run;
    run.ini.setContents(PortOnCom1);
    run.ini.mapPort(1, QStringLiteral("/nonexistent/vantor-board"));
    run.start();

    run.click("cmdSendAscii");
    QCOMPARE(run.boxes.texts(), QStringList({"Port Not Open", "Port Not Open"}));
    run.boxes.clear();
    run.click("optBLOFF");
    QCOMPARE(run.boxes.texts(), QStringList({"Port Not Open"}));
    QVERIFY(run.find<QSlider>("BacklightLevel")->isEnabled());
    QCOMPARE(run.writes->count(), 0);
}

void tst_frmMainPanels::backlightOptionsEnableSlider()
{
    MainWindowHarness run;
    run.settings(PortOnCom1);
    run.start();
    auto *slider = run.find<QSlider>("BacklightLevel");
    QVERIFY(!slider->isEnabled());
    run.click("optBLOFF");
    QVERIFY(slider->isEnabled());
    run.click("optBLON");
    run.click("optBLOFF");
    QVERIFY(slider->isEnabled());
    QCOMPARE(run.takeWrites(), QList<QByteArray>({hex("FE07"), hex("FE06"), hex("FE07")}));
}

void tst_frmMainPanels::sliderKeysAndEnds_data()
{
    QTest::addColumn<QList<Qt::Key>>("keys");
    QTest::addColumn<QList<QByteArray>>("writes");
    QTest::newRow("End, Home") << QList<Qt::Key>{Qt::Key_End, Qt::Key_Home}
                               << QList<QByteArray>{hex("FE28FA"), hex("FE2832")};
    QTest::newRow("arrows by 1, page by 5")
        << QList<Qt::Key>{Qt::Key_Right, Qt::Key_PageUp, Qt::Key_Left}
        << QList<QByteArray>{hex("FE2833"), hex("FE2838"), hex("FE2837")};
    QTest::newRow("nothing past the end")
        << QList<Qt::Key>{Qt::Key_End, Qt::Key_Right, Qt::Key_PageUp}
        << QList<QByteArray>{hex("FE28FA")};
    QTest::newRow("nothing below 50")
        << QList<Qt::Key>{Qt::Key_Left, Qt::Key_Home} << QList<QByteArray>{};
}

void tst_frmMainPanels::sliderKeysAndEnds()
{
    QFETCH(QList<Qt::Key>, keys);
    QFETCH(QList<QByteArray>, writes);
    MainWindowHarness run;
    run.settings(PortOnCom1);
    run.start();
    run.click("optBLON");
    run.takeWrites();
    run.wire(2);

    auto *slider = run.find<QSlider>("BacklightLevel");
    for (Qt::Key key : keys)
        QTest::keyClick(slider, key);
    QCOMPARE(run.takeWrites(), writes);
    QCOMPARE(run.wire(int(writes.join().size())), writes.join());
}

void tst_frmMainPanels::sliderDragSendsOnceOnRelease()
{
    MainWindowHarness run;
    run.settings(PortOnCom1);
    run.start();
    run.click("optBLON");
    run.takeWrites();

    auto *slider = run.find<QSlider>("BacklightLevel");
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = Qt::Horizontal;
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = option.sliderValue = slider->value();
    const QPoint thumb =
        slider->style()
            ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider)
            .center();
    QTest::mousePress(slider, Qt::LeftButton, {}, thumb);
    for (int dx = 10; dx <= 80; dx += 10)
        QTest::mouseMove(slider, thumb + QPoint(dx, 0));
    QCOMPARE(run.writes->count(), 0);
    QTest::mouseRelease(slider, Qt::LeftButton, {}, thumb + QPoint(80, 0));

    const QList<QByteArray> writes = run.takeWrites();
    QCOMPARE(writes.size(), 1);
    QCOMPARE(writes.at(0).left(2), hex("FE28"));
    QCOMPARE(quint8(writes.at(0).at(2)), quint8(slider->value()));
    QVERIFY(slider->value() > 50);
}

void tst_frmMainPanels::disableAutoOff_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("startsChecked");
    QTest::addColumn<QList<QByteArray>>("writes"); // after start-up: two clicks
    QTest::newRow("30") << "30" << false << QList<QByteArray>{hex("FE2900"), hex("FE291E")};
    QTest::newRow("0") << "0" << true << QList<QByteArray>{hex("FE2900"), hex("FE2900")};
    QTest::newRow("29.5 rounds to 30")
        << "29.5" << false << QList<QByteArray>{hex("FE2900"), hex("FE291E")};
}

void tst_frmMainPanels::disableAutoOff()
{
    QFETCH(QString, stored);
    QFETCH(bool, startsChecked);
    QFETCH(QList<QByteArray>, writes);
    MainWindowHarness run;
    run.settings("[Settings]\nCommPort=1\nSetting=9600,n,8,1\n[Backlight]\nLevel=50\nAutoOff=" +
                 stored.toLatin1() + "\n");
    run.start();
    auto *box = run.find<QCheckBox>("Check1");
    QCOMPARE(box->isChecked(), startsChecked);
    run.takeWrites();

    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_Space);
    QCOMPARE(box->isChecked(), startsChecked);
    QCOMPARE(run.takeWrites(), writes);
}

void tst_frmMainPanels::unusableAutoOffSendsNothing()
{
    MainWindowHarness run;
    run.settings(
        "[Settings]\nCommPort=1\nSetting=9600,n,8,1\n[Backlight]\nLevel=50\nAutoOff=300\n");
    run.start();
    auto *box = run.find<QCheckBox>("Check1");
    QVERIFY(!box->isChecked());

    QTest::mouseClick(box, Qt::LeftButton);
    QCOMPARE(run.writes->count(), 0);
    QCOMPARE(run.boxes.count(), 1);
    QVERIFY(run.boxes.texts().at(0).contains("Auto Off"));
    QVERIFY(run.boxes.texts().at(0).contains("0 to 255"));
    QCOMPARE(run.stray(), QByteArray());
}

void tst_frmMainPanels::outputsMask()
{
    MainWindowHarness run;
    run.settings(PortOnCom1);
    run.start();

    run.click("Out1");
    run.click("Out4");
    QCOMPARE(run.writes->count(), 0); // the boxes alone send nothing
    run.click("cmdOutput");
    run.click("Out4");
    run.click("cmdOutput");
    QTest::keyClick(run.find<QAbstractButton>("Out2"), Qt::Key_Space);
    run.click("cmdOutput");
    QCOMPARE(run.takeWrites(), QList<QByteArray>({hex("FE2F05"), hex("FE2F01"), hex("FE2F03")}));
    QCOMPARE(run.wire(9), hex("FE2F05FE2F01FE2F03"));
}

void tst_frmMainPanels::keyboardActivatesButtons_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Space") << Qt::Key_Space;
    QTest::newRow("Enter") << Qt::Key_Return;
}

void tst_frmMainPanels::keyboardActivatesButtons()
{
    QFETCH(Qt::Key, key);
    MainWindowHarness run;
    run.settings(PortOnCom1);
    run.start();
    auto *button = run.find<QAbstractButton>("cmdClearLCD");
    button->setFocus();
    QTest::keyClick(button, key);
    QCOMPARE(run.takeWrites(), QList<QByteArray>{hex("0D")});
}

QTEST_MAIN(tst_frmMainPanels)
#include "tst_frmmain_panels.moc"
