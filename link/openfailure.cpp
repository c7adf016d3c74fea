#include "link/openfailure.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <sys/stat.h>
#endif

QString OpenFailureReason(OpenFailure failure, const QString &systemText)
{
    switch (failure) {
    case OpenFailure::None: return {};
    case OpenFailure::NotFound: return QStringLiteral("not found");
    case OpenFailure::NotSerialDevice: return QStringLiteral("not a serial device");
    case OpenFailure::PermissionDenied: return QStringLiteral("permission denied");
    case OpenFailure::InUse: return QStringLiteral("in use by another program");
    case OpenFailure::Other: break;
    }
    return systemText.isEmpty() ? QStringLiteral("could not be opened") : systemText;
}

QString OpenFailureText(const QString &device, OpenFailure failure, const QString &systemText)
{
    QString text = QStringLiteral("%1: %2.").arg(device, OpenFailureReason(failure, systemText));
    if (failure == OpenFailure::PermissionDenied) {
        const QString group = DeviceGroup(device);
        if (!group.isEmpty())
            text += QStringLiteral(" The device belongs to the group \"%1\": on Linux the user "
                                   "must be a member of it (for example: sudo usermod -aG %1 "
                                   "$USER, then log in again).")
                        .arg(group);
    }
    return text;
}

QString DeviceGroup(const QString &device)
{
#ifdef Q_OS_UNIX
    struct stat status = {};
    if (::stat(QFile::encodeName(device).constData(), &status) != 0)
        return {};
    if (const group *owner = ::getgrgid(status.st_gid))
        return QString::fromLocal8Bit(owner->gr_name);
#else
    Q_UNUSED(device)
#endif
    return {};
}
