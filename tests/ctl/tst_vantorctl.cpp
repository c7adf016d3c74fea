// vantorctl as a script runs it: a real process against the real VantorBoard,
// whose trace tells what it decoded, or against a bare pseudo-terminal.
#include "support/programrun.h"
#include "support/ptypair.h"
#include "support/testdata.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using CtlRun = ProgramRun;

CtlRun RunCtl(const QStringList &arguments, const QByteArray &input = {})
{
    return RunProgram(QStringLiteral(VANTORCTL_PATH), arguments, input);
}

} // namespace

class tst_VantorCtl : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString link = m_dir.filePath("board");
        m_board.start(VANTORBOARD_PATH, {"--headless", "--trace", "--link", link, "--inputs", "5",
                                         "--voltage", "50", "--current", "1000"});
        QVERIFY(m_board.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(link).isSymLink(), 10000);
        m_ini = m_dir.filePath("panel.ini");
        QFile ini(m_ini);
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Settings]\nCommPort=2\nSetting=9600,n,8,1\n[Ports]\nCOM2=" + link.toUtf8()
                  + "\n");
    }

    void cleanupTestCase()
    {
        m_board.terminate();
        QVERIFY(m_board.waitForFinished(5000));
    }

    void init()
    {
        m_trace += QString::fromUtf8(m_board.readAllStandardOutput());
        m_mark = m_trace.size();
    }

    void commandsReachTheBoard_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("decoded");
        dataRow("text", QStringList{"text", "Hi", "there"},
                QStringList{"text \"Hi\"", "NewLine", "text \"there\""});
        dataRow("full first line", QStringList{"text", "0123456789abcdef", "x"},
                QStringList{"text \"0123456789abcdefx\""});
        dataRow("clear, cursor", QStringList{"clear"}, QStringList{"ClearDisplay"});
        dataRow("cursor", QStringList{"cursor", "block"}, QStringList{"CursorBlockBlink"});
        dataRow("goto", QStringList{"goto", "1", " 14 "},
                QStringList{"SetCursorPosition row 1, column 14"});
        dataRow("delete-column", QStringList{"delete-column", "3"}, QStringList{"DeleteColumn 3"});
        dataRow("screen", QStringList{"screen", "4"}, QStringList{"ShowScreen 4"});
        dataRow("backlight level", QStringList{"backlight", "100"},
                QStringList{"SetBrightness 100"});
        dataRow("backlight off", QStringList{"backlight", "off"}, QStringList{"BacklightOff"});
        dataRow("auto-off", QStringList{"auto-off", "0"}, QStringList{"SetAutoOff 0 s"});
        dataRow("outputs by name", QStringList{"outputs", "out3,Out1"},
                QStringList{"SetOutputs 5 (Out1 on, Out2 off, Out3 on)"});
        dataRow("outputs by mask", QStringList{"outputs", "2"},
                QStringList{"SetOutputs 2 (Out1 off, Out2 on, Out3 off)"});
        dataRow("startup", QStringList{"startup", "Hello", "World"},
                QStringList{"DefineStartupScreen \"Hello\" / \"World\""});
        dataRow("define-screen", QStringList{"define-screen", "10", "AB", ""},
                QStringList{"DefineUserScreen 10 \"AB\" / \"\""});
        dataRow("scroll", QStringList{"scroll", "right", "a b", QString(40, u'z')},
                QStringList{"ScrollText right to left \"a b\" / \"zzzz"});
        dataRow("bar", QStringList{"bar", "1", "2", "30", "right"},
                QStringList{"SetCursorPosition row 1, column 2", "GraphRightToLeft 30"});
        dataRow("graph, save", QStringList{"graph", "on"}, QStringList{"GraphModeOn"});
        dataRow("save", QStringList{"save"}, QStringList{"SaveSettings"});
        // Character 2's rows are the second eight of the definition; the rest blank.
        dataRow("char", QStringList{"char", "2", "#...#,.#.#.,..#..,0x0A,17,0,0,31"},
                QStringList{"00 00 00 00 00 00 00 00 11 0A 04 0A 11 00 00 1F 00",
                            "DefineCustomChar", "DefineCustomChar", "GraphModeOff"});
        dataRow("show-char", QStringList{"show-char", "3"}, QStringList{"ShowCustomChar 3"});
        dataRow("raw", QStringList{"raw", "FE0A", "fe 2d 01"},
                QStringList{"ReadInputs -> 05", "DeleteRow 1"});
        dataRow("--port COMn", QStringList{"--port", "com2", "delete-row", "0"},
                QStringList{"DeleteRow 0"});
    }

    void commandsReachTheBoard()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, decoded);
        const CtlRun run = onBoard(arguments);
        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 0);
        QTRY_VERIFY2_WITH_TIMEOUT(traced(decoded), qPrintable(m_trace.mid(m_mark)), 10000);
    }

    void readsPrintTheReadOut_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("printed");
        QTest::newRow("inputs") << QStringList{"read", "inputs"} << "5\n";
        QTest::newRow("voltage") << QStringList{"read", "voltage"} << ".49V\n";
        QTest::newRow("current") << QStringList{"read", "current"} << "20mA\n";
        QTest::newRow("inputs, json")
            << QStringList{"--json", "read", "inputs"} << "{\"kind\":\"inputs\",\"value\":5}\n";
        QTest::newRow("voltage, json")
            << QStringList{"read", "voltage", "--json"}
            << "{\"count\":50,\"kind\":\"voltage\",\"unit\":\"V\",\"value\":0.49}\n";
    }

    void readsPrintTheReadOut()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, printed);
        const CtlRun run = onBoard(arguments);
        QCOMPARE(run.err, QString());
        QCOMPARE(run.out, printed);
        QCOMPARE(run.exitCode, 0);
    }

    // Polls as CSV rows or JSON lines, one a poll, until --count.
    void watchPrintsAPollALine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("pattern"); // the whole output
        const QString stamp = "\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}";
        dataRow("all three as CSV", QStringList{"watch", "--count", "2", "--interval", "0.1"},
                "time,volts,milliamperes,inputs\n(" + stamp + ",0.49,20,5\n){2}");
        dataRow("one as JSON", QStringList{"--json", "watch", "voltage", "--count", "1"},
                "\\{\"time\":\"" + stamp + "\",\"volts\":0.49\\}\n");
    }

    void watchPrintsAPollALine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, pattern);
        const CtlRun run = onBoard(arguments);
        QCOMPARE(run.err, QString());
        QVERIFY2(QRegularExpression("^" + pattern + "$").match(run.out).hasMatch(),
                 qPrintable(run.out));
        QCOMPARE(run.exitCode, 0);
    }

    // One port for every line; a bad line is told and skipped, the rest go on,
    // and the line follows the board to another speed.
    void linesFromStandardInput()
    {
        const CtlRun run = onBoard({"-"}, "text 'a b' \"c\\\"d\"\n"
                                          "# a comment, then an empty line\n\n"
                                          "goto 1 ROW\n"
                                          "--json read current\n"
                                          "device-speed 19200\n"
                                          "read inputs\n"
                                          "device-speed 9600\n");
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.startsWith("vantorctl: line 4: goto: COL \"ROW\""), qPrintable(run.err));
        QCOMPARE(run.out,
                 "{\"count\":1000,\"kind\":\"current\",\"unit\":\"mA\",\"value\":20}\n5\n");
        QTRY_VERIFY2_WITH_TIMEOUT(
            traced({"text \"a b\"", "NewLine", "text \"c\\x22d\"", "ReadCurrent",
                    "SetDeviceBaud19200", "ReadInputs -> 05", "SetDeviceBaud9600"}),
            qPrintable(m_trace.mid(m_mark)), 10000);
        QVERIFY(!m_trace.mid(m_mark).contains("SetCursorPosition"));
    }

    // What vantorctl tells without any port: the bytes of a dry run (-e reads
    // escapes in texts), its version, and a line too long for standard input.
    void answersWithoutAPort_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        dataRow("escapes", QStringList{"-e", "--dry-run", "text", "\\1A\\x41\\\\", "\\8"},
                QByteArray(), "00 41 41 5C 0C\n07\n", "");
        dataRow("no escapes without -e", QStringList{"--dry-run", "text", "\\1"}, QByteArray(),
                "5C 31 0C\n", "");
        dataRow("escapes on a line", QStringList{"--dry-run", "-"},
                QByteArray("-e startup '\\2' x\n"), "FE C8\n01 0D\n78 FF\n", "");
        dataRow("version", QStringList{"--version"}, QByteArray(), "vantorctl 1.0\n", "");
        dataRow("-V", QStringList{"-V"}, QByteArray(), "vantorctl 1.0\n", "");
        dataRow("a line over 64 KiB", QStringList{"--dry-run", "-"},
                QByteArray(70000, 'x') + "\nclear\n", "0D\n",
                "vantorctl: line 1: longer than 65536 bytes; skipped\n");
    }

    void answersWithoutAPort()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const CtlRun run = RunCtl(arguments, input);
        QCOMPARE(run.err, err);
        QCOMPARE(run.out, out);
        QCOMPARE(run.exitCode, err.isEmpty() ? 0 : 2);
    }

    void badArgumentsSendNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("told");
        QTest::newRow("long line") << QStringList{"text", "a", QString(17, u'x')} << "LINE2 has 17";
        QTest::newRow("long scroll text")
            << QStringList{"scroll", "left", QString(41, u'x'), ""} << "TEXT1 has 41";
        QTest::newRow("outside Latin-1") << QStringList{"startup", "20 €", ""} << "LINE1: \"€\"";
        QTest::newRow("command prefix") << QStringList{"text", QString(QChar(0xFE))} << "code FE";
        QTest::newRow("end of line in a definition")
            << QStringList{"define-screen", "1", "", "\r"} << "code 0D";
        QTest::newRow("not a number") << QStringList{"goto", "1", "x"} << "COL \"x\"";
        QTest::newRow("a fraction is not rounded")
            << QStringList{"goto", "1", "1.5"} << "COL \"1.5\" is not a whole number from 0 to 15";
        QTest::newRow("no such row") << QStringList{"delete-row", "2"} << "ROW \"2\"";
        QTest::newRow("no such column") << QStringList{"bar", "0", "16", "5"} << "COL \"16\"";
        QTest::newRow("bar too long") << QStringList{"bar", "0", "0", "81"} << "LENGTH \"81\"";
        QTest::newRow("above 255") << QStringList{"auto-off", "256"} << "SECONDS \"256\"";
        QTest::newRow("control bytes shown escaped")
            << QStringList{"goto", "\x1b[31m", "0"} << "ROW \"\\x1B[31m\"";
        QTest::newRow("not an escape") << QStringList{"-e", "text", "a\\q"} << "LINE1: \"\\q\"";
        QTest::newRow("a near command")
            << QStringList{"txt", "a"} << "unknown command \"txt\"; did you mean \"text\"?";
        QTest::newRow("no such screen")
            << QStringList{"define-screen", "11", "a", "b"} << "N \"11\"";
        QTest::newRow("no such output") << QStringList{"outputs", "Out1,Out4"} << "Out1,Out4";
        QTest::newRow("pattern") << QStringList{"char", "1", "#####,0,0,0,0,0,0,32"} << "row 8";
        QTest::newRow("patterns past 8")
            << QStringList{"char", "8", "0,0,0,0,0,0,0,0", "0,0,0,0,0,0,0,0"} << "past character 8";
        QTest::newRow("odd hex") << QStringList{"raw", "FE 0"} << "HEX";
        QTest::newRow("argument count") << QStringList{"bar", "1", "2"} << "bar takes 3 to 4";
        QTest::newRow("unknown command") << QStringList{"blink"} << "blink";
        QTest::newRow("speed") << QStringList{"--speed", "4800", "clear"} << "--speed \"4800\"";
        QTest::newRow("timeout") << QStringList{"--timeout", "soon", "clear"} << "--timeout";
        QTest::newRow("line option") << QStringList{"-"} << "line 1: --port";
        QTest::newRow("settings file in no encoding")
            << QStringList{"--ini", "@twomarks", "clear"} << "cannot be read: It begins with two";
    }

    void badArgumentsSendNothing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, told);
        PtyPair line;
        QTemporaryDir dir;
        QFile ini(dir.filePath("twomarks.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("\xEF\xBB\xBF\xEF\xBB\xBF[Settings]\nCommPort=1\n");
        ini.close();
        arguments.replaceInStrings("@twomarks", ini.fileName());
        const QStringList port =
            arguments.contains("--ini") ? QStringList() : QStringList{"--port", line.slavePath()};
        const CtlRun run = RunCtl(port + arguments, "--port /dev/null clear\n");
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(told), qPrintable(run.err));
        QByteArray written;
        QCOMPARE(line.readInto(written), 0);
    }

    void portThatCannotBeOpened_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("told");
        QTest::newRow("missing device")
            << QStringList{"--port", "/nonexistent/tty"} << "/nonexistent/tty: not found";
        QTest::newRow("not a serial device")
            << QStringList{"--port", "/dev/null"} << "/dev/null: not a serial device";
        QTest::newRow("the panel's port")
            << QStringList{"--ini", "@/panel.ini"} << "@/gone: not found";
    }

    // The settings file maps the panel's port to a device that is not there.
    void portThatCannotBeOpened()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, told);
        QTemporaryDir dir;
        QFile ini(dir.filePath("panel.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Settings]\nCommPort=3\n[Ports]\nCOM3=" + dir.filePath("gone").toUtf8() + "\n");
        ini.close();
        arguments.replaceInStrings("@", dir.path());
        const CtlRun run = RunCtl(arguments + QStringList{"clear"});
        QCOMPARE(run.exitCode, 3);
        QVERIFY2(run.err.contains(told.replace("@", dir.path())), qPrintable(run.err));
    }

    void portHeldByAnotherVantorctl()
    {
        PtyPair line;
        QProcess holder;
        holder.start(VANTORCTL_PATH, {"--port", line.slavePath(), "-"});
        holder.write("text held\n");
        QCOMPARE(line.readExactly(5), QByteArray("held\x0c"));
        const CtlRun run = RunCtl({"--port", line.slavePath(), "clear"});
        QCOMPARE(run.exitCode, 3);
        QVERIFY2(run.err.contains(line.slavePath()
                                  + ": in use by another program. It is held by "
                                    "vantorctl, process "
                                  + QString::number(holder.processId())),
                 qPrintable(run.err));
        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(10000));
        QCOMPARE(holder.exitCode(), 0);
    }

    // Nobody answers on a bare pseudo-terminal: the read goes out and times
    // out; a watch leaves the fields empty and ends with status 1.
    void boardThatDoesNotAnswer()
    {
        PtyPair silent;
        const CtlRun watched = RunCtl(
            {"--port", silent.slavePath(), "--timeout", "100", "watch", "current", "--count", "1"});
        QCOMPARE(watched.exitCode, 1);
        QVERIFY2(watched.out.startsWith("time,milliamperes\n") && watched.out.endsWith(",\n"),
                 qPrintable(watched.out));
        PtyPair line;
        const CtlRun run =
            RunCtl({"--port", line.slavePath(), "--timeout", "200", "read", "voltage"});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("no reply from the board within 200 ms"), qPrintable(run.err));
        QCOMPARE(run.out, QString());
        QByteArray written;
        QVERIFY(line.readInto(written) > 0);
    }

private:
    // vantorctl on the board, which the settings file makes the panel's port.
    CtlRun onBoard(const QStringList &arguments, const QByteArray &input = {})
    {
        return RunCtl(QStringList{"--ini", m_ini} + arguments, input);
    }
    // True once the trace since the test began holds every line, in order.

    bool traced(const QStringList &lines)
    {
        m_trace += QString::fromUtf8(m_board.readAllStandardOutput());
        qsizetype at = m_mark;
        for (const QString &line : lines) {
            at = m_trace.indexOf(line, at);
            if (at < 0)
                return false;
        }
        return true;
    }

    QTemporaryDir m_dir;
    QString m_ini;
    QProcess m_board;
    QString m_trace;
    qsizetype m_mark = 0;
};

QTEST_GUILESS_MAIN(tst_VantorCtl)
#include "tst_vantorctl.moc"
