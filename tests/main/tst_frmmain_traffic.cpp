// The traffic monitor: what the operator's clicks, the board's replies and
// the port's own events leave in it, its bound under a flood, pause, clear,
// save, the filter and the time shown.

#include "support/mainwindowharness.h"
#include "ui/filedialog.h"
#include "ui/traffic/trafficmodel.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

// The monitor, opened as the operator opens it.
QWidget *openMonitor(MainWindowHarness &run)
{
    run.find<QAction>("mnuTraffic")->trigger();
    return run.find<QWidget>("frmTraffic");
}

QStringList rows(QWidget *monitor)
{
    const QAbstractItemModel *model = child<QListView>(monitor, "lstTraffic")->model();
    QStringList lines;
    for (int row = 0; row < model->rowCount(); ++row)
        lines << model->index(row, 0).data().toString();
    return lines;
}

const QRegularExpression SinceStart(QStringLiteral("^ *\\d+ ms  "));
const QRegularExpression Clock(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d{3}  "));

// The rows without their time stamps (of either kind), which differ from run to run.
QStringList untimed(const QStringList &lines)
{
    QStringList rest;
    for (const QString &line : lines) {
        const QRegularExpression &stamp = SinceStart.match(line).hasMatch() ? SinceStart : Clock;
        if (!stamp.match(line).hasMatch())
            return {"no time stamp: " + line};
        rest << QString(line).remove(stamp);
    }
    return rest;
}

const QString PortEntry = QStringLiteral("• port   ");

// The rows of the wire alone, untimed: without the port's own events.
QStringList wireRows(QWidget *monitor)
{
    QStringList wire;
    for (const QString &row : untimed(rows(monitor))) {
        if (!row.startsWith(PortEntry))
            wire << row;
    }
    return wire;
}

} // namespace

class tst_frmMainTraffic : public QObject
{
    Q_OBJECT

private slots:
    // Recorded from the panel's start, before the monitor is first opened.
    void entriesForWritesAndReplies_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QByteArrayList>("replies"); // each arrives before the next is sent
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("outputs") << QStringList{"Out1", "Out4", "cmdOutput"} << QByteArrayList{}
                                 << QStringList{"→ board  FE 2F 05  SetOutputs 5 (Out1 on, "
                                                "Out2 off, Out3 on)"};
        QTest::newRow("text in two writes")
            << QStringList{"cmdSendAscii"} << QByteArrayList{}
            << QStringList{"→ board  48 49 0C  text \"HI\"; NewLine",
                           "→ board  59 4F  text \"YO\""};
        QTest::newRow("0-10V, the reply in two pieces")
            << QStringList{"cmdReadA1"} << QByteArrayList{hex("0002"), hex("00")}
            << QStringList{"→ board  FE 0B  ReadVoltage",
                           "← board  00 02  part of the reply to ReadVoltage (2 of 3 bytes)",
                           "← board  00  reply to ReadVoltage: count 512,  5.0176V"};
    }

    void entriesForWritesAndReplies()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QByteArrayList, replies);
        QFETCH(QStringList, entries);
        StartedMainWindow run;
        typeText(run.find<QLineEdit>("txtLine1"), "HI");
        typeText(run.find<QLineEdit>("txtLine2"), "YO");

        for (const QString &name : clicks)
            run.click(name);
        QSignalSpy pieces(run.port, &MSComm::inputArrived);
        for (const QByteArray &reply : replies) {
            const qsizetype before = pieces.count();
            run.board.write(reply);
            QTRY_COMPARE(pieces.count(), before + 1);
        }
        QWidget *monitor = openMonitor(run);
        QTRY_COMPARE(wireRows(monitor), entries);
    }

    void floodKeepsTheLastEntries()
    {
        StartedMainWindow run;
        QVERIFY(run.board.flood(1'000'000, 'x')); // over 10,000 entries of 96 bytes
        const QStringList kept = untimed(rows(openMonitor(run)));
        QCOMPARE(kept.size(), TrafficModel::MaxEntries);
        const QRegularExpression flood(QStringLiteral("^← board  (78 )*78  not asked for$"));
        QCOMPARE(kept.filter(flood).size(), kept.size());
    }

    void pauseHoldsNewEntriesUntilResume()
    {
        StartedMainWindow run;
        QWidget *monitor = openMonitor(run);
        auto *pause = child<QAbstractButton>(monitor, "cmdPause");
        QTest::mouseClick(pause, Qt::LeftButton);
        run.click("cmdClearLCD");
        QCOMPARE(wireRows(monitor), QStringList());
        QCOMPARE(pause->text(), QStringLiteral("Resume"));
        QCOMPARE(child<QLabel>(monitor, "lblStatus")->text(),
                 QStringLiteral("Paused, new entries held back: 1"));

        QTest::mouseClick(pause, Qt::LeftButton);
        QCOMPARE(wireRows(monitor), QStringList{"→ board  0D  ClearDisplay"});
        clickButton(monitor, "cmdClear");
        QCOMPARE(rows(monitor).size(), 0);
        // A screen reader names the list and says what it holds.
        QAccessibleInterface *list =
            QAccessible::queryAccessibleInterface(child<QListView>(monitor, "lstTraffic"));
        QCOMPARE(list->text(QAccessible::Name), QStringLiteral("Traffic"));
        QVERIFY(!list->text(QAccessible::Description).isEmpty());
    }

    // The lines shown, as shown; a file that cannot be written is told and
    // nothing is left behind. Only a regular file is ever replaced: a named
    // pipe or a device at the path stays what it was.
    void saveWritesTheLinesShown_data()
    {
        QTest::addColumn<QString>("path"); // in a fresh folder, unless absolute
        QTest::addColumn<bool>("saved");
        QTest::newRow("a new file") << "traffic.txt" << true;
        QTest::newRow("a folder that does not exist") << "missing/traffic.txt" << false;
        QTest::newRow("a named pipe") << "fifo" << false;
        QTest::newRow("a device") << "/dev/null" << false;
    }

    void saveWritesTheLinesShown()
    {
        QFETCH(QString, path);
        QFETCH(bool, saved);
        QTemporaryDir folder;
        path = QDir(folder.path()).absoluteFilePath(path);
        if (path.endsWith("fifo"))
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        SetSaveFileNameHandler([&path](QWidget *, const QString &) { return path; });
        StartedMainWindow run;
        run.click("cmdClearLCD");
        run.click("cmdOutput");
        QWidget *monitor = openMonitor(run);

        clickButton(monitor, "cmdSave");
        SetSaveFileNameHandler({});
        QCOMPARE(QFileInfo(path).isFile(), saved);
        if (saved) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(QString::fromUtf8(file.readAll()), rows(monitor).join('\n') + '\n');
            QCOMPARE(run.boxes.count(), 0);
        } else {
            QCOMPARE(run.boxes.count(), 1);
            QVERIFY(
                run.boxes.texts().at(0).startsWith("The traffic could not be saved to " + path));
        }
    }

    // The filter keeps the entries that contain what is typed, whatever its
    // case, among all kept, and passes new ones as they come.
    void filterShowsMatchingEntries_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("entries"); // "@" stands for the device

        dataRow("a command's name", "clear", QStringList{"→ board  0D  ClearDisplay"});
        dataRow("other case, request and reply", "READVOLT",
                QStringList{"→ board  FE 0B  ReadVoltage",
                            "← board  00 02 00  reply to ReadVoltage: count 512,  5.0176V"});
        dataRow("bytes in hex", "fe 2f",
                QStringList{"→ board  FE 2F 00  SetOutputs 0 (Out1 off, Out2 off, Out3 off)"});
        dataRow("a port event", "Opened", QStringList{PortEntry + "opened @ at 9600 bit/s 8N1"});
        dataRow("nothing like it", "no such entry", QStringList{});
    }

    void filterShowsMatchingEntries()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, entries);
        StartedMainWindow run;
        entries.replaceInStrings("@", run.board.slavePath());
        run.click("cmdClearLCD");
        run.click("cmdOutput");
        run.click("cmdReadA1");
        run.board.write(hex("000200"));
        QTRY_COMPARE(run.shown("analog1"), " 5.0176V");
        QWidget *monitor = openMonitor(run);

        typeText(child<QLineEdit>(monitor, "txtFilter"), text);
        QCOMPARE(untimed(rows(monitor)), entries);
        QVERIFY(child<QLabel>(monitor, "lblStatus")
                    ->text()
                    .endsWith(QStringLiteral("; %1 of 5 entries contain \"%2\"")
                                  .arg(entries.size())
                                  .arg(text)));
        run.click("cmdClearLCD");
        const bool passes = QStringLiteral("0D  ClearDisplay").contains(text, Qt::CaseInsensitive);
        QCOMPARE(rows(monitor).size(), entries.size() + (passes ? 1 : 0));
    }

    // The port's own doings are entries of their own, among the bytes.
    void portEventsAreEntries_data()
    {
        QTest::addColumn<QStringList>("steps");  // menu items, "unplug", "plug"
        QTest::addColumn<QStringList>("events"); // "@" stands for the device

        dataRow("start-up", QStringList{}, QStringList{"opened @ at 9600 bit/s 8N1"});
        dataRow("another speed", QStringList{"mnuBaudRate1"},
                QStringList{"opened @ at 9600 bit/s 8N1", "closed @",
                            "speed changed to 19200 bit/s 8N1", "opened @ at 19200 bit/s 8N1"});
        dataRow(
            "unplugged and back", QStringList{"unplug", "plug"},
            QStringList{"opened @ at 9600 bit/s 8N1", "lost @", "reopened @ at 9600 bit/s 8N1"});
    }

    void portEventsAreEntries()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, events);
        LinkedMainWindow run;
        events.replaceInStrings("@", run.device.path());
        for (const QString &step : steps) {
            if (step == "unplug") {
                run.device.unplug();
                QTRY_VERIFY(!run.port->PortOpen());
            } else if (step == "plug") {
                run.device.plug();
                QTRY_VERIFY(run.port->PortOpen());
            } else {
                run.find<QAction>(step)->trigger();
            }
        }
        QStringList seen = untimed(rows(openMonitor(run))).filter(QRegularExpression("^• port"));
        QCOMPARE(seen.replaceInStrings(PortEntry, QString()), events);
    }

    // While paused the rows shown stand still, however much arrives: the held
    // entries make room among themselves, and resuming shows the newest.
    void pauseNeverDropsShownRows()
    {
        StartedMainWindow run;
        run.click("cmdClearLCD");
        QWidget *monitor = openMonitor(run);
        const QStringList shown = rows(monitor);
        clickButton(monitor, "cmdPause");

        QVERIFY(run.board.flood(1'000'000, 'x')); // over 10,000 entries
        QCOMPARE(rows(monitor), shown);
        const int held = TrafficModel::MaxEntries - int(shown.size());
        QVERIFY(child<QLabel>(monitor, "lblStatus")
                    ->text()
                    .startsWith(QStringLiteral("Paused, new entries held back: %1, the oldest "
                                               "of them dropped: ")
                                    .arg(held)));
        clickButton(monitor, "cmdPause");
        const QStringList all = rows(monitor);
        QCOMPARE(all.size(), TrafficModel::MaxEntries);
        QCOMPARE(all.mid(0, shown.size()), shown);
    }

    // The time of every entry as chosen, kept in the settings file; each
    // entry's tool tip holds its whole line, however long.
    void timeChoiceAndToolTips_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QRegularExpression>("stamp");
        QTest::addColumn<QByteArray>("stored");
        dataRow("time since start", "Time since start", SinceStart, QByteArray("Time=elapsed"));
        dataRow("clock time", "Clock time", Clock, QByteArray("Time=clock"));
    }

    void timeChoiceAndToolTips()
    {
        QFETCH(QString, choice);
        QFETCH(QRegularExpression, stamp);
        QFETCH(QByteArray, stored);
        StartedMainWindow run;
        run.board.write(QByteArray(TrafficModel::MaxEntryBytes, 'x'));
        QTRY_COMPARE(run.port->InBufferCount(), TrafficModel::MaxEntryBytes);
        QWidget *monitor = openMonitor(run);
        auto *time = child<QComboBox>(monitor, "cboTime");

        time->setCurrentIndex(time->findText(choice));
        const QAbstractItemModel *list = child<QListView>(monitor, "lstTraffic")->model();
        QCOMPARE(list->rowCount(), 2); // the opening and the bytes
        for (int row = 0; row < list->rowCount(); ++row) {
            const QString line = list->index(row, 0).data().toString();
            QVERIFY2(stamp.match(line).hasMatch(), qPrintable(line));
            QCOMPARE(list->index(row, 0).data(Qt::ToolTipRole).toString(), line);
        }
        monitor->close();
        QVERIFY(run.ini.contents().contains("[Traffic]\n" + stored));
        run.window.reset();
        run.start();
        QCOMPARE(child<QComboBox>(openMonitor(run), "cboTime")->currentText(), choice);
    }
};

QTEST_MAIN(tst_frmMainTraffic)
#include "tst_frmmain_traffic.moc"
