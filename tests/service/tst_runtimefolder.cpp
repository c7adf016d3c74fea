// The user's folder for the sockets: where it is, that it is made private,
// and that a folder another user could have put there is refused.
#include "service/runtimefolder.h"
#include "support/testdata.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Puts at `path` what a row names: nothing, a link to a private folder, a
// regular file, a folder of another user or a folder of some mode.
bool plant(const QString &kind, const QByteArray &path)
{
    if (kind == QLatin1String("missing"))
        return true;
    if (kind == QLatin1String("link"))
        return ::mkdir(path + ".real", 0700) == 0 && ::symlink(path + ".real", path) == 0;
    if (kind == QLatin1String("file"))
        return QFile(QFile::decodeName(path)).open(QIODevice::WriteOnly);
    if (::mkdir(path, 0700) != 0)
        return false;
    if (kind == QLatin1String("chown"))
        return ::chown(path, 65534, 65534) == 0;
    return ::chmod(path, kind.toUInt(nullptr, 8)) == 0;
}

mode_t modeOf(const QString &path)
{
    struct stat info = {};
    ::lstat(QFile::encodeName(path).constData(), &info);
    return info.st_mode;
}

} // namespace

class tst_RuntimeFolder : public QObject
{
    Q_OBJECT

private slots:
    void folderFollowsTheEnvironment_data()
    {
        QTest::addColumn<QString>("runtimeDir"); // "@" for a temporary folder; null: unset
        QTest::addColumn<bool>("usesIt");
        dataRow("an absolute, existing folder", QStringLiteral("@"), true);
        dataRow("unset", QString(), false);
        dataRow("relative", QStringLiteral("run/user"), false);
        dataRow("missing", QStringLiteral("@/missing"), false);
    }

    void folderFollowsTheEnvironment()
    {
        QFETCH(QString, runtimeDir);
        QFETCH(bool, usesIt);
        const bool wasSet = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
        const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
        const auto restore = qScopeGuard(
            [&] { wasSet ? qputenv("XDG_RUNTIME_DIR", saved) : qunsetenv("XDG_RUNTIME_DIR"); });
        QTemporaryDir temporary;
        runtimeDir.replace(QLatin1Char('@'), temporary.path());
        if (runtimeDir.isNull())
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir));

        const QString own = QStringLiteral("/tmp/vantor-%1").arg(::geteuid());
        QCOMPARE(RuntimeFolder::path(), usesIt ? runtimeDir + QStringLiteral("/vantor") : own);
    }

    void onlyAPrivateFolderIsUsed_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("why"); // empty: used
        dataRow("missing: created", QStringLiteral("missing"), QString());
        dataRow("private", QStringLiteral("700"), QString());
        dataRow("a symbolic link", QStringLiteral("link"), QStringLiteral("a symbolic link"));
        dataRow("group may enter", QStringLiteral("750"), QStringLiteral("(mode 0750)"));
        dataRow("others may enter", QStringLiteral("701"), QStringLiteral("(mode 0701)"));
        dataRow("a regular file", QStringLiteral("file"), QStringLiteral("not a folder"));
        dataRow("another user's", QStringLiteral("chown"), QStringLiteral("belongs to user 65534"));
    }

    void onlyAPrivateFolderIsUsed()
    {
        QFETCH(QString, kind);
        QFETCH(QString, why);
        if (kind == QLatin1String("chown") && ::geteuid() != 0)
            QSKIP("Giving a folder to another user needs root");
        QTemporaryDir temporary;
        const QString folder = temporary.filePath(QStringLiteral("vantor"));
        QVERIFY(plant(kind, QFile::encodeName(folder)));

        QString error;
        const mode_t umask = ::umask(0); // private whatever the umask
        const std::optional<QString> used = RuntimeFolder::prepareAt(folder, &error);
        ::umask(umask);
        QCOMPARE(used, why.isEmpty() ? std::optional(folder) : std::nullopt);
        QVERIFY2(why.isEmpty() ? error.isEmpty() : error.startsWith(folder) && error.contains(why),
                 qPrintable(error));
        if (used)
            QCOMPARE(modeOf(folder), S_IFDIR | 0700);
        if (kind == QLatin1String("link"))
            QCOMPARE(modeOf(folder + QStringLiteral(".real")), S_IFDIR | 0700); // left alone
    }

    void socketIsShortAndOnePerDevice()
    {
        const QString folder = QStringLiteral("/run/user/1000/vantor");
        const QString usb0 = RuntimeFolder::socketPath(folder, QStringLiteral("/dev/ttyUSB0"));
        const QString deep =
            QStringLiteral("/dev/serial/by-path/") + QString(300, QLatin1Char('x'));
        QVERIFY(QDir::match(folder + QStringLiteral("/board-????????????????.sock"), usb0));
        QCOMPARE(RuntimeFolder::socketPath(folder, deep).size(), usb0.size());
        QVERIFY(RuntimeFolder::socketPath(folder, QStringLiteral("/dev/ttyUSB1")) != usb0);
    }
};

QTEST_APPLESS_MAIN(tst_RuntimeFolder)
#include "tst_runtimefolder.moc"
