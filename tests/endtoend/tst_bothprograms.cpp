// The two real programs wired together as the run command wires them: the
// panel starts with its settings pointing COM 1 at the board's link, and the
// board's trace shows what the panel's start-up sent.
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class tst_BothPrograms : public QObject
{
    Q_OBJECT

private slots:
    void panelStartsOnTheBoard();
    void versions_data();
    void versions();
};

// Each program tells its version, without a display.
void tst_BothPrograms::versions_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("printed");
    QTest::newRow("VantorApp") << VANTORAPP_PATH << "--version"
                               << "VantorApp " VANTOR_VERSION "\n";
    QTest::newRow("VantorApp -V") << VANTORAPP_PATH << "-V"
                                  << "VantorApp " VANTOR_VERSION "\n";
    QTest::newRow("VantorBoard") << VANTORBOARD_PATH << "--version"
                                 << "VantorBoard " VANTOR_VERSION "\n";
    QTest::newRow("VantorBoard -V") << VANTORBOARD_PATH << "-V"
                                    << "VantorBoard " VANTOR_VERSION "\n";
}

void tst_BothPrograms::versions()
{
    QFETCH(QString, program);
    QFETCH(QString, option);
    QFETCH(QString, printed);
    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QT_QPA_PLATFORM");
    environment.remove("DISPLAY");
    run.setProcessEnvironment(environment);
    run.start(program, {option});
    QVERIFY(run.waitForFinished(10000));
    QCOMPARE(run.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(run.readAllStandardOutput()), printed);
}

void tst_BothPrograms::panelStartsOnTheBoard()
{
    QTemporaryDir dir;
    const QString link = dir.filePath("board");
    QProcess board;
    board.start(VANTORBOARD_PATH, {"--headless", "--trace", "--link", link});
    QVERIFY(board.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(link).isSymLink(), 10000);

    // The panel keeps vantor.ini beside its executable: run a copy in the test folder.
    const QString panelPath = dir.filePath("VantorApp");
    QVERIFY(QFile::copy(VANTORAPP_PATH, panelPath));
    QFile ini(dir.filePath("vantor.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Settings]\nCommPort=1\nSetting=9600,n,8,1\n[Backlight]\nLevel=128\nAutoOff=0\n"
              "[Ports]\nCOM1="
              + QFile::encodeName(link) + "\n");
    ini.close();

    QProcess panel;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    panel.setProcessEnvironment(environment);
    panel.start(panelPath, {});
    QVERIFY(panel.waitForStarted());

    QByteArray trace;
    const auto traced = [&](const char *text) {
        trace += board.readAllStandardOutput();
        return trace.contains(text);
    };
    // "Disable Auto Off" checked at start-up, then the stored brightness.
    QTRY_VERIFY2_WITH_TIMEOUT(traced("FE 28 80"), trace.constData(), 15000);
    QVERIFY2(trace.indexOf("FE 29 00") >= 0
                 && trace.indexOf("FE 29 00") < trace.indexOf("FE 28 80"),
             trace.constData());
    QCOMPARE(panel.state(), QProcess::Running);

    panel.kill();
    QVERIFY(panel.waitForFinished(5000));
    board.terminate();
    QVERIFY(board.waitForFinished(5000));
    QCOMPARE(board.exitCode(), 0);
    QVERIFY(!QFileInfo(link).isSymLink());
}

QTEST_GUILESS_MAIN(tst_BothPrograms)
#include "tst_bothprograms.moc"
