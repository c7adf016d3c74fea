#include "service/runtimefolder.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The hash digits in a socket's name: 64 bits keep two devices apart.
constexpr int NameDigits = 16;

std::optional<QString> fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return std::nullopt;
}

// What makes an existing folder unsafe for the sockets; empty when nothing.
QString problemWith(const QString &folder)
{
    struct stat info = {};
    if (::lstat(QFile::encodeName(folder).constData(), &info) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    if (S_ISLNK(info.st_mode))
        return QStringLiteral("it is a symbolic link");
    if (!S_ISDIR(info.st_mode))
        return QStringLiteral("it is not a folder");
    if (info.st_uid != ::geteuid())
        return QStringLiteral("it belongs to user %1").arg(info.st_uid);
    if ((info.st_mode & 077) != 0)
        return QStringLiteral("it is open to other users (mode %1)")
            .arg(info.st_mode & 07777, 4, 8, QLatin1Char('0'));
    return {};
}

} // namespace

namespace RuntimeFolder {

QString path()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QFileInfo info(runtime);
    if (!runtime.isEmpty() && info.isAbsolute() && info.isDir())
        return runtime + QStringLiteral("/vantor");
    return QStringLiteral("/tmp/vantor-%1").arg(::geteuid());
}

std::optional<QString> prepare(QString *error)
{
    return prepareAt(path(), error);
}

std::optional<QString> prepareAt(const QString &folder, QString *error)
{
    const QByteArray name = QFile::encodeName(folder);
    if (::mkdir(name.constData(), 0700) == 0)
        ::chmod(name.constData(), 0700); // the umask may have taken the user's own bits
    else if (errno != EEXIST)
        return fail(error, QStringLiteral("Cannot create %1: %2")
                               .arg(folder, QString::fromLocal8Bit(std::strerror(errno))));
    if (const QString problem = problemWith(folder); !problem.isEmpty())
        return fail(error, QStringLiteral("%1 is not used for the port's sockets: %2 "
                                          "(someone else may have put it there)")
                               .arg(folder, problem));
    return folder;
}

QString socketPath(const QString &folder, const QString &canonicalDevice)
{
    const QByteArray hash =
        QCryptographicHash::hash(QFile::encodeName(canonicalDevice), QCryptographicHash::Sha1);
    const QString digits = QString::fromLatin1(hash.toHex().left(NameDigits));
    return QStringLiteral("%1/board-%2.sock").arg(folder, digits);
}

} // namespace RuntimeFolder
