#include "link/deviceholder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

namespace {

// The lock file a Qt program (and most others) makes for a device it opens:
// LCK.. and the device's name below /dev, slashes as underscores.
QString LockFileFor(const QString &device)
{
    QString name = device.startsWith(u"/dev/") ? device.mid(5) : device;
    name.replace(u'/', u'_');
    return QStringLiteral("/var/lock/LCK..") + name;
}

QString ProgramName(qint64 pid)
{
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    if (!comm.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(comm.readAll()).trimmed();
}

bool Running(qint64 pid)
{
    return pid > 0 && QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid));
}

// A process of this user (or any, for root) with the device among its open files.
qint64 ProcessWithDeviceOpen(const QString &device)
{
    const QStringList processes = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &process : processes) {
        bool ok = false;
        const qint64 pid = process.toLongLong(&ok);
        if (!ok || pid == QCoreApplication::applicationPid())
            continue;
        const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
        for (const QFileInfo &fd : fds.entryInfoList(QDir::System | QDir::NoDotAndDotDot)) {
            if (fd.symLinkTarget() == device)
                return pid;
        }
    }
    return 0;
}

} // namespace

QString DeviceHolder(const QString &device)
{
    const QString canonical = QFileInfo(device).canonicalFilePath();
    if (canonical.isEmpty())
        return {};
    qint64 pid = 0;
    QString host, program;
    if (!QLockFile(LockFileFor(canonical)).getLockInfo(&pid, &host, &program) || !Running(pid))
        pid = ProcessWithDeviceOpen(canonical);
    if (pid <= 0)
        return {};
    const QString name = ProgramName(pid);
    return name.isEmpty() ? QStringLiteral("process %1").arg(pid)
                          : QStringLiteral("%1, process %2").arg(name).arg(pid);
}
