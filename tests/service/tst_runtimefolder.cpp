// The user's folder for the sockets: where it is, that it is made private,
// and that a folder another user could have put there is refused.

#include "service/runtimefolder.h"
#include "support/testdata.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString Unset = QStringLiteral("(unset)");
const QString Temporary = QStringLiteral("@"); // stands for a temporary folder in a row

int modeOf(const QString &path)
{
    struct stat info = {};
    ::lstat(QFile::encodeName(path).constData(), &info);
    return int(info.st_mode & 07777);
}

// Puts at `path` what a row names: a link to a private folder, a folder of
// some mode, a regular file, or a folder of another user.
bool plant(const QString &kind, const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    if (kind == QLatin1String("link"))
        return ::mkdir(name + ".real", 0700) == 0 && ::symlink(name + ".real", name) == 0;
    if (kind == QLatin1String("file"))
        return QFile(path).open(QIODevice::WriteOnly);
    if (::mkdir(name, 0700) != 0)
        return false;
    if (kind == QLatin1String("chown"))
        return ::chown(name, 65534, 65534) == 0;
    return ::chmod(name, kind.toUInt(nullptr, 8)) == 0;
}

} // namespace

class tst_RuntimeFolder : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_saved = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")
                      ? std::optional(qgetenv("XDG_RUNTIME_DIR"))
                      : std::nullopt;
    }
    void cleanup()
    {
        if (m_saved)
            qputenv("XDG_RUNTIME_DIR", *m_saved);
        else
            qunsetenv("XDG_RUNTIME_DIR");
    }

    void folderFollowsTheEnvironment_data()
    {
        QTest::addColumn<QString>("runtimeDir");
        QTest::addColumn<bool>("usesIt");
        dataRow("an absolute, existing folder", Temporary, true);
        dataRow("unset", Unset, false);
        dataRow("relative", QStringLiteral("run/user"), false);
        dataRow("missing", Temporary + QStringLiteral("/missing"), false);
    }

    void folderFollowsTheEnvironment()
    {
        QFETCH(QString, runtimeDir);
        QFETCH(bool, usesIt);
        QTemporaryDir temporary;
        runtimeDir.replace(Temporary, temporary.path());
        if (runtimeDir == Unset)
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir));

        const QString own = QStringLiteral("/tmp/vantor-%1").arg(::geteuid());
        QCOMPARE(RuntimeFolder::path(), usesIt ? runtimeDir + QStringLiteral("/vantor") : own);
    }

    void missingFolderIsCreatedPrivate()
    {
        QTemporaryDir temporary;
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(temporary.path()));
        const QString expected = temporary.path() + QStringLiteral("/vantor");
        QString error;
        const mode_t umask = ::umask(0); // private whatever the umask
        const auto folder = RuntimeFolder::prepare(&error);
        ::umask(umask);
        QCOMPARE(folder, expected);
        QCOMPARE(modeOf(expected), 0700);
        QCOMPARE(RuntimeFolder::prepare(&error), expected); // and used again
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }

    void unsafeFolderIsRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("why");
        dataRow("a symbolic link", QStringLiteral("link"), QStringLiteral("a symbolic link"));
        dataRow("group may enter", QStringLiteral("750"), QStringLiteral("(mode 0750)"));
        dataRow("others may enter", QStringLiteral("701"), QStringLiteral("(mode 0701)"));
        dataRow("a regular file", QStringLiteral("file"), QStringLiteral("not a folder"));
        dataRow("another user's", QStringLiteral("chown"), QStringLiteral("belongs to user 65534"));
    }

    void unsafeFolderIsRefused()
    {
        QFETCH(QString, kind);
        QFETCH(QString, why);
        if (kind == QLatin1String("chown") && ::geteuid() != 0)
            QSKIP("Giving a folder to another user needs root");
        QTemporaryDir temporary;
        const QString folder = temporary.path() + QStringLiteral("/vantor");
        QVERIFY(plant(kind, folder));

        QString error;
        QCOMPARE(RuntimeFolder::prepareAt(folder, &error), std::nullopt);
        QVERIFY2(error.startsWith(folder) && error.contains(why), qPrintable(error));
        if (kind == QLatin1String("link"))
            QCOMPARE(modeOf(folder + QStringLiteral(".real")), 0700); // its target untouched
    }

    void socketIsShortAndOnePerDevice()
    {
        const QString folder = QStringLiteral("/run/user/1000/vantor");
        const QString usb0 = RuntimeFolder::socketPath(folder, QStringLiteral("/dev/ttyUSB0"));
        const QString deep =
            QStringLiteral("/dev/serial/by-path/") + QString(300, QLatin1Char('x'));
        QVERIFY(QDir::match(folder + QStringLiteral("/board-????????????????.sock"), usb0));
        QCOMPARE(RuntimeFolder::socketPath(folder, deep).size(), usb0.size());
        QCOMPARE(RuntimeFolder::socketPath(folder, QStringLiteral("/dev/ttyUSB0")), usb0);
        QVERIFY(RuntimeFolder::socketPath(folder, QStringLiteral("/dev/ttyUSB1")) != usb0);
    }

private:
    std::optional<QByteArray> m_saved; // the test's own environment, put back after each case
};

QTEST_APPLESS_MAIN(tst_RuntimeFolder)
#include "tst_runtimefolder.moc"
