#include "service/peercredentials.h"

#include <QFile>

#include <sys/socket.h>

std::optional<PeerCredentials> PeerCredentials::of(qintptr socket)
{
    struct ucred credentials = {};
    socklen_t size = sizeof credentials;
    if (socket < 0 || ::getsockopt(int(socket), SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0)
        return std::nullopt;
    return PeerCredentials{credentials.uid, credentials.pid};
}

QString PeerCredentials::label() const
{
    // The kernel's short name of the program (at most 15 characters), read
    // now: the program may be gone by the time someone looks.
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    const QString name =
        comm.open(QIODevice::ReadOnly) ? QString::fromUtf8(comm.readAll()).trimmed() : QString();
    if (name.isEmpty())
        return QStringLiteral("pid %1").arg(pid);
    return QStringLiteral("%1 %2").arg(name).arg(pid);
}
