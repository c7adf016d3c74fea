// Other programs use the board through the panel: real vantorctl processes
// send their commands to the panel's socket while the panel owns the port,
// on a pseudo-terminal that answers reads.
#include "support/mainwindowharness.h"
#include "support/programrun.h"
#include "support/readanswerer.h"

#include <QAction>
#include <QFile>
#include <QListView>
#include <QProcess>
#include <QTemporaryDir>

namespace {

QStringList MonitorRows(MainWindowHarness &run)
{
    run.find<QAction>("mnuTraffic")->trigger();
    const QAbstractItemModel *model = run.find<QListView>("lstTraffic")->model();
    QStringList lines;
    for (int row = 0; row < model->rowCount(); ++row)
        lines << model->index(row, 0).data().toString();
    return lines;
}

// The README's script that begins with the line given, as the README shows it.
QByteArray ReadmeScript(const QString &firstComment)
{
    QFile readme(QStringLiteral(README_PATH));
    if (!readme.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromUtf8(readme.readAll()).split(u'\n');
    const qsizetype start = lines.indexOf(QStringLiteral("    ") + firstComment) - 1;
    QByteArray script;
    for (qsizetype i = start; i >= 0 && i < lines.size() && lines.at(i).startsWith(u"    "); ++i)
        script += lines.at(i).mid(4).toUtf8() + '\n';
    return script;
}

} // namespace

class tst_PanelService : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path())); }

    // Each command goes out as the panel would send it and is answered to
    // the program that asked; the panel's own read-outs stay as they were,
    // and the traffic monitor names the program.
    void commandsGoThroughThePanel_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<QString>("out");
        QTest::addColumn<int>("exitCode");
        dataRow("text", QStringList{"text", "Hi", "there"}, QByteArray("Hi\x0Cthere"), "", 0);
        dataRow("outputs", QStringList{"outputs", "Out1,Out3"}, hex("FE2F05"), "", 0);
        dataRow("read", QStringList{"read", "voltage"}, hex("FE0B"), "5.0176V\n", 0);
        dataRow("read in JSON", QStringList{"--json", "read", "inputs"}, hex("FE0A"),
                "{\"kind\":\"inputs\",\"value\":5}\n", 0);
        dataRow("read without a reply", QStringList{"--timeout", "200", "read", "current"},
                hex("FE0D"), "", 1);
        dataRow("custom character", QStringList{"-e", "text", "\\1"}, hex("000C"), "", 0);
        dataRow("bad argument", QStringList{"goto", "2", "0"}, QByteArray(), "", 2);
    }

    void commandsGoThroughThePanel()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, wire);
        QFETCH(QString, out);
        QFETCH(int, exitCode);
        StartedMainWindow run;
        ReadAnswerer board(run.board);
        board.silence(ReadKind::Current);
        const ProgramRun ctl = RunProgram(VANTORCTL_PATH, Port(run) + arguments);
        QCOMPARE(ctl.exitCode, exitCode);
        QCOMPARE(ctl.out, out);
        QTRY_COMPARE(board.received(), wire);
        QCOMPARE(run.shown("analog1"), QString());
        QCOMPARE(run.shown("inputs"), QString());
        QCOMPARE(run.boxes.count(), 0);
        if (!wire.isEmpty())
            QVERIFY(MonitorRows(run).filter("→ board").first().contains(": "));
    }

    // A command comes after the upload of the user screens, never between its screens.
    void anUploadIsNotCutInto()
    {
        StartedMainWindow run;
        ReadAnswerer board(run.board);
        run.find<QAction>("mnuScreen")->trigger();
        clickButton(run.find<QWidget>("frmScreen"), "cmdSetScreen");
        QCOMPARE(RunProgram(VANTORCTL_PATH, Port(run) + QStringList{"clear"}).exitCode, 0);
        QByteArray upload;
        for (int screen = 1; screen <= 10; ++screen)
            upload += QByteArray(1, '\xFE') + char(0xC8 + screen) + "\r\xFF";
        QTRY_COMPARE(board.received(), upload + '\r');
        QCOMPARE(run.boxes.texts(), QStringList{"All Screens Set"});
    }

    // Released, the port is another program's to open; "Open Port" takes it
    // back, and programs go through the panel again.
    void releaseAndOpen()
    {
        StartedMainWindow run;
        ReadAnswerer board(run.board);
        run.find<QAction>("mnuReleasePort")->trigger();
        QCOMPARE(run.shown("lblState"), QStringLiteral("Closed by the operator"));
        QCOMPARE(RunProgram(VANTORCTL_PATH, Port(run) + QStringList{"clear"}).exitCode, 0);
        run.click("cmdClearLCD");
        QCOMPARE(run.boxes.texts(), QStringList{"Port Not Open"});
        QVERIFY(run.boxes.boxes().first().informativeText.contains("\"Open Port\""));

        run.find<QAction>("mnuOpenPort")->trigger();
        QCOMPARE(run.shown("lblState"), QStringLiteral("Open"));
        QCOMPARE(RunProgram(VANTORCTL_PATH, Port(run) + QStringList{"outputs", "1"}).exitCode, 0);
        QTRY_COMPARE(board.received(), hex("0DFE2F01"));
        const QStringList rows = MonitorRows(run);
        QVERIFY(!rows.filter("released " + run.board.slavePath()).isEmpty());
        QVERIFY(rows.filter("0D  ClearDisplay").isEmpty()); // vantorctl's own, not the panel's
        QVERIFY(!rows.filter(QRegularExpression("vantorctl \\d+: SetOutputs 1")).isEmpty());
    }

    // The status bar counts the programs that use the port through the panel.
    void clientsAreCounted()
    {
        StartedMainWindow run;
        QProcess session;
        session.start(VANTORCTL_PATH, Port(run) + QStringList{"-"});
        session.write("clear\n");
        QTRY_COMPARE(run.shown("lblClients"), QStringLiteral("Clients: 1"));
        session.closeWriteChannel();
        QTRY_COMPARE(run.shown("lblClients"), QString());
        QVERIFY(QTest::qWaitFor([&] { return session.state() == QProcess::NotRunning; }));
        QCOMPARE(session.exitCode(), 0);
    }

    // The README's script, as it stands, while the panel is open: vantorctl
    // finds the panel's port in the vantor.ini beside it.
    void readmeScriptRunsAgainstThePanel()
    {
        StartedMainWindow run;
        ReadAnswerer board(run.board);
        QTemporaryDir folder;
        QVERIFY(QFile::copy(VANTORCTL_PATH, folder.filePath("vantorctl")));
        QFile ini(folder.filePath("vantor.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Settings]\nCommPort=1\n[Ports]\nCOM1="
                  + QFile::encodeName(run.board.slavePath()) + "\n");
        ini.close();
        QFile script(folder.filePath("build-status.sh"));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(ReadmeScript("# Runs a build (the arguments) and shows its outcome: Out1 "
                                  "for passed, Out2"));
        script.close();

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("PATH", folder.path() + ':' + environment.value("PATH"));
        const ProgramRun built = RunProgram(
            "sh", {"-c", "cd '" + folder.path() + "' && sh build-status.sh true"}, {}, environment);
        QCOMPARE(built.err, QString());
        QCOMPARE(built.exitCode, 0);
        QTRY_VERIFY(board.received().endsWith(hex("FE2F01")));
        QVERIFY(board.received().startsWith("\rBuild passed\x0C"
                                            "at "));
    }

private:
    static QStringList Port(MainWindowHarness &run) { return {"--port", run.board.slavePath()}; }

    QTemporaryDir m_runtime;
};

QTEST_MAIN(tst_PanelService)
#include "tst_panelservice.moc"
