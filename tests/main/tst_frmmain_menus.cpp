// The port and speed menus, the tool-window entries, and the window's frame:
// captions, size, keyboard order.

#include "link/sendcommand.h"
#include "mainwindowharness.h"
#include "ui/main/toolwindowentry.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

namespace {

const QByteArray PortOnCom1 =
    "[Settings]\nCommPort=1\nSetting=9600,n,8,1\n[Backlight]\nLevel=50\nAutoOff=30\n";
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

} // namespace

class tst_frmMainMenus : public QObject
{
    Q_OBJECT

private slots:
    void portThatCannotBeOpened();
    void portChoiceMovesTheLink();
    void speedChoiceOpensClosedPort();
    void speedChoiceThatCannotReopen();
    void toolEntryDisabledWithoutWindow();
    void toolEntriesOpenTheirWindows_data();
    void toolEntriesOpenTheirWindows();
    void graphWindowWithPortClosedClosesItself();
    void toolWindowMadeOnceAndKept();
    void toolWindowClosingItselfWhileLoading();
    void closingMainWindowClosesToolWindowsFirst();
    void windowFrame();
    void accessibleNamesAreCaptions();
    void tabOrder();
};

void tst_frmMainMenus::portThatCannotBeOpened()
{
    MainWindowHarness run;
    run.settings(PortOnCom1);
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

void tst_frmMainMenus::portChoiceMovesTheLink()
{
    MainWindowHarness run;
    PtyPair second;
    run.settings(PortOnCom1);
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

void tst_frmMainMenus::speedChoiceOpensClosedPort()
{
    MainWindowHarness run;
    run.settings(PortOnCom1);
    run.start();
    run.port->setPortOpen(false);

    QMenuBar *bar = run.window->menuBar();
    QMenu *baud = run.find<QMenu>("mnuBaud");
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(baud->menuAction()).center());
    QTRY_VERIFY(baud->isVisible());
    QAction *item = run.find<QAction>("mnuBaudRate1");
    QTest::mouseClick(baud, Qt::LeftButton, {}, baud->actionGeometry(item).center());

    QVERIFY(run.port->PortOpen());
    QCOMPARE(run.port->Settings(), "19200,n,8,1");
    QCOMPARE(strCommSettings, "19200,n,8,1");
    QCOMPARE(checkedItems(run), QStringList({"mnuBaudRate1", "mnuPort1"}));
    QCOMPARE(run.boxes.count(), 0);
}

void tst_frmMainMenus::speedChoiceThatCannotReopen()
{
    MainWindowHarness run;
    run.settings(PortOnCom1);
    run.start();
    run.ini.mapPort(1, NoDevice); // the device goes away while the port is open

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

void tst_frmMainMenus::toolEntryDisabledWithoutWindow()
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

void tst_frmMainMenus::toolEntriesOpenTheirWindows_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("windowClass");
    QTest::newRow("Configure LCD") << "mnuConfig"
                                   << "frmConfig";
    QTest::newRow("Screens Definitions") << "mnuScreen"
                                         << "frmScreen";
    QTest::newRow("Custom Characters") << "mnuCustom"
                                       << "frmCustom";
    QTest::newRow("Scrolling Text") << "mnuScroll"
                                    << "frmScroll";
    QTest::newRow("Graph") << "mnuGraph"
                           << "frmGraph";
}

void tst_frmMainMenus::toolEntriesOpenTheirWindows()
{
    QFETCH(QString, entry);
    QFETCH(QString, windowClass);
    MainWindowHarness run;
    run.settings(PortOnCom1);
    run.start();

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

void tst_frmMainMenus::graphWindowWithPortClosedClosesItself()
{
    MainWindowHarness run;
    run.ini.mapPort(1, NoDevice);
    run.start();

    QAction *graph = run.find<QAction>("mnuGraph");
    graph->trigger();
    // Graph mode on is refused and closes the window; the closing's graph mode
    // off is refused as well.
    QCOMPARE(run.boxes.texts(), QStringList({"Port Not Open", "Port Not Open"}));
    QCOMPARE(run.boxes.boxes().at(0).icon, QMessageBox::Information);
    auto *window = graph->findChild<ToolWindowEntry *>()->window();
    QVERIFY(window);
    QVERIFY(!window->isVisible());
    graph->trigger(); // tries again with the same window
    QCOMPARE(run.window->findChildren<ToolWindow *>().size(), 1);
    QVERIFY(run.window->isVisible());
}

void tst_frmMainMenus::toolWindowMadeOnceAndKept()
{
    MainWindowHarness run;
    run.settings(PortOnCom1);
    run.start();
    int made = 0;
    QAction *graph = run.find<QAction>("mnuGraph");
    graph->findChild<ToolWindowEntry *>()->setMaker([&] {
        ++made;
        return new ProbeWindow(*run.port, run.window.get());
    });

    QMenuBar *bar = run.window->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(graph).center());
    graph->trigger(); // already shown: brought to the front, not loaded again
    auto *probe = static_cast<ProbeWindow *>(graph->findChild<ToolWindowEntry *>()->window());
    QCOMPARE(made, 1);
    QCOMPARE(probe->loads, 1);
    QVERIFY(probe->isVisible());
    QVERIFY(run.window->isVisible()); // modeless: the main window stays

    probe->close();
    QCOMPARE(probe->unloads, 1);
    QCOMPARE(run.wire(3), QByteArray("BYE"));
    graph->trigger();
    QCOMPARE(made, 1);
    QCOMPARE(graph->findChild<ToolWindowEntry *>()->window(), probe); // same object, same variables
    QCOMPARE(probe->loads, 2);
    QVERIFY(probe->isVisible());
}

void tst_frmMainMenus::toolWindowClosingItselfWhileLoading()
{
    MainWindowHarness run;
    run.settings(PortOnCom1);
    run.start();
    auto *entry = run.find<QAction>("mnuScroll")->findChild<ToolWindowEntry *>();
    entry->setMaker([&] { return new ProbeWindow(*run.port, run.window.get(), true); });

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

void tst_frmMainMenus::closingMainWindowClosesToolWindowsFirst()
{
    MainWindowHarness run;
    run.settings(PortOnCom1);
    run.ini.setContents(""); // nothing saved yet, so the probe can tell when saving happens
    run.ini.mapPort(1, run.board.slavePath());
    run.start();
    auto *entry = run.find<QAction>("mnuConfig")->findChild<ToolWindowEntry *>();
    entry->setMaker([&] { return new ProbeWindow(*run.port, run.window.get()); });
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

void tst_frmMainMenus::windowFrame()
{
    MainWindowHarness run;
    run.settings(PortOnCom1);
    run.start();

    QCOMPARE(run.window->windowTitle(), "VantorAPP ");
    QCOMPARE(run.window->centralWidget()->size(), QSize(507, 400));
    QCOMPARE(run.window->minimumSize(), run.window->maximumSize()); // fixed size

    QStringList menus;
    for (QAction *entry : run.window->menuBar()->actions())
        menus << entry->text();
    QCOMPARE(menus, QStringList({"Communication", "Baud Rate", "Configuration", "Scrolling Text",
                                 "Graph"}));
    QStringList items;
    for (const char *menu : {"mnuCom", "mnuBaud", "mnuCon"}) {
        for (QAction *item : run.find<QMenu>(menu)->actions())
            items << item->text();
    }
    QCOMPARE(items, QStringList({"COM 1", "COM 2", "COM 3", "COM 4", "COM 5", "COM 6", "9600 bps",
                                 "19200 bps", "Configure LCD", "Screens Definitions",
                                 "Custom Characters"}));

    QCOMPARE(run.find<QLabel>("lblWeb")->text(), "www.vantor.example");
}

void tst_frmMainMenus::accessibleNamesAreCaptions()
{
    MainWindowHarness run;
    run.settings(PortOnCom1);
    run.start();
    int named = 0;
    for (auto *button : run.window->findChildren<QAbstractButton *>()) {
        if (button->text().isEmpty())
            continue;
        QCOMPARE(button->accessibleName(), button->text());
        ++named;
    }
    QCOMPARE(named, 16);
    const struct
    {
        const char *control;
        const char *name;
    } boxOnly[] = {{"Check1", "Disable Auto Off"},
                   {"Out1", "Out1"},
                   {"Out2", "Out2"},
                   {"Out4", "Out3"},
                   {"BacklightLevel", "Adjust Backlight Brightness"},
                   {"cboRow", "Row"},
                   {"cboColumn", "Column"},
                   {"cboScreen", "Screen"}};
    for (const auto &b : boxOnly)
        QCOMPARE(run.find<QWidget>(b.control)->accessibleName(), b.name);
}

// Tab walks the panels column by column; each option group is one stop, with
// the arrow keys moving inside it.
void tst_frmMainMenus::tabOrder()
{
    MainWindowHarness run;
    run.settings(PortOnCom1);
    run.start();
    run.click("optBLON"); // enables the slider
    run.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(run.window.get()));
    run.find<QWidget>("txtLine1")->setFocus();

    QStringList order;
    for (int i = 0; i < 23; ++i) {
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(order, QStringList({"txtLine1",   "txtLine2",       "cmdSendAscii", "cmdClearLCD",
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

QTEST_MAIN(tst_frmMainMenus)
#include "tst_frmmain_menus.moc"
