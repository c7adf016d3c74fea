// Writes of the settings file under real faults, in real second processes: a
// file-size limit that stops the new copy half-way, and two panels writing at
// once. Nothing written before is ever lost.
#include "link/inifile.h"
#include "link/modini.h"
#include "support/childprocess.h"
#include "support/testini.h"

#include <QDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

namespace {

const QByteArray Settings = "[Settings]\nCommPort=2\nSetting=19200,n,8,1\n[Ports]\n"
                            "COM2=/dev/ttyUSB0\n[Notes]\nOwner=bench 4\n";

// The child's files may grow to `bytes`; a write past it fails with "File too
// large" instead of killing the child.
void LimitFileSize(rlim_t bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, bytes};
    setrlimit(RLIMIT_FSIZE, &limit);
}

} // namespace

class tst_SettingsWrites : public QObject
{
    Q_OBJECT

private slots:
    void writePastFileSizeLimitKeepsOldFile_data()
    {
        QTest::addColumn<QByteArray>("before"); // empty: no file yet
        QTest::addColumn<int>("limit");
        // The lock file fits under the limit, the new copy does not.
        QTest::newRow("new copy too large") << Settings << 150;
        QTest::newRow("no file yet") << QByteArray() << 150;
        QTest::newRow("not even the lock file") << Settings << 0;
    }

    void writePastFileSizeLimitKeepsOldFile()
    {
        QFETCH(QByteArray, before);
        QFETCH(int, limit);
        TestIni ini;
        if (!before.isEmpty())
            ini.setContents(before);

        const int written = RunInChild([&] {
            LimitFileSize(rlim_t(limit));
            return IniFile::write(ini.path(), "Startup", "Line1", QString(200, 'x')) ? 1 : 0;
        });
        QCOMPARE(written, 0); // the write said it failed
        QCOMPARE(ini.exists(), !before.isEmpty());
        QCOMPARE(ini.contents(), before);
        QCOMPARE(
            QDir(ini.folder()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
            before.isEmpty() ? QStringList() : QStringList{"vantor.ini"});
    }

    void twoProcessesKeepEachOthersKeys()
    {
        constexpr int KeysEach = 40;
        TestIni ini;
        ini.setContents(Settings);
        const auto writeKeys = [&](const QString &section) {
            return [&ini, section] {
                int failures = 0;
                for (int n = 0; n < KeysEach; ++n)
                    failures += !IniFile::write(ini.path(), section, QStringLiteral("Key%1").arg(n),
                                                QString::number(n));
                return failures;
            };
        };
        const pid_t first = StartChild(writeKeys(QStringLiteral("First")));
        const pid_t second = StartChild(writeKeys(QStringLiteral("Second")));
        QCOMPARE(WaitForChild(first), 0);
        QCOMPARE(WaitForChild(second), 0);

        for (const QString section : {"First", "Second"}) {
            for (int n = 0; n < KeysEach; ++n)
                QCOMPARE(ReadIniValue(section, QStringLiteral("Key%1").arg(n)), QString::number(n));
        }
        QCOMPARE(ReadIniValue("Ports", "COM2"), QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(ReadIniValue("Notes", "Owner"), QStringLiteral("bench 4"));
    }
};

QTEST_GUILESS_MAIN(tst_SettingsWrites)
#include "tst_settingswrites.moc"
