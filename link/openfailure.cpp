#include "link/openfailure.h"

#include "link/deviceholder.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#endif

QString OpenFailureReason(OpenFailure failure, const QString &systemText)
{
    switch (failure) {
    case OpenFailure::None: return {};
    case OpenFailure::NotFound: return QStringLiteral("not found");
    case OpenFailure::NoDevice: return QStringLiteral("no device");
    case OpenFailure::NotSerialDevice: return QStringLiteral("not a serial device");
    case OpenFailure::PermissionDenied: return QStringLiteral("permission denied");
    case OpenFailure::InUse: return QStringLiteral("in use by another program");
    case OpenFailure::Other: break;
    }
    return systemText.isEmpty() ? QStringLiteral("could not be opened") : systemText;
}

QString OpenFailureText(const QString &device, OpenFailure failure, const QString &systemText)
{
    if (failure == OpenFailure::NoDevice)
        return QStringLiteral("No device is mapped to this port.");
    QString text = QStringLiteral("%1: %2.").arg(device, OpenFailureReason(failure, systemText));
    if (failure == OpenFailure::InUse) {
        const QString holder = DeviceHolder(device);
        return holder.isEmpty() ? text : text + QStringLiteral(" It is held by %1.").arg(holder);
    }
    if (failure != OpenFailure::PermissionDenied)
        return text;
    const DeviceAccess access = DeviceAccessOf(device);
    if (!access.group.isEmpty())
        return text
               + QStringLiteral(" The device belongs to the group \"%1\": on Linux the user "
                                "must be a member of it (for example: sudo usermod -aG %1 "
                                "$USER, then log in again).")
                     .arg(access.group);
    if (!access.owner.isEmpty())
        return text
               + QStringLiteral(" The device is open to no group, only to its owner \"%1\": "
                                "joining a group does not help; the administrator must give "
                                "the user access to it.")
                     .arg(access.owner);
    return text;
}

DeviceAccess DeviceAccessOf(const QString &device)
{
    DeviceAccess access;
#ifdef Q_OS_UNIX
    struct stat status = {};
    if (::stat(QFile::encodeName(device).constData(), &status) != 0)
        return access;
    const bool groupMayUse = (status.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    if (const group *owners = ::getgrgid(status.st_gid); owners && groupMayUse)
        access.group = QString::fromLocal8Bit(owners->gr_name);
    if (const passwd *owner = ::getpwuid(status.st_uid))
        access.owner = QString::fromLocal8Bit(owner->pw_name);
#else
    Q_UNUSED(device)
#endif
    return access;
}
