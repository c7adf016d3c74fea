// The main window over a settings file that is damaged, odd or cannot be
// written: it starts, falls back where it must, keeps every line it does not
// own, and tells the operator once when the settings could not be saved.

#include "support/mainwindowharness.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRandomGenerator>

namespace {

// Stands for the pseudo-terminal's path in the file contents below.
const QByteArray Pty = "@PTY@";

QByteArray withPty(QByteArray contents, const QString &path)
{
    return contents.replace(Pty, path.toLocal8Bit());
}

// Bytes of every kind, line ends and brackets included, but no carriage
// return: the file stays one with plain line ends.
QByteArray binaryGarbage(int size)
{
    QRandomGenerator random(4711);
    QByteArray bytes;
    while (bytes.size() < size) {
        const char byte = char(random.bounded(256));
        if (byte != '\r')
            bytes += byte;
    }
    return bytes + '\n';
}

// About 20 MB of entries in a section the panel does not use.
QByteArray manyLines()
{
    QByteArray lines;
    lines.reserve(21 * 1024 * 1024);
    for (int n = 0; lines.size() < 20 * 1024 * 1024; ++n)
        lines += "Entry" + QByteArray::number(n) + "=some text the panel never reads\n";
    return lines;
}

} // namespace

class tst_SettingsFaults : public QObject
{
    Q_OBJECT

private slots:
    void oddFileStartsAndKeepsOtherLines_data();
    void oddFileStartsAndKeepsOtherLines();
    void unwritableFolderIsToldOnce_data();
    void unreadableFileMapsNoPort_data();
    void unreadableFileMapsNoPort();
    void unwritableFolderIsToldOnce();
};

void tst_SettingsFaults::oddFileStartsAndKeepsOtherLines_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("speedItem");
    QTest::addColumn<QByteArray>("after");

    // An unusable port falls back to COM 1, a missing level to the slider's 50.
    dataRow("CRLF line ends",
            QByteArray("[Settings]\r\nCommPort=9\r\nSetting=19200,n,8,1\r\n[Backlight]\r\n"
                       "AutoOff=30\r\n[Ports]\r\nCOM1=@PTY@\r\n"),
            "mnuBaudRate1",
            QByteArray("[Settings]\r\nCommPort=1\r\nSetting=19200,n,8,1\r\n[Backlight]\r\n"
                       "AutoOff=30\r\nLevel=50\r\n[Ports]\r\nCOM1=@PTY@\r\n"));
    dataRow("no final line end",
            QByteArray("[Ports]\nCOM1=@PTY@\n[Settings]\nCommPort=1\n[Backlight]\nLevel=120"),
            "mnuBaudRate0",
            QByteArray("[Ports]\nCOM1=@PTY@\n[Settings]\nCommPort=1\nSetting=9600,n,8,1\n"
                       "[Backlight]\nLevel=120\n"));
    // The first of two sections counts; the second is left as it was.
    dataRow("duplicate sections",
            QByteArray("[Settings]\nCommPort=1\n[Ports]\nCOM1=@PTY@\n[settings]\nCommPort=5\n"
                       "Setting=19200,n,8,1\n[Backlight]\n[BACKLIGHT]\nLevel=200\n"),
            "mnuBaudRate0",
            QByteArray("[Settings]\nCommPort=1\nSetting=9600,n,8,1\n[Ports]\nCOM1=@PTY@\n"
                       "[settings]\nCommPort=5\nSetting=19200,n,8,1\n[Backlight]\nLevel=50\n"
                       "[BACKLIGHT]\nLevel=200\n"));
    const QByteArray garbage = binaryGarbage(64 * 1024);
    dataRow("binary garbage", garbage + "[Ports]\nCOM1=@PTY@\n", "mnuBaudRate0",
            garbage
                + "[Ports]\nCOM1=@PTY@\n[Backlight]\nLevel=50\n[Settings]\nCommPort=1\n"
                  "Setting=9600,n,8,1\n");
    const QByteArray notes = "[Notes]\n" + manyLines();
    dataRow("20 MB of other entries",
            "[Settings]\nCommPort=1\nSetting=fast\n[Ports]\nCOM1=@PTY@\n" + notes
                + "[Backlight]\nLevel=70\nAutoOff=30\n",
            "mnuBaudRate0",
            "[Settings]\nCommPort=1\nSetting=9600,n,8,1\n[Ports]\nCOM1=@PTY@\n" + notes
                + "[Backlight]\nLevel=70\nAutoOff=30\n");
    dataRow("20 MB value",
            "[Settings]\nCommPort=1\nSetting=" + QByteArray(20 * 1024 * 1024, '9')
                + "\n[Ports]\nCOM1=@PTY@\n",
            "mnuBaudRate0",
            QByteArray("[Settings]\nCommPort=1\nSetting=9600,n,8,1\n[Ports]\nCOM1=@PTY@\n"
                       "[Backlight]\nLevel=50\n"));
}

void tst_SettingsFaults::oddFileStartsAndKeepsOtherLines()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, speedItem);
    QFETCH(QByteArray, after);
    MainWindowHarness run;
    run.ini.setContents(withPty(before, run.board.slavePath()));
    run.start();

    QVERIFY(run.port->PortOpen()); // the board's entry was found in the file
    QCOMPARE(run.port->CommPort(), 1);
    QVERIFY(run.find<QAction>(QStringLiteral("mnuPort1"))->isChecked());
    QVERIFY(run.find<QAction>(speedItem)->isChecked());
    QCOMPARE(run.boxes.count(), 0);
    run.click(QStringLiteral("cmdClearLCD"));
    QCOMPARE(run.board.read().right(1), hex("0D"));

    run.window->close();
    QCOMPARE(run.boxes.count(), 0);
    const QByteArray written = run.ini.contents();
    QCOMPARE(written.size(), withPty(after, run.board.slavePath()).size());
    QVERIFY(written == withPty(after, run.board.slavePath()));
}

// A file that is there but cannot be read maps no port to a device: its
// mapping is not taken for no mapping, which would lead to the platform's
// device. The status bar says why.
void tst_SettingsFaults::unreadableFileMapsNoPort_data()
{
    QTest::addColumn<QByteArray>("contents");
    const QByteArray mark = "\xEF\xBB\xBF";
    dataRow("two byte-order marks", mark + mark + "[Ports]\nCOM1=@PTY@\n");
    QByteArray wide;
    for (const char c : QByteArray("[Ports]\nCOM1=@PTY@\n"))
        wide += QByteArray(1, c) + '\0';
    dataRow("UTF-16 without a mark", wide);
}

void tst_SettingsFaults::unreadableFileMapsNoPort()
{
    QFETCH(QByteArray, contents);
    MainWindowHarness run;
    run.ini.setContents(contents);
    run.start();

    QVERIFY(!run.port->PortOpen());
    QCOMPARE(run.shown("lblState"), QStringLiteral("Closed: no device"));
    QVERIFY(run.shown("lblNote").contains(QStringLiteral("cannot be read, so no port leads")));
    run.window->close();
    QCOMPARE(run.ini.contents(), contents); // never rewritten
}

void tst_SettingsFaults::unwritableFolderIsToldOnce_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("reason");
    // Tests may run as root, who writes into read-only folders: these refuse even root.
    dataRow("under /proc", "/proc", "No such file or directory");
    dataRow("parent is a regular file", "regular-file/vantor", "Not a directory");
}

void tst_SettingsFaults::unwritableFolderIsToldOnce()
{
    QFETCH(QString, folder);
    QFETCH(QString, reason);
    MainWindowHarness run;
    run.settings("[Settings]\nCommPort=1\nSetting=9600,n,8,1\n[Backlight]\nLevel=50\n"
                 "AutoOff=30\n[Startup]\nLine1=KEPT\n");
    const QByteArray original = run.ini.contents();
    QFile regularFile(QDir(run.ini.folder()).filePath(QStringLiteral("regular-file")));
    QVERIFY(regularFile.open(QIODevice::WriteOnly));
    regularFile.write("not a folder\n");
    regularFile.close();
    run.start();

    // From now on every read finds nothing and every write fails.
    SetIniFolder(folder.startsWith(QLatin1Char('/')) ? folder
                                                     : QDir(run.ini.folder()).filePath(folder));
    run.find<QAction>(QStringLiteral("mnuConfig"))->trigger();
    auto *config = run.window->findChild<QWidget *>(QStringLiteral("frmConfig"));
    QVERIFY(config && config->isVisible());
    auto *line1 = config->findChild<QLineEdit *>(QStringLiteral("txtLine1"));
    QCOMPARE(line1->text(), QString());
    typeText(line1, QStringLiteral("LOST"));
    config->close();
    QVERIFY(!config->isVisible());
    // The first of its three failed writes is told, with the file and the reason.
    QCOMPARE(run.boxes.count(), 1);
    QCOMPARE(run.boxes.boxes().first().icon, QMessageBox::Warning);
    QCOMPARE(run.boxes.texts().first(),
             QStringLiteral("The settings could not be saved to %1.\nReason: %2")
                 .arg(IniPath(), reason));

    // The panel runs on, and the main window's failed writes stay quiet.
    run.click(QStringLiteral("cmdClearLCD"));
    QCOMPARE(run.board.read().right(1), hex("0D"));
    run.window->close();
    QCOMPARE(run.boxes.count(), 1);

    SetIniFolder(run.ini.folder());
    QCOMPARE(run.ini.contents(), original);
    QCOMPARE(QDir(run.ini.folder()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList({"regular-file", "vantor.ini"}));
    QVERIFY(regularFile.open(QIODevice::ReadOnly));
    QCOMPARE(regularFile.readAll(), QByteArray("not a folder\n"));
}

QTEST_MAIN(tst_SettingsFaults)
#include "tst_settingsfaults.moc"
