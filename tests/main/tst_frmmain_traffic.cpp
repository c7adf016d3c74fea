// The traffic monitor: what the operator's clicks and the board's replies
// leave in it, its bound under a flood, pause, clear and save.

#include "support/mainwindowharness.h"
#include "ui/filedialog.h"
#include "ui/traffic/trafficmodel.h"

#include <QAccessible>
#include <QAction>
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

// The rows without their time stamps, which differ from run to run.
QStringList untimed(const QStringList &lines)
{
    static const QRegularExpression stamp(QStringLiteral("^ *\\d+ ms  "));
    QStringList rest;
    for (const QString &line : lines) {
        if (!stamp.match(line).hasMatch())
            return {"no time stamp: " + line};
        rest << QString(line).remove(stamp);
    }
    return rest;
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
        QTRY_COMPARE(untimed(rows(monitor)), entries);
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
        QCOMPARE(rows(monitor).size(), 0);
        QCOMPARE(pause->text(), QStringLiteral("Resume"));
        QCOMPARE(child<QLabel>(monitor, "lblStatus")->text(),
                 QStringLiteral("Paused, new entries held back: 1"));

        QTest::mouseClick(pause, Qt::LeftButton);
        QCOMPARE(untimed(rows(monitor)), QStringList{"→ board  0D  ClearDisplay"});
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
};

QTEST_MAIN(tst_frmMainTraffic)
#include "tst_frmmain_traffic.moc"
