// The settings file: private-profile matching, limits, in-place updates and
// writes that never leave a half-written file.
#include "link/inifile.h"
#include "link/modini.h"
#include "support/testdata.h"
#include "support/testini.h"

#include <QFile>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QByteArray Utf8Mark = "\xEF\xBB\xBF";

QByteArray Utf16(const char *text, QStringConverter::Encoding encoding)
{
    QStringEncoder encoder(encoding, QStringConverter::Flag::WriteBom);
    return encoder.encode(QString::fromUtf8(text));
}

} // namespace

class tst_SettingsFile : public QObject
{
    Q_OBJECT

private slots:
    void lookupIgnoresCase_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        dataRow("lower-case file", "[startup]\nline1=HELLO\n"_ba, "Startup", "LINE1", "HELLO");
        dataRow("blanks around names", "[ Settings ]\n  CommPort = 2 \n"_ba, "settings", "commport",
                "2");
        dataRow("quoted value", "[Startup]\nLine1=\" spaced \"\n"_ba, "Startup", "Line1",
                " spaced ");
        dataRow("comment line skipped", "[A]\n;B=1\nB=2\n"_ba, "A", "b", "2");
        dataRow("equals in value", "[A]\nB=x=y\n"_ba, "A", "B", "x=y");
        dataRow("key in other section ignored", "[X]\nB=1\n[A]\nB=2\n"_ba, "a", "B", "2");
    }

    void lookupIgnoresCase()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        TestIni ini;
        ini.setContents(contents);
        QCOMPARE(ReadIniValue(section, key), value);
    }

    void missingOrEmptyReadsEmpty_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("empty value") << QByteArray("[Settings]\nCommPort=\n");
        QTest::newRow("missing key") << QByteArray("[Settings]\nSetting=9600,n,8,1\n");
        QTest::newRow("missing section") << QByteArray("[Backlight]\nCommPort=3\n");
        QTest::newRow("binary garbage") << QByteArray("\x00\xFF[\x01]\n=\n\xFE\r\r\n[", 12);
    }

    void missingOrEmptyReadsEmpty()
    {
        QFETCH(QByteArray, contents);
        TestIni ini;
        QCOMPARE(ReadIniValue("Settings", "CommPort"), QString()); // no file at all
        ini.setContents(contents);
        QCOMPARE(ReadIniValue("Settings", "CommPort"), QString());
    }

    void valuesAreCutTo254Characters()
    {
        TestIni ini;
        const QString longValue(300, QLatin1Char('x'));
        WriteIniValue("Startup", "Line1", longValue);
        QCOMPARE(ReadIniValue("Startup", "LINE1"), longValue.left(254));
    }

    void writeCreatesFileSectionAndKey()
    {
        TestIni ini;
        WriteIniValue("Startup", "Line1", "HELLO");
        WriteIniValue("Startup", "Line2", "WORLD");
        WriteIniValue("Backlight", "AutoOff", "30");
        QCOMPARE(ini.contents(),
                 QByteArray("[Startup]\nLine1=HELLO\nLine2=WORLD\n[Backlight]\nAutoOff=30\n"));
    }

    void differentlySpelledKeyIsOneEntry()
    {
        TestIni ini;
        WriteIniValue("Startup", "Line1", "FIRST");
        WriteIniValue("STARTUP", "LINE1", "SECOND");
        QCOMPARE(ReadIniValue("startup", "line1"), QStringLiteral("SECOND"));
        QCOMPARE(ini.contents().count("="), 1);
    }

    void valueWithLineBreakStaysOneEntry()
    {
        TestIni ini;
        WriteIniValue("Startup", "Line1", "A\n[Settings]\nCommPort=6");
        QCOMPARE(ReadIniValue("Settings", "CommPort"), QString());
        QCOMPARE(ReadIniValue("Startup", "Line1"), QStringLiteral("A [Settings] CommPort=6"));
    }

    void writtenValuesReadBack_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("plain") << "HELLO WORLD";
        QTest::newRow("empty") << "";
        QTest::newRow("latin-1") << QString::fromUtf8("Gr\u00fc\u00dfe \u00b0C");
        QTest::newRow("brackets and equals") << "[x]=y;z";
        QTest::newRow("16 blanks inside") << "A                B";
        QTest::newRow("outer blanks") << "  Hello A";
        QTest::newRow("only blanks") << "   ";
        QTest::newRow("tab in front") << "\tX";
        QTest::newRow("in double quotes") << "\"quoted\"";
        QTest::newRow("in single quotes") << "'x'";
    }

    void writtenValuesReadBack()
    {
        QFETCH(QString, value);
        TestIni ini;
        ini.setContents("[Startup]\nLine1=old\nLine2=keep\n");
        WriteIniValue("Startup", "Line1", value);
        QCOMPARE(ReadIniValue("Startup", "LINE1"), value);
        QCOMPARE(ReadIniValue("Startup", "LINE2"), QStringLiteral("keep"));
    }

    // One value read, one written: the rest of the file stays as it was, line
    // ends and encoding included.
    void fileFormIsReadAndKept_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("writtenKey");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QByteArray>("after");
        dataRow(
            "replaced in place, the rest kept",
            "; panel settings\n[Settings]\nCommPort=1\nFlavour=unknown\n\n[Ports]\nCOM1=/dev/pts/7\n"_ba,
            "settings", "CommPort", "1", "COMMPORT", "4",
            "; panel settings\n[Settings]\nCOMMPORT=4\nFlavour=unknown\n\n[Ports]\nCOM1=/dev/pts/7\n"_ba);
        dataRow("new key at the end of its section",
                "[Settings]\nCommPort=1\n\n[Backlight]\nLevel=128\n"_ba, "Settings", "CommPort",
                "1", "Setting", "19200,n,8,1",
                "[Settings]\nCommPort=1\nSetting=19200,n,8,1\n\n[Backlight]\nLevel=128\n"_ba);
        dataRow("duplicate sections: the first is used", "[A]\nK=1\n[B]\n[a]\nK=2\n"_ba, "A", "K",
                "1", "K", "3", "[A]\nK=3\n[B]\n[a]\nK=2\n"_ba);
        dataRow("no final newline", "[Backlight]\nLevel=77"_ba, "Backlight", "Level", "77",
                "AutoOff", "0", "[Backlight]\nLevel=77\nAutoOff=0\n"_ba);
        dataRow("CRLF line ends", "[Settings]\r\nCommPort=1\r\n"_ba, "Settings", "CommPort", "1",
                "Setting", "9600,n,8,1", "[Settings]\r\nCommPort=1\r\nSetting=9600,n,8,1\r\n"_ba);
        dataRow("CR line ends", "[Settings]\rCommPort=2\r"_ba, "Settings", "CommPort", "2",
                "Setting", "9600,n,8,1", "[Settings]\rCommPort=2\rSetting=9600,n,8,1\r"_ba);
        dataRow("CR line ends, none at the end", "[Ports]\rCOM1=/dev/x\r[Settings]\rCommPort=2"_ba,
                "Settings", "CommPort", "2", "Setting", "9600,n,8,1",
                "[Ports]\rCOM1=/dev/x\r[Settings]\rCommPort=2\rSetting=9600,n,8,1\r"_ba);
        // Each line keeps its own ending; a new line takes the most common one.
        dataRow("one CRLF line among LF lines",
                "[Ports]\r\nCOM1=/dev/x\n[Settings]\nCommPort=2\n"_ba, "Settings", "CommPort", "2",
                "Setting", "9600,n,8,1",
                "[Ports]\r\nCOM1=/dev/x\n[Settings]\nCommPort=2\nSetting=9600,n,8,1\n"_ba);
        dataRow("one LF line among CRLF lines", "[Settings]\r\nCommPort=2\r\n[Notes]\nA=1\r\n"_ba,
                "Settings", "CommPort", "2", "Setting", "9600,n,8,1",
                "[Settings]\r\nCommPort=2\r\nSetting=9600,n,8,1\r\n[Notes]\nA=1\r\n"_ba);
        // A value the reader would trim or unquote goes in double quotes.
        dataRow("outer blanks quoted", "[Settings]\nCommPort=2\n"_ba, "Settings", "CommPort", "2",
                "Setting", "  9600,n,8,1", "[Settings]\nCommPort=2\nSetting=\"  9600,n,8,1\"\n"_ba);
        dataRow("UTF-8 mark", Utf8Mark + "[Settings]\nCommPort=2\n", "Settings", "CommPort", "2",
                "Setting", "9600,n,8,1", Utf8Mark + "[Settings]\nCommPort=2\nSetting=9600,n,8,1\n");
        dataRow("UTF-8 text after the mark", Utf8Mark + "[Settings]\nOwner=J\xC3\xBCrgen\n",
                "Settings", "Owner", QString::fromUtf8("J\u00fcrgen"), "Setting",
                QString::fromUtf8("\u00b0C"),
                Utf8Mark
                    + "[Settings]\nOwner=J\xC3\xBCrgen\nSetting=\xC2\xB0"
                      "C\n");
        dataRow(
            "UTF-16 little-endian",
            Utf16("[Settings]\r\nCommPort=2\r\n", QStringConverter::Utf16LE), "Settings",
            "CommPort", "2", "Setting", "9600,n,8,1",
            Utf16("[Settings]\r\nCommPort=2\r\nSetting=9600,n,8,1\r\n", QStringConverter::Utf16LE));
        dataRow("UTF-16 big-endian", Utf16("[Settings]\nCommPort=2\n", QStringConverter::Utf16BE),
                "Settings", "CommPort", "2", "Setting", "9600,n,8,1",
                Utf16("[Settings]\nCommPort=2\nSetting=9600,n,8,1\n", QStringConverter::Utf16BE));
    }

    void fileFormIsReadAndKept()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, writtenKey);
        QFETCH(QString, written);
        QFETCH(QByteArray, after);
        TestIni ini;
        ini.setContents(before);
        QCOMPARE(ReadIniValue(section, key), value);
        WriteIniValue(section, writtenKey, written);
        QCOMPARE(ini.contents(), after);
        QCOMPARE(ReadIniValue(section, writtenKey), written);
    }

    void unwritableFolderLeavesOldFileAndIsReported()
    {
        QList<IniWriteFailure> failures;
        SetIniWriteFailureHandler([&](const IniWriteFailure &failure) { failures << failure; });
        // /proc refuses new files even to root; a missing folder refuses them too.
        for (const QString &folder :
             {QStringLiteral("/proc"), QStringLiteral("/nonexistent/vantor")}) {
            SetIniFolder(folder);
            WriteIniValue("Settings", "CommPort", "5");
            QCOMPARE(ReadIniValue("Settings", "CommPort"), QString());
            QCOMPARE(failures.size(), 1);
            QCOMPARE(failures.takeFirst().path, folder + "/vantor.ini");
        }
        SetIniFolder(QString());
        if (geteuid() != 0) { // root writes into read-only folders
            TestIni ini;
            ini.setContents("[Settings]\nCommPort=2\n");
            chmod(QFile::encodeName(ini.folder()).constData(), 0555);
            WriteIniValue("Settings", "CommPort", "5");
            chmod(QFile::encodeName(ini.folder()).constData(), 0755);
            QCOMPARE(ini.contents(), QByteArray("[Settings]\nCommPort=2\n"));
            QCOMPARE(failures.size(), 1);
            QCOMPARE(failures.first().reason, QStringLiteral("Permission denied"));
        }
        SetIniWriteFailureHandler({});
    }

    void unreadableFileIsNotReplaced_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("contents");
        // A folder where the file should be cannot be read as a file.
        QTest::newRow("folder") << "folder" << QByteArray();
        // A pipe would block the reader for ever.
        QTest::newRow("pipe") << "pipe" << QByteArray();
        // Text that does not follow the encoding its mark declares: any write would garble it.
        QTest::newRow("UTF-16 with an odd byte")
            << "file" << Utf16("[Settings]\nCommPort=2\n", QStringConverter::Utf16LE) + 'x';
        QTest::newRow("UTF-8 mark over Latin-1")
            << "file" << Utf8Mark + "[Settings]\nCommPort=2\nOwner=J\xFCrgen\n";
        // Text whose encoding cannot be told for sure.
        QTest::newRow("UTF-16 without a mark")
            << "file" << Utf16("[Settings]\nCommPort=2\n", QStringConverter::Utf16LE).mid(2);
        QTest::newRow("two marks") << "file" << Utf8Mark + Utf8Mark + "[Settings]\nCommPort=2\n";
    }

    void unreadableFileIsNotReplaced()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, contents);
        TestIni ini;
        if (kind == "folder")
            QVERIFY(QDir(ini.folder()).mkdir("vantor.ini"));
        else if (kind == "pipe")
            QCOMPARE(mkfifo(QFile::encodeName(ini.path()).constData(), 0644), 0);
        else
            ini.setContents(contents);
        const QFileInfo before(ini.path());

        QCOMPARE(ReadIniValue("Settings", "CommPort"), QString());
        QVERIFY(!IniFile::write(ini.path(), "Settings", "CommPort", "3"));
        const QFileInfo after(ini.path());
        QCOMPARE(after.isDir(), before.isDir());
        QCOMPARE(after.isFile(), before.isFile());
        if (kind == "file")
            QCOMPARE(ini.contents(), contents);
    }

    void folderGetsExactlyOneSeparator()
    {
        SetIniFolder("/");
        QCOMPARE(IniFolder(), QStringLiteral("/"));
        QCOMPARE(IniPath(), QStringLiteral("/vantor.ini"));
        SetIniFolder("/opt/vantor");
        QCOMPARE(IniFolder(), QStringLiteral("/opt/vantor/"));
        SetIniFolder("/opt/vantor/");
        QCOMPARE(IniFolder(), QStringLiteral("/opt/vantor/"));
        SetIniFolder(QString());
        QCOMPARE(IniFolder(), QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    }

    void locationIsChosen_data()
    {
        QTest::addColumn<QString>("programFolder"); // empty: a fresh folder
        QTest::addColumn<bool>("writable");
        QTest::addColumn<bool>("copyBeside");
        QTest::addColumn<bool>("userCopy");
        QTest::addColumn<bool>("inUserFolder");
        QTest::addColumn<bool>("seeded");
        QTest::newRow("portable") << "" << true << true << true << false << false;
        QTest::newRow("portable, no file yet") << "" << true << false << false << false << false;
        QTest::newRow("read-only, copy beside") << "" << false << true << false << true << true;
        QTest::newRow("read-only, user has a copy") << "" << false << true << true << true << false;
        QTest::newRow("read-only, no copy") << "" << false << false << false << true << false;
        QTest::newRow("under /usr/") << "/usr/bin" << true << false << false << true << false;
    }

    void locationIsChosen()
    {
        QFETCH(QString, programFolder);
        QFETCH(bool, writable);
        QFETCH(bool, copyBeside);
        QFETCH(bool, userCopy);
        QFETCH(bool, inUserFolder);
        QFETCH(bool, seeded);
        TestIni program;
        TestIni user;
        if (programFolder.isEmpty())
            programFolder = program.folder();
        if (copyBeside)
            program.setContents("[Ports]\nCOM1=/dev/ttyUSB0\n");
        if (userCopy)
            user.setContents("[Settings]\nCommPort=2\n");

        const IniLocation chosen = ChooseIniLocation(programFolder, writable, user.folder());
        QCOMPARE(chosen.folder, (inUserFolder ? user.folder() : programFolder) + QLatin1Char('/'));
        QCOMPARE(chosen.seedPath, seeded ? program.path() : QString());
    }

    void copyBesideProgramSeedsUsersCopy()
    {
        TestIni program;
        TestIni user;
        const QByteArray beside = "[Settings]\nCommPort=3\n[Ports]\nCOM3=/dev/ttyUSB1\n";
        program.setContents(beside);
        SetIniLocation(ChooseIniLocation(program.folder(), false, user.folder()));

        QCOMPARE(ReadIniValue("Ports", "COM3"), QStringLiteral("/dev/ttyUSB1"));
        WriteIniValue("Settings", "CommPort", "4");
        QCOMPARE(user.contents(),
                 QByteArray("[Settings]\nCommPort=4\n[Ports]\nCOM3=/dev/ttyUSB1\n"));
        QCOMPARE(program.contents(), beside);
        QCOMPARE(ReadIniValue("Settings", "CommPort"), QStringLiteral("4"));
    }
};

QTEST_GUILESS_MAIN(tst_SettingsFile)
#include "tst_settingsfile.moc"
