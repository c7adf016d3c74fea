// The bar-graph window through its widgets, writing to a pseudo-terminal.
#include "link/modvariables.h"
#include "support/toolwindowharness.h"
#include "ui/tools/frmgraph.h"

#include <QComboBox>
#include <QRadioButton>
#include <QtTest>

using Writes = QList<QByteArray>;

namespace {
const QByteArray GraphModeOn = hex("FE04");
const QByteArray GraphModeOff = hex("FE08");
} // namespace

class tst_frmGraph : public QObject
{
    Q_OBJECT
    std::unique_ptr<ToolWindowHarness> run;
    frmGraph *window = nullptr;

    QComboBox *picker(const char *name) const { return run->find<QComboBox>(name); }

private slots:
    void init()
    {
        run = std::make_unique<ToolWindowHarness>();
        window = &run->window<frmGraph>();
    }

    void cleanup() { run.reset(); }

    // Brought to the front it keeps what was typed; each new opening starts from
    // the same lists and defaults.
    void modeOnAtOpeningOffAtClosing()
    {
        QVERIFY(run->openPort());
        window->open();
        run->type("cboRow", "1");
        run->type("cboLength", "100");
        run->click("optRight");

        window->open();
        QCOMPARE(picker("cboLength")->currentText(), "100");
        QVERIFY(run->find<QRadioButton>("optRight")->isChecked());

        window->close();
        window->open();
        QCOMPARE(run->writes.all(), (Writes{GraphModeOn, GraphModeOff, GraphModeOn}));
        QCOMPARE(run->wire(6), GraphModeOn + GraphModeOff + GraphModeOn);
        QCOMPARE(run->boxes.count(), 0);
        QCOMPARE(picker("cboRow")->count(), 2);
        QCOMPARE(picker("cboColumn")->count(), 16);
        QCOMPARE(picker("cboLength")->count(), 80);
        QCOMPARE(picker("cboRow")->currentText(), "0");
        QCOMPARE(picker("cboColumn")->currentText(), "0");
        QCOMPARE(picker("cboLength")->currentText(), "1");
        QVERIFY(run->find<QRadioButton>("optLeft")->isChecked());
    }

    // All three texts are converted before the first write: bad text warns,
    // names its field and sends nothing, and the window stays open.
    void drawWritesCursorThenBar_data()
    {
        QTest::addColumn<QStringList>("typed"); // row, column, length; empty keeps the default
        QTest::addColumn<bool>("rightToLeft");
        QTest::addColumn<Writes>("expected");
        QTest::addColumn<QString>("refused"); // the field the warning names

        dataRow("defaults", QStringList{"", "", ""}, false, Writes{hex("FE320000"), hex("FE2B01")},
                "");
        dataRow("beyond the list, blanks, halves to even", QStringList{" 1 ", "2.5", "100"}, false,
                Writes{hex("FE320102"), hex("FE2B64")}, "");
        dataRow("byte range ends, right to left", QStringList{"255", "0", "0"}, true,
                Writes{hex("FE32FF00"), hex("FE2C00")}, "");
        dataRow("length letters", QStringList{"", "", "abc"}, false, Writes{}, "Length");
        dataRow("row negative", QStringList{"-1", "", ""}, false, Writes{}, "Row");
        dataRow("column 300", QStringList{"", "300", ""}, false, Writes{}, "Column");
    }

    void drawWritesCursorThenBar()
    {
        QFETCH(QStringList, typed);
        QFETCH(bool, rightToLeft);
        QFETCH(Writes, expected);
        QFETCH(QString, refused);
        QVERIFY(run->openPort());
        window->open();
        QCOMPARE(run->wire(2), GraphModeOn);

        const char *fields[] = {"cboRow", "cboColumn", "cboLength"};
        for (int i = 0; i < 3; ++i) {
            if (!typed[i].isEmpty())
                run->type(fields[i], typed[i]);
        }
        if (rightToLeft)
            run->click("optRight");
        run->click("cmdDraw");

        QCOMPARE(run->writes.all().mid(1), expected);
        QCOMPARE(run->wire(expected.join().size()), expected.join());
        const QString warning = "warning: %1 must be a whole number from 0 to 255.";
        QCOMPARE(run->shownBoxes(),
                 refused.isEmpty() ? QStringList() : QStringList{warning.arg(refused)});
        QVERIFY(window->isVisible());
    }

    // Graph mode on is refused and closes the window, whose graph mode off is
    // refused as well, at every opening, also once the window has been shown;
    // the next opening on an open port works as usual.
    void openingWithPortClosedWarnsTwice_data()
    {
        QTest::addColumn<bool>("shownBefore");
        QTest::newRow("first opening") << false;
        QTest::newRow("after an opening on the open port") << true;
    }

    void openingWithPortClosedWarnsTwice()
    {
        QFETCH(bool, shownBefore);
        if (shownBefore) {
            QVERIFY(run->openPort());
            window->open();
            window->close();
            QVERIFY(run->port.setPortOpen(false));
            run->writes.clear();
        }
        for (int opening = 1; opening <= 2; ++opening) {
            window->open();
            QCOMPARE(run->shownBoxes(), QStringList(2 * opening, "information: Port Not Open"));
            QVERIFY(!window->isVisible());
            QVERIFY(!window->isLoaded());
        }
        QCOMPARE(run->writes.count(), 0);

        QVERIFY(run->openPort());
        window->open();
        QVERIFY(window->isVisible());
        QCOMPARE(run->writes.all(), Writes{GraphModeOn});
        QCOMPARE(run->boxes.count(), 4);
    }

    // The cursor is refused, the closing's graph mode off is refused, and the bar,
    // built with the length and direction the window held, is refused.
    void drawWithPortClosedWarnsThreeTimes()
    {
        QVERIFY(run->openPort());
        window->open();
        run->type("cboLength", "80");
        run->click("optRight");
        QVERIFY(run->port.setPortOpen(false));

        run->click("cmdDraw");
        QCOMPARE(run->shownBoxes(), QStringList(3, "information: Port Not Open"));
        QVERIFY(!window->isVisible());
        QVERIFY(!window->isLoaded());
        QCOMPARE(run->writes.count(), 1);
        QCOMPARE(strCommand, hex("FE2C50"));
    }
};

QTEST_MAIN(tst_frmGraph)
#include "tst_frmgraph.moc"
