// The scrolling-text window through its widgets, writing to a pseudo-terminal.
#include "link/modvariables.h"
#include "support/toolwindowharness.h"
#include "ui/tools/frmscroll.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

using Writes = QList<QByteArray>;

class tst_frmScroll : public QObject
{
    Q_OBJECT
    std::unique_ptr<ToolWindowHarness> run;
    frmScroll *window = nullptr;

private slots:
    void init()
    {
        run = std::make_unique<ToolWindowHarness>();
        window = &run->window<frmScroll>();
    }

    void cleanup() { run.reset(); }

    // "Scroll" writes the head with text 1, then text 2 with the end mark; "CLEAR"
    // writes 0D alone, whatever the texts.
    void buttonWrites_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<bool>("rightToLeft");
        QTest::addColumn<Writes>("expected");

        const QString x40(40, 'x');
        const QByteArray bytes40 = x40.toLatin1();
        QTest::newRow("left to right") << "cmdScroll" << QStringList{"ABC", ""} << false
                                       << Writes{hex("FED3 414243 0D"), hex("FF")};
        QTest::newRow("right to left, text 1 empty") << "cmdScroll" << QStringList{"", "HI"} << true
                                                     << Writes{hex("FED4 0D"), hex("4849 FF")};
        QTest::newRow("text 1 of 39 ends with 0D, text 2 of 40")
            << "cmdScroll" << QStringList{x40.left(39), x40} << false
            << Writes{hex("FED3") + bytes40.left(39) + '\r', bytes40 + '\xFF'};
        QTest::newRow("text 1 of 40: no 0D") << "cmdScroll" << QStringList{x40, "Z"} << false
                                             << Writes{hex("FED3") + bytes40, hex("5A FF")};
        QTest::newRow("one byte per character")
            << "cmdScroll" << QStringList{QString::fromUtf8("café"), QString::fromUtf8("ü")}
            << false << Writes{hex("FED3 636166E9 0D"), hex("FC FF")};
        QTest::newRow("CLEAR") << "cmdclrScroll" << QStringList{"ABC", "DEF"} << true
                               << Writes{hex("0D")};
    }

    void buttonWrites()
    {
        QFETCH(QString, button);
        QFETCH(QStringList, texts);
        QFETCH(bool, rightToLeft);
        QFETCH(Writes, expected);
        QVERIFY(run->openPort());
        window->open();

        run->type("Text1", texts[0]);
        run->type("Text2", texts[1]);
        if (rightToLeft)
            run->click("optRtoL");
        run->click(button);

        QCOMPARE(run->writes.all(), expected);
        QCOMPARE(run->wire(expected.join().size()), expected.join());
        QCOMPARE(run->boxes.count(), 0);
    }

    void closedPortWarnsPerWriteAndCloses_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("warnings");
        QTest::addColumn<QByteArray>("lastBuilt");
        QTest::newRow("Scroll") << "cmdScroll" << 2 << QByteArray("two\xFF");
        QTest::newRow("CLEAR") << "cmdclrScroll" << 1 << hex("0D");
    }

    void closedPortWarnsPerWriteAndCloses()
    {
        QFETCH(QString, button);
        QFETCH(int, warnings);
        QFETCH(QByteArray, lastBuilt);
        window->open();
        run->type("Text1", "one");
        run->type("Text2", "two");

        run->click(button);
        QCOMPARE(run->shownBoxes(), QStringList(warnings, "warning: Port Not Open"));
        QVERIFY(!window->isVisible());
        QVERIFY(!window->isLoaded());
        // The handler ran to its end with the texts the window held.
        QCOMPARE(strCommand, lastBuilt);
        QCOMPARE(run->writes.count(), 0);
        QVERIFY(run->wire(0).isEmpty());
    }

    void frontKeepsTextsReopeningStartsEmpty()
    {
        QVERIFY(run->openPort());
        window->open();
        run->type("Text1", "one");
        run->type("Text2", "two");
        run->click("optRtoL");

        window->open(); // brought to the front: nothing changes
        QCOMPARE(run->find<QLineEdit>("Text1")->text(), "one");
        QVERIFY(run->find<QRadioButton>("optRtoL")->isChecked());

        window->close();
        window->open();
        QVERIFY(window->isVisible());
        QVERIFY(run->find<QLineEdit>("Text1")->text().isEmpty());
        QVERIFY(run->find<QLineEdit>("Text2")->text().isEmpty());
        QVERIFY(run->find<QRadioButton>("optLtR")->isChecked());
        QCOMPARE(run->writes.count(), 0); // opening and closing send nothing
    }

    void textBoxesTakeFortyPlainCharacters()
    {
        window->open();
        for (const char *name : {"Text1", "Text2"}) {
            // No two-byte character, and no end-of-text byte inside a text.
            run->type(name, QString::fromUtf8("A€ÿé") + QString(50, 'b'));
            QCOMPARE(run->find<QLineEdit>(name)->text(),
                     QString::fromUtf8("Aé") + QString(38, 'b'));
        }
    }
};

QTEST_MAIN(tst_frmScroll)
#include "tst_frmscroll.moc"
