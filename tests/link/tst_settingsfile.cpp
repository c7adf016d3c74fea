// The settings file: private-profile matching, limits, in-place updates and
// writes that never leave a half-written file.
#include "link/inifile.h"
#include "link/modini.h"
#include "support/testini.h"

#include <QFile>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

class tst_SettingsFile : public QObject
{
    Q_OBJECT

private slots:
    void lookupIgnoresCase_data();
    void lookupIgnoresCase();
    void missingOrEmptyReadsEmpty_data();
    void missingOrEmptyReadsEmpty();
    void valuesAreCutTo254Characters();

    void writeCreatesFileSectionAndKey();
    void writeReplacesInPlaceAndKeepsEverythingElse();
    void writeAddsKeyToTheEndOfItsSection();
    void differentlySpelledKeyIsOneEntry();
    void crlfFilesKeepTheirLineEnds();
    void fileWithoutFinalNewline();
    void duplicateSectionsUseTheFirst();
    void valueWithLineBreakStaysOneEntry();
    void writtenValuesReadBack_data();
    void writtenValuesReadBack();

    void unwritableFolderLeavesOldFileAndReportsNothing();
    void unreadableFileIsNotReplaced();
    void folderGetsExactlyOneSeparator();
};

void tst_SettingsFile::lookupIgnoresCase_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("lower-case file") << QByteArray("[startup]\nline1=HELLO\n") << "Startup"
                                     << "LINE1"
                                     << "HELLO";
    QTest::newRow("blanks around names")
        << QByteArray("[ Settings ]\n  CommPort = 2 \n") << "settings"
        << "commport"
        << "2";
    QTest::newRow("quoted value") << QByteArray("[Startup]\nLine1=\" spaced \"\n") << "Startup"
                                  << "Line1"
                                  << " spaced ";
    QTest::newRow("comment line skipped") << QByteArray("[A]\n;B=1\nB=2\n") << "A"
                                          << "b"
                                          << "2";
    QTest::newRow("equals in value") << QByteArray("[A]\nB=x=y\n") << "A"
                                     << "B"
                                     << "x=y";
    QTest::newRow("key in other section ignored") << QByteArray("[X]\nB=1\n[A]\nB=2\n") << "a"
                                                  << "B"
                                                  << "2";
}

void tst_SettingsFile::lookupIgnoresCase()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    TestIni ini;
    ini.setContents(contents);
    QCOMPARE(ReadIniValue(section, key), value);
}

void tst_SettingsFile::missingOrEmptyReadsEmpty_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::newRow("empty value") << QByteArray("[Settings]\nCommPort=\n");
    QTest::newRow("missing key") << QByteArray("[Settings]\nSetting=9600,n,8,1\n");
    QTest::newRow("missing section") << QByteArray("[Backlight]\nCommPort=3\n");
    QTest::newRow("binary garbage") << QByteArray("\x00\xFF[\x01]\n=\n\xFE\r\r\n[", 12);
}

void tst_SettingsFile::missingOrEmptyReadsEmpty()
{
    QFETCH(QByteArray, contents);
    TestIni ini;
    QCOMPARE(ReadIniValue("Settings", "CommPort"), QString()); // no file at all
    ini.setContents(contents);
    QCOMPARE(ReadIniValue("Settings", "CommPort"), QString());
}

void tst_SettingsFile::valuesAreCutTo254Characters()
{
    TestIni ini;
    const QString longValue(300, QLatin1Char('x'));
    WriteIniValue("Startup", "Line1", longValue);
    QCOMPARE(ReadIniValue("Startup", "LINE1"), longValue.left(254));
}

void tst_SettingsFile::writeCreatesFileSectionAndKey()
{
    TestIni ini;
    WriteIniValue("Startup", "Line1", "HELLO");
    WriteIniValue("Startup", "Line2", "WORLD");
    WriteIniValue("Backlight", "AutoOff", "30");
    QCOMPARE(ini.contents(),
             QByteArray("[Startup]\nLine1=HELLO\nLine2=WORLD\n[Backlight]\nAutoOff=30\n"));
}

void tst_SettingsFile::writeReplacesInPlaceAndKeepsEverythingElse()
{
    TestIni ini;
    ini.setContents(
        "; panel settings\n[Settings]\nCommPort=1\nFlavour=unknown\n\n[Ports]\nCOM1=/dev/pts/7\n");
    WriteIniValue("settings", "COMMPORT", "4");
    QCOMPARE(
        ini.contents(),
        QByteArray(
            "; panel "
            "settings\n[Settings]\nCOMMPORT=4\nFlavour=unknown\n\n[Ports]\nCOM1=/dev/pts/7\n"));
}

void tst_SettingsFile::writeAddsKeyToTheEndOfItsSection()
{
    TestIni ini;
    ini.setContents("[Settings]\nCommPort=1\n\n[Backlight]\nLevel=128\n");
    WriteIniValue("Settings", "Setting", "19200,n,8,1");
    QCOMPARE(ini.contents(),
             QByteArray("[Settings]\nCommPort=1\nSetting=19200,n,8,1\n\n[Backlight]\nLevel=128\n"));
}

void tst_SettingsFile::differentlySpelledKeyIsOneEntry()
{
    TestIni ini;
    WriteIniValue("Startup", "Line1", "FIRST");
    WriteIniValue("STARTUP", "LINE1", "SECOND");
    QCOMPARE(ReadIniValue("startup", "line1"), QStringLiteral("SECOND"));
    QCOMPARE(ini.contents().count("="), 1);
}

void tst_SettingsFile::crlfFilesKeepTheirLineEnds()
{
    TestIni ini;
    ini.setContents("[Settings]\r\nCommPort=1\r\n");
    QCOMPARE(ReadIniValue("Settings", "CommPort"), QStringLiteral("1"));
    WriteIniValue("Settings", "Setting", "9600,n,8,1");
    QCOMPARE(ini.contents(), QByteArray("[Settings]\r\nCommPort=1\r\nSetting=9600,n,8,1\r\n"));
}

void tst_SettingsFile::fileWithoutFinalNewline()
{
    TestIni ini;
    ini.setContents("[Backlight]\nLevel=77");
    QCOMPARE(ReadIniValue("Backlight", "Level"), QStringLiteral("77"));
    WriteIniValue("Backlight", "AutoOff", "0");
    QCOMPARE(ini.contents(), QByteArray("[Backlight]\nLevel=77\nAutoOff=0\n"));
}

void tst_SettingsFile::duplicateSectionsUseTheFirst()
{
    TestIni ini;
    ini.setContents("[A]\nK=1\n[B]\n[a]\nK=2\n");
    QCOMPARE(ReadIniValue("A", "K"), QStringLiteral("1"));
    WriteIniValue("A", "K", "3");
    QCOMPARE(ini.contents(), QByteArray("[A]\nK=3\n[B]\n[a]\nK=2\n"));
}

void tst_SettingsFile::valueWithLineBreakStaysOneEntry()
{
    TestIni ini;
    WriteIniValue("Startup", "Line1", "A\n[Settings]\nCommPort=6");
    QCOMPARE(ReadIniValue("Settings", "CommPort"), QString());
    QCOMPARE(ReadIniValue("Startup", "Line1"), QStringLiteral("A [Settings] CommPort=6"));
}

void tst_SettingsFile::writtenValuesReadBack_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << "HELLO WORLD";
    QTest::newRow("empty") << "";
    QTest::newRow("latin-1") << QString::fromUtf8("Gr\u00fc\u00dfe \u00b0C");
    QTest::newRow("brackets and equals") << "[x]=y;z";
    QTest::newRow("16 blanks inside") << "A                B";
}

void tst_SettingsFile::writtenValuesReadBack()
{
    QFETCH(QString, value);
    TestIni ini;
    ini.setContents("[Startup]\nLine1=old\nLine2=keep\n");
    WriteIniValue("Startup", "Line1", value);
    QCOMPARE(ReadIniValue("Startup", "LINE1"), value);
    QCOMPARE(ReadIniValue("Startup", "LINE2"), QStringLiteral("keep"));
}

void tst_SettingsFile::unwritableFolderLeavesOldFileAndReportsNothing()
{
    // /proc refuses new files even to root; a missing folder refuses them too.
    for (const QString &folder : {QStringLiteral("/proc"), QStringLiteral("/nonexistent/vantor")}) {
        SetIniFolder(folder);
        WriteIniValue("Settings", "CommPort", "5");
        QCOMPARE(ReadIniValue("Settings", "CommPort"), QString());
    }
    SetIniFolder(QString());
    if (geteuid() == 0)
        return; // root writes into read-only folders
    TestIni ini;
    ini.setContents("[Settings]\nCommPort=2\n");
    chmod(QFile::encodeName(ini.folder()).constData(), 0555);
    WriteIniValue("Settings", "CommPort", "5");
    chmod(QFile::encodeName(ini.folder()).constData(), 0755);
    QCOMPARE(ini.contents(), QByteArray("[Settings]\nCommPort=2\n"));
}

void tst_SettingsFile::unreadableFileIsNotReplaced()
{
    {
        // A folder where the file should be cannot be read as a file: nothing may replace it.
        TestIni ini;
        QVERIFY(QDir(ini.folder()).mkdir("vantor.ini"));
        QVERIFY(!IniFile::write(ini.path(), "Settings", "CommPort", "3"));
        QVERIFY(QFileInfo(ini.path()).isDir());
        QCOMPARE(ReadIniValue("Settings", "CommPort"), QString());
    }
    {
        // A pipe would block the reader for ever: it reads as no file and is left alone.
        TestIni ini;
        QCOMPARE(mkfifo(QFile::encodeName(ini.path()).constData(), 0644), 0);
        QCOMPARE(ReadIniValue("Settings", "CommPort"), QString());
        QVERIFY(!IniFile::write(ini.path(), "Settings", "CommPort", "3"));
        QVERIFY(!QFileInfo(ini.path()).isFile());
    }
}

void tst_SettingsFile::folderGetsExactlyOneSeparator()
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

QTEST_GUILESS_MAIN(tst_SettingsFile)
#include "tst_settingsfile.moc"
