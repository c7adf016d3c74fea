// The port and speed menus, the tool-window entries, and the keyboard's way
// through the window.

#include "support/mainwindowharness.h"
#include "ui/main/toolwindowentry.h"
#include "ui/sendcommand.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

namespace {

const QString NoDevice = QStringLiteral("/nonexistent/vantor-board");

QStringList checkedItems(const MainWindowHarness &run)
{
    QStringList names;
    for (QAction *item : run.window->findChildren<QAction *>()) {
        if (item->isChecked())
            names << item->objectName();
    }
    names.sort();
    return names;
}

// A tool window that counts its openings and closings and, like the graph
// window, sends when it closes.
class ProbeWindow : public ToolWindow
{
public:
    ProbeWindow(MSComm &port, QWidget *parent, bool closesWhileLoading = false)
        : ToolWindow(parent), MSComm1(port), m_closesWhileLoading(closesWhileLoading)
    {
    }

    MSComm &MSComm1;
    int loads = 0;
    int unloads = 0;
    bool portOpenAtUnload = false;
    bool settingsSavedAtUnload = true;

protected:
    void Form_Load() override
    {
        ++loads;
        if (m_closesWhileLoading)
            close();
    }
    void Form_Unload() override
    {
        ++unloads;
        portOpenAtUnload = MSComm1.PortOpen();
        settingsSavedAtUnload = !ReadIniValue("Backlight", "Level").isEmpty();
        strCommand = "BYE";
        ::SendCommand(MSComm1, this, QMessageBox::Information, AfterRefusal::CloseWindow);
    }

private:
    bool m_closesWhileLoading;
};

// Puts a probe behind the menu entry; the entry makes it when first chosen.
ToolWindowEntry *probeBehind(MainWindowHarness &run, const char *entry,
                             bool closesWhileLoading = false)
{
    auto *maker = run.find<QAction>(entry)->findChild<ToolWindowEntry *>();
    maker->setMaker([&run, closesWhileLoading] {
        return new ProbeWindow(*run.port, run.window.get(), closesWhileLoading);
    });
    return maker;
}

} // namespace

class tst_frmMainMenus : public QObject
{
    Q_OBJECT

private slots:
    // "Send Panel State" sends what the panel shows, one write each, in order;
    // what the operator has not chosen is left out.
    void sendPanelState_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QList<QByteArray>>("sent");
        dataRow("nothing chosen: the stored interval and the outputs", QStringList(),
                QList<QByteArray>{hex("FE291E"), hex("FE2F00")});
        dataRow("everything chosen", QStringList{"optCursor2", "optBLON", "Check1", "Out1", "Out4"},
                QList<QByteArray>{hex("FE02"), hex("FE06"), hex("FE2832"), hex("FE2900"),
                                  hex("FE2F05")});
        dataRow("backlight off: no brightness", QStringList{"optBLOFF", "optCursor3"},
                QList<QByteArray>{hex("FE03"), hex("FE07"), hex("FE291E"), hex("FE2F00")});
    }

    void sendPanelState()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QList<QByteArray>, sent);
        StartedMainWindow run;
        for (const QString &control : clicks)
            run.click(control);
        run.takeWrites();
        run.find<QAction>("mnuSendState")->trigger();
        QCOMPARE(run.takeWrites(), sent);
        QCOMPARE(run.boxes.count(), 0);
    }

    void portThatCannotBeOpened()
    {
        MainWindowHarness run;
        run.settings(MainWindowHarness::BoardOnCom1);
        run.ini.mapPort(3, NoDevice);
        run.start();

        run.find<QAction>("mnuPort3")->trigger();
        QCOMPARE(run.boxes.texts(), QStringList{"COM Port Error"});
        QCOMPARE(run.boxes.boxes().at(0).icon, QMessageBox::Warning);
        QVERIFY(!run.port->PortOpen());
        QCOMPARE(checkedItems(run), QStringList({"mnuBaudRate0", "mnuPort3"}));
        QCOMPARE(strCommPort, "3");
        run.window->close();
        QCOMPARE(ReadIniValue("Settings", "CommPort"), "3");
    }

    void portChoiceMovesTheLink()
    {
        MainWindowHarness run;
        PtyPair second;
        run.settings(MainWindowHarness::BoardOnCom1);
        run.ini.mapPort(2, second.slavePath());
        run.start();

        run.find<QAction>("mnuPort2")->trigger();
        QCOMPARE(run.boxes.count(), 0);
        QCOMPARE(checkedItems(run), QStringList({"mnuBaudRate0", "mnuPort2"}));
        run.click("cmdClearLCD");
        QCOMPARE(second.readExactly(1), hex("0D"));
        QCOMPARE(run.stray(), QByteArray()); // the first port was closed

        run.find<QAction>("mnuPort1")->trigger();
        run.click("cmdClearLCD");
        QCOMPARE(run.wire(1), hex("0D"));
    }

    void speedChoiceOpensClosedPort()
    {
        StartedMainWindow run;
        run.port->setPortOpen(false);

        QMenuBar *bar = run.window->menuBar();
        QMenu *baud = run.find<QMenu>("mnuBaud");
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(baud->menuAction()).center());
        QTRY_VERIFY(baud->isVisible());
        QAction *item = run.find<QAction>("mnuBaudRate1");
        QTest::mouseClick(baud, Qt::LeftButton, {}, baud->actionGeometry(item).center());
        QVERIFY(run.port->PortOpen());
        QCOMPARE(run.port->Settings(), "19200,n,8,1");
        QCOMPARE(strCommSettings, "19200,n,8,1");
        QCOMPARE(checkedItems(run), QStringList({"mnuBaudRate1", "mnuPort1"}));
        QCOMPARE(run.boxes.count(), 0);
    }

    void speedChoiceThatCannotReopen()
    {
        LinkedMainWindow run;
        run.device.unplug(); // the device goes away while the port is open

        run.find<QAction>("mnuBaudRate1")->trigger();
        QCOMPARE(run.boxes.texts(), QStringList{"COM Port Error"});
        QCOMPARE(run.boxes.boxes().at(0).icon, QMessageBox::Warning);
        QVERIFY(!run.port->PortOpen());
        QCOMPARE(checkedItems(run), QStringList({"mnuBaudRate1", "mnuPort1"}));

        // Still usable: a send warns, and choosing a working port recovers.
        run.click("cmdClearLCD");
        QCOMPARE(run.boxes.texts().last(), "Port Not Open");
        run.ini.mapPort(1, run.board.slavePath());
        run.find<QAction>("mnuPort1")->trigger();
        QVERIFY(run.port->PortOpen());
        QCOMPARE(run.port->Settings(), "19200,n,8,1");
    }

    void toolEntryDisabledWithoutWindow()
    {
        QAction action(QStringLiteral("Graph"));
        auto *entry = new ToolWindowEntry(&action);
        QVERIFY(!action.isEnabled());
        entry->open(); // nothing to open, nothing happens
        QCOMPARE(entry->window(), nullptr);
        entry->setMaker([] { return new ToolWindow; });
        QVERIFY(action.isEnabled());
        entry->setMaker({});
        QVERIFY(!action.isEnabled());
    }

    void toolEntriesOpenTheirWindows_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("windowClass");
        QTest::newRow("Configure LCD") << "mnuConfig" << QString("frmConfig");
        QTest::newRow("Screens Definitions") << "mnuScreen" << QString("frmScreen");
        QTest::newRow("Custom Characters") << "mnuCustom" << QString("frmCustom");
        QTest::newRow("Scrolling Text") << "mnuScroll" << QString("frmScroll");
        QTest::newRow("Graph") << "mnuGraph" << QString("frmGraph");
    }

    void toolEntriesOpenTheirWindows()
    {
        QFETCH(QString, entry);
        QFETCH(QString, windowClass);
        StartedMainWindow run;

        QAction *action = run.find<QAction>(entry);
        QVERIFY(action->isEnabled());
        action->trigger();
        action->trigger();
        const auto windows = run.window->findChildren<ToolWindow *>();
        QCOMPARE(windows.size(), 1);
        QCOMPARE(windows.at(0)->metaObject()->className(), windowClass);
        QVERIFY(windows.at(0)->isVisible());
        QVERIFY(windows.at(0)->isWindow());

        run.window->close();
        QVERIFY(!windows.at(0)->isVisible());
        QVERIFY(!windows.at(0)->isLoaded());
    }

    void toolWindowMadeOnceAndKept()
    {
        StartedMainWindow run;
        int made = 0;
        QAction *graph = run.find<QAction>("mnuGraph");
        auto *entry = graph->findChild<ToolWindowEntry *>();
        entry->setMaker([&] {
            ++made;
            return new ProbeWindow(*run.port, run.window.get());
        });

        QMenuBar *bar = run.window->menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(graph).center());
        graph->trigger(); // already shown: brought to the front, not loaded again
        auto *probe = static_cast<ProbeWindow *>(entry->window());
        QCOMPARE(made, 1);
        QCOMPARE(probe->loads, 1);
        QVERIFY(probe->isVisible());
        QVERIFY(run.window->isVisible()); // modeless: the main window stays

        probe->close();
        QCOMPARE(probe->unloads, 1);
        QCOMPARE(run.wire(3), QByteArray("BYE"));
        graph->trigger();
        QCOMPARE(made, 1);
        QCOMPARE(entry->window(), probe); // same object, same variables
        QCOMPARE(probe->loads, 2);
        QVERIFY(probe->isVisible());
    }

    void toolWindowClosingItselfWhileLoading()
    {
        StartedMainWindow run;
        auto *entry = probeBehind(run, "mnuScroll", true);

        run.find<QAction>("mnuScroll")->trigger();
        auto *probe = static_cast<ProbeWindow *>(entry->window());
        QCOMPARE(probe->loads, 1);
        QCOMPARE(probe->unloads, 1);
        QVERIFY(!probe->isVisible());
        run.find<QAction>("mnuScroll")->trigger();
        QCOMPARE(probe->loads, 2);
        QCOMPARE(probe->unloads, 2);

        run.window->close(); // a closed tool window is not closed again
        QCOMPARE(probe->unloads, 2);
    }

    void closingMainWindowClosesToolWindowsFirst()
    {
        MainWindowHarness run;
        run.settings(""); // nothing saved yet, so the probe can tell when saving happens
        run.start();
        auto *entry = probeBehind(run, "mnuConfig");
        run.find<QAction>("mnuConfig")->trigger();
        run.takeWrites();

        run.window->close();
        auto *probe = static_cast<ProbeWindow *>(entry->window());
        QCOMPARE(probe->unloads, 1);
        QVERIFY(!probe->isVisible());
        QVERIFY(probe->portOpenAtUnload);
        QVERIFY(!probe->settingsSavedAtUnload);
        QCOMPARE(run.takeWrites(), QList<QByteArray>{"BYE"});
        QCOMPARE(ReadIniValue("Backlight", "Level"), "50");
    }

    // Torn down without being closed, the main window still closes its tool
    // windows while its port exists: the graph window's closing sends graph
    // mode off.
    void destroyingMainWindowClosesToolWindowsWhileThePortLives()
    {
        StartedMainWindow run;
        run.find<QAction>("mnuGraph")->trigger();
        QCOMPARE(run.wire(2), hex("FE04"));
        run.window.reset();
        QCOMPARE(run.wire(2), hex("FE08"));
        QCOMPARE(run.boxes.count(), 0);
    }

    // Tab walks the panels column by column, each stop named for a screen reader
    // (a button by its caption); each option group is one stop, with the arrow
    // keys moving inside it.
    void tabOrderAndNames()
    {
        StartedMainWindow run;
        run.click("optBLON"); // enables the slider
        run.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(run.window.get()));
        run.find<QWidget>("txtLine1")->setFocus();

        QStringList order;
        for (int i = 0; i < 23; ++i) {
            QWidget *stop = QApplication::focusWidget();
            order << stop->objectName();
            const auto *button = qobject_cast<QAbstractButton *>(stop);
            const QString caption = button ? button->text() : QString();
            QVERIFY2(!stop->accessibleName().isEmpty()
                         && (caption.isEmpty() || stop->accessibleName() == caption),
                     qPrintable(stop->objectName()));
            QTest::keyClick(stop, Qt::Key_Tab);
        }
        QCOMPARE(order,
                 QStringList({"txtLine1",   "txtLine2",       "cmdSendAscii", "cmdClearLCD",
                              "optCursor1", "cboRow",         "cboColumn",    "cmdSetCursor",
                              "cmdClrRow",  "cmdClrCol",      "cboScreen",    "cmdShow",
                              "optBLON",    "BacklightLevel", "Check1",       "Out1",
                              "Out2",       "Out4",           "cmdOutput",    "cmdReadInputs",
                              "cmdReadA1",  "cmdReadA2",      "cmdSave"}));
        QCOMPARE(QApplication::focusWidget()->objectName(), "txtLine1");

        run.takeWrites();
        run.find<QWidget>("optCursor1")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget()->objectName(), "optCursor2");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(run.takeWrites(), QList<QByteArray>{hex("FE02")});
    }
};

QTEST_MAIN(tst_frmMainMenus)
#include "tst_frmmain_menus.moc"
