#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>
#include <sys/types.h>

// Who is at the other end of a connected local socket, as the kernel recorded
// it when the peer connected (SO_PEERCRED): nothing the peer sends can change it.
struct PeerCredentials
{
    uid_t uid = 0;
    pid_t pid = 0;

    // The peer of a connected local socket; nothing when the socket cannot tell.
    static std::optional<PeerCredentials> of(qintptr socket);
    // The peer as a traffic monitor shows it: its program's name and pid
    // ("vantorctl 4711"), or "pid 4711" when the name cannot be read.
    QString label() const;
};
