// "Plot Inputs...": polling through the panel's own read path on a board
// that answers, the operator's reads meanwhile, gaps, the CSV log and its
// faults, the plot as a picture and the choices kept.

#include "support/mainwindowharness.h"
#include "support/readanswerer.h"
#include "ui/filedialog.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/mount.h>
#include <sys/stat.h>

namespace {

const QStringList AllReadings{"chkVoltage", "chkCurrent", "chkInputs"};
const QByteArray Header = "time,volts,milliamperes,inputs\n";
// A row's time: ISO 8601 local time with milliseconds.
const QString Stamp = QStringLiteral("\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}");

// The plot window, opened as the operator opens it, polling `readings` every
// `interval` seconds (typed as the operator types it) once started.
QWidget *openPlot(MainWindowHarness &run, const QStringList &readings, const QString &interval)
{
    run.find<QAction>("mnuPlotInputs")->trigger();
    auto *plot = run.find<QWidget>("frmPlot");
    for (const QString &name : AllReadings) {
        if (child<QAbstractButton>(plot, name)->isChecked() != readings.contains(name))
            clickButton(plot, name);
    }
    retype(child<QWidget>(plot, "spnInterval"), interval);
    return plot;
}

// Polls made so far, as the window counts them.
int polls(const QWidget *plot)
{
    static const QRegularExpression count(QStringLiteral("^Polls: (\\d+)"));
    return count.match(child<QLabel>(plot, "lblCounts")->text()).captured(1).toInt();
}

// Answers the log's file dialog with the path.
struct ChosenFile
{
    explicit ChosenFile(const QString &path)
    {
        SetSaveFileNameHandler([path](QWidget *, const QString &) { return path; });
    }
    ~ChosenFile() { SetSaveFileNameHandler({}); }
};

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// A folder; on request a tmpfs of 64 KiB for a full disk, unmounted when
// done, where the test may mount one.
struct SmallDisk
{
    QTemporaryDir dir;
    bool mounted = false;
    explicit SmallDisk(bool mount)
    {
        mounted = mount && ::mount("tmpfs", qPrintable(dir.path()), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk()
    {
        if (mounted)
            ::umount2(qPrintable(dir.path()), MNT_DETACH);
    }
    // Writes a file as large as the disk takes.
    void fill() const
    {
        QFile filler(dir.filePath("filler"));
        filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        const QByteArray block(512, 'x');
        while (filler.write(block) == block.size()) {
        }
    }
};

} // namespace

class tst_frmMainPlot : public QObject
{
    Q_OBJECT

private slots:
    // Each poll sends the chosen reads one after the other, each request
    // after the reply before, and fills the read-outs; the poll timer runs at
    // the interval typed.
    void pollsReadTheChosenInputs_data()
    {
        QTest::addColumn<QStringList>("readings");
        QTest::addColumn<QString>("interval");
        QTest::addColumn<int>("intervalMs");
        QTest::addColumn<int>("rounds"); // waited for
        QTest::addColumn<QByteArray>("round");
        QTest::addColumn<QStringList>("readouts"); // inputs, analog1, analog2

        dataRow("0-10V every 0.1 s", QStringList{"chkVoltage"}, "0.1", 100, 3, hex("FE0B"),
                QStringList{"", " 5.0176V", ""});
        dataRow("all three every second", AllReadings, "1", 1000, 1, hex("FE0BFE0DFE0A"),
                QStringList{"5", " 5.0176V", " 20mA"});
        dataRow("0-20mA and inputs every hour", QStringList{"chkCurrent", "chkInputs"}, "3600",
                3'600'000, 1, hex("FE0DFE0A"), QStringList{"5", "", " 20mA"});
    }

    void pollsReadTheChosenInputs()
    {
        QFETCH(QStringList, readings);
        QFETCH(QString, interval);
        QFETCH(int, intervalMs);
        QFETCH(int, rounds);
        QFETCH(QByteArray, round);
        QFETCH(QStringList, readouts);
        StartedMainWindow run;
        ReadAnswerer board(run.board);
        QWidget *plot = openPlot(run, readings, interval);

        clickButton(plot, "cmdStart");
        QCOMPARE(child<QTimer>(plot, "tmrPoll")->interval(), intervalMs);
        QTRY_VERIFY(polls(plot) >= rounds);
        clickButton(plot, "cmdStart");
        QCOMPARE(child<QAbstractButton>(plot, "cmdStart")->text(), "Start");
        // Whole rounds, and perhaps the start of one stopped under way.
        const QByteArray wire = board.received();
        QCOMPARE(wire, round.repeated(wire.size() / round.size() + 1).left(wire.size()));
        QCOMPARE(QStringList({run.shown("inputs"), run.shown("analog1"), run.shown("analog2")}),
                 readouts);
        QCOMPARE(run.boxes.count(), 0);
    }

    // One poll of all three logged to a new file: a read without reply (or a
    // port gone) leaves its field empty and shows as a gap, never as a value;
    // no message box tells of it.
    void pollWithoutReplyLeavesGap_data()
    {
        QTest::addColumn<QList<int>>("silent"); // ReadKind values never answered
        QTest::addColumn<bool>("portGone");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QString>("voltage"); // the figures under the plot

        dataRow(
            "every reply comes", QList<int>{}, false, ",5.0176,20,5",
            "0-10 V: last 5.0176 V, min 5.0176 V, max 5.0176 V, mean 5.0176 V; no reply 0 of 1");
        dataRow("0-10V not answered", QList<int>{2}, false, ",,20,5",
                "0-10 V: no readings in the span; no reply 1 of 1");
        dataRow(
            "inputs not answered", QList<int>{1}, false, ",5.0176,20,",
            "0-10 V: last 5.0176 V, min 5.0176 V, max 5.0176 V, mean 5.0176 V; no reply 0 of 1");
        dataRow("device gone", QList<int>{}, true, ",,,",
                "0-10 V: no readings in the span; no reply 1 of 1");
    }

    void pollWithoutReplyLeavesGap()
    {
        QFETCH(QList<int>, silent);
        QFETCH(bool, portGone);
        QFETCH(QString, fields);
        QFETCH(QString, voltage);
        QTemporaryDir folder;
        const QString path = folder.filePath("inputs.csv");
        ChosenFile chosen(path);
        StartedMainWindow run;
        ReadAnswerer board(run.board);
        for (const int kind : silent)
            board.silence(ReadKind(kind));
        if (portGone) {
            run.board.closeMaster();
            QTRY_VERIFY(!run.port->PortOpen());
        }
        QWidget *plot = openPlot(run, AllReadings, "3600");

        clickButton(plot, "cmdLog");
        clickButton(plot, "cmdStart");
        QTRY_COMPARE(polls(plot), 1);
        const QList<QByteArray> lines = contents(path).split('\n');
        QCOMPARE(lines.size(), 3); // the header, the row, nothing after the last line end
        QCOMPARE(lines[0] + '\n', Header);
        QVERIFY2(QRegularExpression('^' + Stamp + fields + '$').match(lines[1]).hasMatch(),
                 lines[1]);
        QCOMPARE(child<QLabel>(plot, "lblVoltage")->text(), voltage);
        QCOMPARE(child<QLabel>(plot, "lblLog")->text(), "Logging to " + path + ", rows written: 1");
        QCOMPARE(run.boxes.count(), 0);
    }

    // One read at a time on the wire: an operator's read clicked while a
    // poll's read waits for its reply goes out after that reply, and a poll
    // due while the operator's read waits goes out after that one; each reply
    // fills its own read-out.
    void operatorReadAndPollTakeTurns_data()
    {
        QTest::addColumn<bool>("operatorFirst");
        QTest::addColumn<QString>("poll");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<QByteArrayList>("replies");
        QTest::addColumn<QStringList>("readouts"); // "name=text" after each reply

        dataRow("Read 0-20mA during a 0-10V poll", false, "chkVoltage", "cmdReadA2",
                hex("FE0BFE0D"), QByteArrayList{hex("000200"), hex("0003E8")},
                QStringList{"analog1= 5.0176V", "analog2= 20mA"});
        dataRow("Read 0-10V during a 0-10V poll", false, "chkVoltage", "cmdReadA1", hex("FE0BFE0B"),
                QByteArrayList{hex("000200"), hex("000032")},
                QStringList{"analog1= 5.0176V", "analog1= .49V"});
        dataRow("a poll due during Read Inputs", true, "chkVoltage", "cmdReadInputs",
                hex("FE0AFE0B"), QByteArrayList{hex("07"), hex("000200")},
                QStringList{"inputs=7", "analog1= 5.0176V"});
    }

    void operatorReadAndPollTakeTurns()
    {
        QFETCH(bool, operatorFirst);
        QFETCH(QString, poll);
        QFETCH(QString, button);
        QFETCH(QByteArray, wire);
        QFETCH(QByteArrayList, replies);
        QFETCH(QStringList, readouts);
        StartedMainWindow run;
        ReadAnswerer board(run.board);
        board.hold();
        QWidget *plot = openPlot(run, {poll}, "3600");

        if (operatorFirst)
            run.click(button);
        clickButton(plot, "cmdStart");
        if (!operatorFirst)
            run.click(button);
        QTRY_COMPARE(board.requests().size(), 1);
        QCOMPARE(run.stray(), QByteArray()); // the second waits
        QCOMPARE(board.requests().size(), 1);
        for (int i = 0; i < 2; ++i) {
            board.setReply(LookUpCommand(quint8(wire[2 * i + 1])).read, replies[i]);
            QTRY_COMPARE(board.requests().size(), i + 1);
            QVERIFY(board.releaseOne());
            const QStringList readout = readouts[i].split('=');
            QTRY_COMPARE(run.shown(readout[0]), readout[1]);
        }
        QCOMPARE(board.received(), wire);
        QTRY_COMPARE(polls(plot), 1);
        QVERIFY(child<QLabel>(plot, "lblVoltage")->text().startsWith("0-10 V: last 5.0176 V"));
    }

    // Only a regular file takes the log: the path is named and nothing is
    // opened or written; a file holding anything else than a log of the same
    // readings is left as it is.
    void logRefusesWhatIsNoLogFile_data()
    {
        QTest::addColumn<QString>("path");      // "@" is a fresh folder
        QTest::addColumn<QByteArray>("before"); // contents of a file made there first
        QTest::addColumn<QString>("reason");

        dataRow("a named pipe", "@/pipe", QByteArray(), "@/pipe is not a regular file");
        dataRow("a device", "/dev/null", QByteArray(), "/dev/null is not a regular file");
        dataRow("a folder", "@", QByteArray(), "@ is not a regular file");
        dataRow("a folder that does not exist", "@/missing/inputs.csv", QByteArray(),
                "No such file or directory");
        dataRow("a file of other data", "@/notes.csv", QByteArray("a,b\n1,2\n"),
                "@/notes.csv holds something else than a log of these readings (its first "
                "line is not \"time,volts,milliamperes,inputs\")");
    }

    void logRefusesWhatIsNoLogFile()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, before);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        path.replace('@', folder.path());
        reason.replace('@', folder.path());
        ::mkfifo(qPrintable(folder.filePath("pipe")), 0600);
        if (!before.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(before) == before.size());
        }
        ChosenFile chosen(path);
        StartedMainWindow run;
        QWidget *plot = openPlot(run, AllReadings, "1");

        clickButton(plot, "cmdLog");
        QCOMPARE(run.boxes.texts(),
                 QStringList{"The inputs cannot be logged to " + path + ".\nReason: " + reason});
        QCOMPARE(child<QLabel>(plot, "lblLog")->text(), "Not logging");
        if (!before.isEmpty())
            QCOMPARE(contents(path), before);
    }

    // A row that cannot be written is told at once and ends the log; the rows
    // before it stay whole, and nothing of it is left. A log of the same
    // readings is continued.
    void failedWriteStopsLogging_data()
    {
        QTest::addColumn<bool>("fullDisk"); // otherwise the folder is removed
        QTest::addColumn<QString>("reason");
        dataRow("full disk", true, "No space left on device");
        dataRow("folder removed", false, "the file or its folder was removed");
    }

    void failedWriteStopsLogging()
    {
        QFETCH(bool, fullDisk);
        QFETCH(QString, reason);
        SmallDisk disk(fullDisk);
        if (fullDisk && !disk.mounted)
            QSKIP("no tmpfs can be mounted here");
        const QString path = disk.dir.filePath("inputs.csv");
        // A log of one page less room than one row and a bit, then a full disk.
        const QByteArray row = "2024-05-01T14:03:07.250,5.0176,20,5\n";
        const QByteArray earlier = Header + row.repeated((4096 - Header.size()) / row.size() - 1);
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(earlier) == earlier.size());
        }
        if (fullDisk)
            disk.fill();
        ChosenFile chosen(path);
        StartedMainWindow run;
        ReadAnswerer board(run.board);
        QWidget *plot = openPlot(run, AllReadings, "0.1");

        clickButton(plot, "cmdLog");
        clickButton(plot, "cmdStart");
        if (!fullDisk) {
            QTRY_VERIFY(polls(plot) >= 1);
            QVERIFY(disk.dir.remove());
        }
        QTRY_COMPARE(run.boxes.count(), 1);
        QVERIFY2(run.boxes.texts()[0].startsWith("Logging to " + path
                                                 + " has stopped: a row could not be "
                                                   "written.\nReason: "
                                                 + reason),
                 qPrintable(run.boxes.texts()[0]));
        QCOMPARE(child<QLabel>(plot, "lblLog")->text(), "Not logging");
        QCOMPARE(child<QAbstractButton>(plot, "cmdLog")->text(), "Log to CSV...");
        if (fullDisk) {
            const QByteArray after = contents(path);
            QVERIFY(after.startsWith(earlier));
            QVERIFY(after.endsWith('\n'));
            QByteArrayList added = after.mid(earlier.size()).split('\n');
            added.removeLast();        // after the last line end
            QVERIFY(!added.isEmpty()); // the room left took a row
            const QRegularExpression whole('^' + Stamp + ",5.0176,20,5$");
            for (const QByteArray &line : added)
                QVERIFY2(whole.match(line).hasMatch(), line);
        }
    }

    // "Save Plot..." writes the plot as it is drawn, as a PNG.
    void savePlotWritesPng()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath("inputs.png");
        ChosenFile chosen(path);
        StartedMainWindow run;
        ReadAnswerer board(run.board);
        QWidget *plot = openPlot(run, AllReadings, "3600");
        clickButton(plot, "cmdStart");
        QTRY_COMPARE(polls(plot), 1);

        clickButton(plot, "cmdSavePlot");
        const QImage saved(path, "PNG");
        QCOMPARE(saved.size(), child<QWidget>(plot, "picPlot")->size());
        QCOMPARE(run.boxes.count(), 0);
    }

    // The choices are written when the window closes and shown when it next opens.
    void choicesKeptInSettings()
    {
        StartedMainWindow run;
        QWidget *plot = openPlot(run, {"chkVoltage", "chkInputs"}, "0.5");
        auto *span = child<QComboBox>(plot, "cboSpan");
        span->setCurrentIndex(span->findText("5 min"));
        clickButton(plot, "chkVoltsAuto");
        retype(child<QWidget>(plot, "spnVoltsTo"), "5");
        plot->close();
        const QByteArray ini = run.ini.contents();
        for (const char *entry : {"[Plot]", "Interval=0.5", "Readings=voltage,inputs", "Span=300",
                                  "VoltsRange=0,5", "MilliampsRange=auto"})
            QVERIFY2(ini.contains(entry), entry);

        run.window.reset();
        run.start();
        run.find<QAction>("mnuPlotInputs")->trigger();
        plot = run.find<QWidget>("frmPlot");
        QCOMPARE(child<QDoubleSpinBox>(plot, "spnInterval")->value(), 0.5);
        QVERIFY(child<QAbstractButton>(plot, "chkVoltage")->isChecked());
        QVERIFY(!child<QAbstractButton>(plot, "chkCurrent")->isChecked());
        QVERIFY(child<QAbstractButton>(plot, "chkInputs")->isChecked());
        QCOMPARE(child<QComboBox>(plot, "cboSpan")->currentText(), "5 min");
        QVERIFY(!child<QAbstractButton>(plot, "chkVoltsAuto")->isChecked());
        QCOMPARE(child<QDoubleSpinBox>(plot, "spnVoltsTo")->value(), 5.0);
    }
};

QTEST_MAIN(tst_frmMainPlot)
#include "tst_frmmain_plot.moc"
