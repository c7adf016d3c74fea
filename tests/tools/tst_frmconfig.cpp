// The configuration window through its widgets, writing to a pseudo-terminal.
#include "link/modini.h"
#include "link/modvariables.h"
#include "link/serialsettings.h"
#include "support/toolwindowharness.h"
#include "ui/tools/frmconfig.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QtTest>

using Writes = QList<QByteArray>;

class tst_frmConfig : public QObject
{
    Q_OBJECT
    std::unique_ptr<ToolWindowHarness> run;
    frmConfig *window = nullptr;

    void fill(const QString &interval, const QString &line1, const QString &line2) const
    {
        run->type("cboAuto", interval);
        run->type("txtLine1", line1);
        run->type("txtLine2", line2);
    }

private slots:
    // As the main window leaves things: interval 30, 9600 bps, the port open.
    void init()
    {
        run = std::make_unique<ToolWindowHarness>();
        strAutoOff = QStringLiteral("30");
        strCommSettings = Settings9600;
        QVERIFY(run->openPort());
        window = &run->window<frmConfig>();
    }

    void cleanup() { run.reset(); }

    // Five writes: interval, start of screen 0, its two lines, the board's speed.
    // An interval that is no byte warns and sends nothing; the window stays open.
    void sendsFiveWrites_data()
    {
        QTest::addColumn<QStringList>("typed"); // interval, line 1, line 2
        QTest::addColumn<bool>("at19200");
        QTest::addColumn<Writes>("expected");

        dataRow("full line 1 gets no mark, zero interval",
                QStringList{"0", "ABCDEFGHIJKLMNOP", "x"}, false,
                Writes{hex("FE2900"), hex("FEC8"), "ABCDEFGHIJKLMNOP", "x\xFF", hex("FE1E")});
        dataRow("both lines empty at 19200", QStringList{"255", "", ""}, true,
                Writes{hex("FE29FF"), hex("FEC8"), "\r", "\xFF", hex("FE1F")});
        dataRow("half rounds to even, blanks kept", QStringList{" 2.5 ", " a ", "b  "}, true,
                Writes{hex("FE2902"), hex("FEC8"), " a \r", "b  \xFF", hex("FE1F")});
        dataRow("short Latin-1 line 1 ends with 0D",
                QStringList{"30", QString::fromUtf8("Grüße"), QString::fromUtf8("café")}, false,
                Writes{hex("FE291E"), hex("FEC8"), hex("4772FCDF650D"), hex("636166E9FF"),
                       hex("FE1E")});
        dataRow("interval a word", QStringList{"soon", "a", "b"}, false, Writes{});
        dataRow("interval above 255", QStringList{"256", "a", "b"}, false, Writes{});
    }

    void sendsFiveWrites()
    {
        QFETCH(QStringList, typed);
        QFETCH(bool, at19200);
        QFETCH(Writes, expected);

        window->open();
        fill(typed[0], typed[1], typed[2]);
        run->click(at19200 ? "opt19200" : "opt9600");
        run->click("cmdSetLCD");

        QCOMPARE(run->writes.all(), expected);
        QCOMPARE(run->wire(expected.join().size()), expected.join());
        const QStringList refusal{
            "warning: Interval (seconds) must be a whole number from 0 to 255."};
        QCOMPARE(run->shownBoxes(), expected.isEmpty() ? refusal : QStringList());
        QVERIFY(window->isVisible());
    }

    void loadingSelectsSpeedOption_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<bool>("is9600");
        QTest::newRow("9600") << Settings9600 << true;
        QTest::newRow("other text: 19200") << "4800,n,8,1" << false;
        QTest::newRow("9600 with a blank") << "9600,n,8,1 " << false;
    }

    void loadingSelectsSpeedOption()
    {
        QFETCH(QString, settings);
        QFETCH(bool, is9600);

        // An earlier opening leaves "19200 bps" selected; the loading must set
        // strCommSettings also when the option it selects is selected already.
        strCommSettings = Settings19200;
        window->open();
        window->close();

        strCommSettings = settings;
        window->open();
        QCOMPARE(run->find<QRadioButton>("opt9600")->isChecked(), is9600);
        QCOMPARE(run->find<QRadioButton>("opt19200")->isChecked(), !is9600);
        QCOMPARE(strCommSettings, is9600 ? Settings9600 : Settings19200);
        QCOMPARE(run->writes.count(), 0);
    }

    // The options set the settings text and send nothing; the click sends the
    // speed command of the text as it is then, whoever set it.
    void optionsSetSettingsTheClickReads()
    {
        window->open();
        run->click("opt19200");
        QCOMPARE(strCommSettings, Settings19200);
        window->close();
        QCOMPARE(strCommSettings, Settings19200);
        QCOMPARE(ReadIniValue("Settings", "Setting"), QString());

        window->open();
        run->click("opt9600");
        QCOMPARE(strCommSettings, Settings9600);
        QCOMPARE(run->writes.count(), 0);
        QCOMPARE(run->port.Settings(), Settings9600); // the computer's port keeps its speed

        strCommSettings = Settings19200; // the main window's speed menu
        run->click("cmdSetLCD");
        QCOMPARE(run->writes.count(), 5);
        QCOMPARE(run->writes.all().last(), hex("FE1F"));
    }

    void savesAtEveryKindOfClosing_data()
    {
        QTest::addColumn<QString>("closing");
        QTest::newRow("close box") << "close box";
        QTest::newRow("window destroyed while open") << "destroyed";
    }

    void savesAtEveryKindOfClosing()
    {
        QFETCH(QString, closing);

        window->open();
        fill("45", "ONE", "TWO");
        if (closing == "close box")
            window->close();
        else
            run->tool.reset();

        // A file without start-up entries gets them under the mixed-case keys.
        const QByteArray file = run->ini.contents();
        QVERIFY(file.contains("[Startup]"));
        QVERIFY(file.contains("Line1=ONE"));
        QVERIFY(file.contains("Line2=TWO"));
        QCOMPARE(ReadIniValue("Backlight", "AutoOff"), "45");
        QCOMPARE(strAutoOff, "30");
    }

    // The refused write closes the window, which saves once; the rest of the click goes on.
    void closedPortWarnsFiveTimesAndSavesOnce()
    {
        run->port.setPortOpen(false);
        window->open();
        fill("12", "left", "behind");
        bool closedAfterFirst = false;
        run->boxes.whileShown([&](const MsgBoxRequest &) {
            if (run->boxes.count() != 2)
                return;
            closedAfterFirst = !window->isVisible() && !window->isLoaded();
            // A second saving would overwrite this.
            WriteIniValue("Startup", "Line1", "marker");
        });
        run->click("cmdSetLCD");

        QCOMPARE(run->shownBoxes(), QStringList(5, "warning: Port Not Open"));
        QVERIFY(closedAfterFirst);
        QVERIFY(!window->isVisible());
        QVERIFY(!window->isLoaded());
        QCOMPARE(ReadIniValue("Startup", "Line1"), "marker");
        QCOMPARE(ReadIniValue("Startup", "Line2"), "behind");
        QCOMPARE(ReadIniValue("Backlight", "AutoOff"), "12");
        QCOMPARE(run->writes.count(), 0);
        QVERIFY(run->wire(0).isEmpty());
    }

    // Each opening shows the interval this window saved last (the first, the
    // start-up value) and the start-up lines as the file has them now.
    void reopeningShowsIntervalSavedLast()
    {
        WriteIniValue("Backlight", "AutoOff", "99");
        window->open();
        QCOMPARE(run->find<QComboBox>("cboAuto")->currentText(), "30");
        run->type("cboAuto", "45");
        run->type("txtLine1", "typed");

        // Opening again while shown changes nothing.
        window->open();
        QCOMPARE(run->find<QLineEdit>("txtLine1")->text(), "typed");
        window->close();

        WriteIniValue("Startup", "Line1", "ABCDEFGHIJKLMNOPQRST");
        window->open();
        QCOMPARE(run->find<QComboBox>("cboAuto")->currentText(), "45");
        QCOMPARE(run->find<QLineEdit>("txtLine1")->text(), "ABCDEFGHIJKLMNOP"); // cut to the line
        window->close();
        QCOMPARE(ReadIniValue("Backlight", "AutoOff"), "45");
        QCOMPARE(strAutoOff, "30");
    }

    // A stored line goes into its box as its first 16 characters without those
    // a definition cannot carry, a warning names the key, and the click sends
    // the rest: custom characters and glyphs as they stand.
    void storedLinesLoseUnsendableBytes_data()
    {
        QTest::addColumn<QByteArray>("stored"); // the [Startup] section's lines
        QTest::addColumn<QString>("line1");
        QTest::addColumn<QString>("line2");
        QTest::addColumn<QStringList>("keysWarned");

        dataRow("end mark and prefix in line 1",
                QByteArray("Line1=AB\xFF\xFE\x2F\x07"
                           "CD\nLine2=ok\n"),
                QString::fromLatin1("AB/\x07"
                                    "CD"),
                "ok", QStringList{"Startup/Line1"});
        dataRow("cut to 16 first: nothing slides in; end mark in line 2",
                QByteArray("Line1=\xFE"
                           "ABCDEFGHIJKLMNOPQ\nLine2=\x7F\xFF\x9F\n"),
                "ABCDEFGHIJKLMNO", QString::fromLatin1("\x7F\x9F"),
                QStringList{"Startup/Line1", "Startup/Line2"});
        dataRow("custom characters and glyphs load silently",
                QByteArray("Line1=~\xA0\x01\x07~\nLine2=\x80\xFD\n"),
                QString::fromLatin1("~\xA0\x01\x07~"), QString::fromLatin1("\x80\xFD"),
                QStringList());
    }

    void storedLinesLoseUnsendableBytes()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, line1);
        QFETCH(QString, line2);
        QFETCH(QStringList, keysWarned);
        run->ini.setContents("[Startup]\n" + stored);

        window->open();
        QCOMPARE(run->find<QLineEdit>("txtLine1")->text(), line1);
        QCOMPARE(run->find<QLineEdit>("txtLine2")->text(), line2);
        QCOMPARE(run->boxes.count(), keysWarned.size());
        for (int i = 0; i < keysWarned.size(); ++i) {
            QCOMPARE(run->boxes.boxes().at(i).icon, QMessageBox::Warning);
            QVERIFY(run->boxes.boxes().at(i).text.startsWith(keysWarned.at(i) + ' '));
        }

        run->click("cmdSetLCD");
        const QByteArray mark = line1.size() < 16 ? "\r" : "";
        const Writes expected{hex("FE291E"), hex("FEC8"), line1.toLatin1() + mark,
                              line2.toLatin1() + '\xFF', hex("FE1E")};
        QCOMPARE(run->writes.all(), expected);
        QCOMPARE(run->wire(expected.join().size()), expected.join());
    }

    void opensCentredAndKeepsItsLists()
    {
        window->open();
        const QPoint offCentre =
            window->frameGeometry().center() - window->screen()->availableGeometry().center();
        QVERIFY2(offCentre.manhattanLength() <= 2, "the window opens centred on the screen");
        for (const auto *captioned : window->findChildren<QWidget *>()) {
            if (qobject_cast<const QLabel *>(captioned)
                || qobject_cast<const QAbstractButton *>(captioned))
                QVERIFY2(captioned->width() >= captioned->sizeHint().width(), "no caption is cut");
        }

        // The list is "0" to "255" at every opening; typed text never joins it.
        auto *cboAuto = run->find<QComboBox>("cboAuto");
        run->type("cboAuto", "77");
        QTest::keyClick(cboAuto->lineEdit(), Qt::Key_Return);
        window->close();
        window->open();
        QCOMPARE(cboAuto->count(), 256);
        QCOMPARE(cboAuto->itemText(255), "255");

        // At most 16 characters, and only characters a definition carries.
        run->type("txtLine1", QString::fromUtf8("€1\u00fe2\u00ff345678901234567890"));
        QCOMPARE(run->find<QLineEdit>("txtLine1")->text(), "1234567890123456");
    }
};

QTEST_MAIN(tst_frmConfig)
#include "tst_frmconfig.moc"
