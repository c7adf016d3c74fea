// Keys that stand for a click: Escape closes a tool window by the same steps
// as its title bar's close button, and Enter in a "Send ASCII Text" box
// presses "Send".

#include "support/mainwindowharness.h"
#include "ui/toolwindow.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>

class tst_frmMainKeys : public QObject
{
    Q_OBJECT

private slots:
    void escapeClosesToolWindow_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QByteArray>("opening"); // what its opening sends
        QTest::addColumn<QByteArray>("closing"); // what its closing sends
        QTest::addColumn<bool>("savesStartup");  // its closing writes [Startup]
        dataRow("Configure LCD", "mnuConfig", QByteArray(), QByteArray(), true);
        dataRow("Screens Definitions", "mnuScreen", QByteArray(), QByteArray(), false);
        dataRow("Custom Characters", "mnuCustom", QByteArray(), QByteArray(), false);
        dataRow("Scrolling Text", "mnuScroll", QByteArray(), QByteArray(), false);
        dataRow("Graph", "mnuGraph", hex("FE04"), hex("FE08"), false);
        dataRow("Show Traffic...", "mnuTraffic", QByteArray(), QByteArray(), false);
    }

    // Escape goes to the control that has the focus, as the operator's key
    // does, and reaches the window when that control has no use for it.
    void escapeClosesToolWindow()
    {
        QFETCH(QString, entry);
        QFETCH(QByteArray, opening);
        QFETCH(QByteArray, closing);
        QFETCH(bool, savesStartup);
        StartedMainWindow run;
        run.find<QAction>(entry)->trigger();
        auto *tool = run.window->findChild<ToolWindow *>();
        QVERIFY(QTest::qWaitForWindowActive(tool));
        run.takeWrites();

        QWidget *focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : tool, Qt::Key_Escape);
        QVERIFY(!tool->isVisible());
        QVERIFY(!tool->isLoaded());
        QCOMPARE(run.takeWrites().join(), closing);
        QCOMPARE(run.wire(int(opening.size() + closing.size())), opening + closing);
        QCOMPARE(run.ini.contents().contains("[Startup]"), savesStartup);
        QCOMPARE(run.boxes.count(), 0);
    }

    void enterPressesSend_data()
    {
        QTest::addColumn<QString>("box");
        dataRow("Enter in line 1", "txtLine1");
        dataRow("Enter in line 2", "txtLine2");
    }

    void enterPressesSend()
    {
        QFETCH(QString, box);
        StartedMainWindow run;
        run.type("txtLine1", "Hello");
        run.type("txtLine2", "World");

        QTest::keyClick(run.find<QLineEdit>(box), Qt::Key_Return);
        const QList<QByteArray> writes{hex("48656C6C6F0C"), "World"};
        QCOMPARE(run.takeWrites(), writes);
        QCOMPARE(run.wire(int(writes.join().size())), writes.join());
    }
};

QTEST_MAIN(tst_frmMainKeys)
#include "tst_frmmain_keys.moc"
