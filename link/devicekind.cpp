#include "link/devicekind.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
// A character device is a serial line when it opens as a terminal; one that
// does not open now (in use, no permission, a port without hardware) is left
// for the opening itself to tell.
DeviceKind KindOfCharacterDevice(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return DeviceKind::Unknown;
    const bool terminal = ::isatty(fd) == 1;
    ::close(fd);
    return terminal ? DeviceKind::SerialLine : DeviceKind::NotSerial;
}
#endif

} // namespace

DeviceKind KindOfDevice(const QString &path)
{
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    struct stat status = {};
    if (path.isEmpty() || ::stat(name.constData(), &status) != 0)
        return DeviceKind::Missing;
    if (!S_ISCHR(status.st_mode))
        return DeviceKind::NotSerial;
    return KindOfCharacterDevice(name);
#else
    return QFile::exists(path) ? DeviceKind::Unknown : DeviceKind::Missing;
#endif
}

QString WhatItIs(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat status = {};
    if (KindOfDevice(path) != DeviceKind::NotSerial
        || ::stat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    if (S_ISREG(status.st_mode))
        return QStringLiteral("a regular file");
    if (S_ISDIR(status.st_mode))
        return QStringLiteral("a folder");
    if (S_ISFIFO(status.st_mode))
        return QStringLiteral("a named pipe");
    if (S_ISSOCK(status.st_mode))
        return QStringLiteral("a socket");
    return QStringLiteral("a device that is no serial line");
#else
    Q_UNUSED(path)
    return {};
#endif
}
