// The text, cursor, screen, backlight and output controls: the bytes each
// sends, in how many writes, and what bad picker text does.

#include "support/mainwindowharness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>

using Writes = QList<QByteArray>;

class tst_frmMainPanels : public QObject
{
    Q_OBJECT

private slots:
    // Controls that send one fixed command with the pickers as start-up left
    // them, clicked or, for a button with the focus, pressed with a key.
    void buttonSends_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<Qt::Key>("key"); // none: a mouse click
        QTest::addColumn<QByteArray>("bytes");
        dataRow("Clear LCD", "cmdClearLCD", Qt::Key_unknown, hex("0D"));
        dataRow("Clear LCD, Space", "cmdClearLCD", Qt::Key_Space, hex("0D"));
        dataRow("Clear LCD, Enter", "cmdClearLCD", Qt::Key_Return, hex("0D"));
        dataRow("Underlined Cursor", "optCursor1", Qt::Key_unknown, hex("FE01"));
        dataRow("Block Blinking Cursor", "optCursor2", Qt::Key_unknown, hex("FE02"));
        dataRow("Hide Cursor", "optCursor3", Qt::Key_unknown, hex("FE03"));
        dataRow("Set Cursor Position", "cmdSetCursor", Qt::Key_unknown, hex("FE320000"));
        dataRow("Delete Row", "cmdClrRow", Qt::Key_unknown, hex("FE2D00"));
        dataRow("Delete Column", "cmdClrCol", Qt::Key_unknown, hex("FE2E00"));
        dataRow("Show", "cmdShow", Qt::Key_unknown, hex("FE2A01"));
        dataRow("Set Outputs, none checked", "cmdOutput", Qt::Key_unknown, hex("FE2F00"));
    }

    void buttonSends()
    {
        QFETCH(QString, control);
        QFETCH(Qt::Key, key);
        QFETCH(QByteArray, bytes);
        StartedMainWindow run;

        auto *button = run.find<QAbstractButton>(control);
        if (key == Qt::Key_unknown) {
            QTest::mouseClick(button, Qt::LeftButton);
        } else {
            button->setFocus();
            QTest::keyClick(button, key);
        }
        QCOMPARE(run.takeWrites(), Writes{bytes});
        QCOMPARE(run.wire(int(bytes.size())), bytes);
        QCOMPARE(run.boxes.count(), 0);
    }

    void sendTwoLines_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<Writes>("writes");
        QTest::newRow("short Latin-1 line 1 ends with 0C")
            << QStringList{QString::fromUtf8("Grüße °C"), "WORLD"}
            << Writes{hex("4772FC DF6520 B0 43 0C"), "WORLD"};
        QTest::newRow("full line 1")
            << QStringList{"ABCDEFGHIJKLMNOP", "x"} << Writes{"ABCDEFGHIJKLMNOP", "x"};
        QTest::newRow("both empty") << QStringList{"", ""} << Writes{hex("0C"), QByteArray()};
    }

    void sendTwoLines()
    {
        QFETCH(QStringList, lines);
        QFETCH(Writes, writes);
        StartedMainWindow run;

        typeText(run.find<QLineEdit>("txtLine1"), lines[0]);
        typeText(run.find<QLineEdit>("txtLine2"), lines[1]);
        run.click("cmdSendAscii");
        QCOMPARE(run.takeWrites(), writes);
        QCOMPARE(run.wire(int(writes.join().size())), writes.join());
        // The texts stay for sending again.
        QCOMPARE(run.find<QLineEdit>("txtLine1")->text(), lines[0]);
    }

    void textBoxesTakeSixteenWireCharacters()
    {
        StartedMainWindow run;
        auto *line = run.find<QLineEdit>("txtLine1");
        typeText(line, QString::fromUtf8("0123456789€ABCDEFGH"));
        QCOMPARE(line->text(), "0123456789ABCDEF"); // no euro sign, nothing past 16
    }

    // Each picker's text is converted at the click; text that is no byte warns,
    // naming the picker, and sends nothing.
    void pickerText_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QStringList>("typed"); // picker, text
        QTest::addColumn<QByteArray>("bytes");  // empty: nothing may be sent
        QTest::addColumn<QString>("refused");   // the picker the warning names

        dataRow("row 1.5 rounds to 2", "cmdClrRow", QStringList{"cboRow", "1.5"}, hex("FE2D02"),
                QString());
        dataRow("screen 10", "cmdShow", QStringList{"cboScreen", "10"}, hex("FE2A0A"), QString());
        dataRow("set cursor row 1", "cmdSetCursor", QStringList{"cboRow", "1"}, hex("FE320100"),
                QString());
        dataRow("row not a number", "cmdClrRow", QStringList{"cboRow", "top"}, QByteArray(), "Row");
        dataRow("set cursor row 256", "cmdSetCursor", QStringList{"cboRow", "256"}, QByteArray(),
                "Row");
        dataRow("set cursor column -1", "cmdSetCursor", QStringList{"cboColumn", "-1"},
                QByteArray(), "Column");
        dataRow("screen 1e3", "cmdShow", QStringList{"cboScreen", "1e3"}, QByteArray(), "Screen");
    }

    void pickerText()
    {
        QFETCH(QString, control);
        QFETCH(QStringList, typed);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, refused);
        StartedMainWindow run;

        retype(run.find<QComboBox>(typed[0]), typed[1]);
        run.click(control);
        QCOMPARE(run.takeWrites(), bytes.isEmpty() ? Writes{} : Writes{bytes});
        QCOMPARE(bytes.isEmpty() ? run.stray() : run.wire(int(bytes.size())), bytes);
        if (refused.isEmpty()) {
            QCOMPARE(run.boxes.count(), 0);
        } else {
            QCOMPARE(run.boxes.texts(),
                     QStringList{refused + " must be a number from 0 to 255. Nothing was sent."});
            QCOMPARE(run.boxes.boxes().at(0).icon, QMessageBox::Warning);
        }
    }

    void saveAsksFirst_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<Writes>("writes");
        QTest::newRow("Yes") << QMessageBox::Yes << Writes{hex("FE20")};
        QTest::newRow("No") << QMessageBox::No << Writes{};
    }

    void saveAsksFirst()
    {
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(Writes, writes);
        StartedMainWindow run;

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

    void backlightOptionsEnableSlider()
    {
        StartedMainWindow run;
        auto *slider = run.find<QSlider>("BacklightLevel");
        QVERIFY(!slider->isEnabled());
        run.click("optBLOFF");
        QVERIFY(slider->isEnabled());
        run.click("optBLON");
        run.click("optBLOFF");
        QVERIFY(slider->isEnabled());
        QCOMPARE(run.takeWrites(), Writes({hex("FE07"), hex("FE06"), hex("FE07")}));
    }

    void sliderKeysAndEnds_data()
    {
        QTest::addColumn<QList<Qt::Key>>("keys");
        QTest::addColumn<Writes>("writes");
        QTest::newRow("End, Home")
            << QList<Qt::Key>{Qt::Key_End, Qt::Key_Home} << Writes{hex("FE28FA"), hex("FE2832")};
        QTest::newRow("arrows by 1, page by 5")
            << QList<Qt::Key>{Qt::Key_Right, Qt::Key_PageUp, Qt::Key_Left}
            << Writes{hex("FE2833"), hex("FE2838"), hex("FE2837")};
        QTest::newRow("nothing past the end")
            << QList<Qt::Key>{Qt::Key_End, Qt::Key_Right, Qt::Key_PageUp} << Writes{hex("FE28FA")};
        QTest::newRow("nothing below 50") << QList<Qt::Key>{Qt::Key_Left, Qt::Key_Home} << Writes{};
    }

    void sliderKeysAndEnds()
    {
        QFETCH(QList<Qt::Key>, keys);
        QFETCH(Writes, writes);
        StartedMainWindow run;
        run.click("optBLON");
        run.takeWrites();
        run.wire(2);

        auto *slider = run.find<QSlider>("BacklightLevel");
        for (Qt::Key key : keys)
            QTest::keyClick(slider, key);
        QCOMPARE(run.takeWrites(), writes);
        QCOMPARE(run.wire(int(writes.join().size())), writes.join());
    }

    void sliderDragSendsOnceOnRelease()
    {
        StartedMainWindow run;
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

        QVERIFY(slider->value() > 50);
        QCOMPARE(run.takeWrites(), Writes{hex("FE28") + char(slider->value())});
    }

    // A click and a Space on "Disable Auto Off": FE 29 00, then the stored
    // interval back; a stored interval that is no byte warns and sends nothing.
    void disableAutoOff_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("startsChecked");
        QTest::addColumn<Writes>("writes");
        QTest::addColumn<int>("refusals");
        QTest::newRow("30") << QByteArray("30") << false << Writes{hex("FE2900"), hex("FE291E")}
                            << 0;
        QTest::newRow("0") << QByteArray("0") << true << Writes{hex("FE2900"), hex("FE2900")} << 0;
        QTest::newRow("29.5 rounds to 30")
            << QByteArray("29.5") << false << Writes{hex("FE2900"), hex("FE291E")} << 0;
        QTest::newRow("300") << QByteArray("300") << false << Writes{} << 2;
    }

    void disableAutoOff()
    {
        QFETCH(QByteArray, stored);
        QFETCH(bool, startsChecked);
        QFETCH(Writes, writes);
        QFETCH(int, refusals);
        MainWindowHarness run;
        run.settings("[Settings]\nCommPort=1\nSetting=9600,n,8,1\n[Backlight]\nLevel=50\nAutoOff="
                     + stored + "\n");
        run.start();
        auto *box = run.find<QCheckBox>("Check1");
        QCOMPARE(box->isChecked(), startsChecked);
        run.takeWrites();

        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, Qt::Key_Space);
        QCOMPARE(box->isChecked(), startsChecked);
        QCOMPARE(run.takeWrites(), writes);
        const QString refusal = "The stored Auto Off interval \"" + stored
                                + "\" is not a number from 0 to 255. Nothing was sent.";
        QCOMPARE(run.boxes.texts(), QStringList(refusals, refusal));
    }

    void outputsMask()
    {
        StartedMainWindow run;

        run.click("Out1");
        run.click("Out4");
        QCOMPARE(run.writes->count(), 0); // the boxes alone send nothing
        run.click("cmdOutput");
        run.click("Out4");
        run.click("cmdOutput");
        QTest::keyClick(run.find<QAbstractButton>("Out2"), Qt::Key_Space);
        run.click("cmdOutput");
        QCOMPARE(run.takeWrites(), Writes({hex("FE2F05"), hex("FE2F01"), hex("FE2F03")}));
        QCOMPARE(run.wire(9), hex("FE2F05FE2F01FE2F03"));
    }
};

QTEST_MAIN(tst_frmMainPanels)
#include "tst_frmmain_panels.moc"
