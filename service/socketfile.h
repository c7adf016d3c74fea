#pragma once

#include <QString>

#include <optional>
#include <sys/un.h>

// The file of a listening local socket, made free before a program listens.
namespace SocketFile {

// Makes `path` free for a new socket. A socket on which nobody answers (left
// by an owner that was killed) is removed; so is anything else there that is
// no socket (a symbolic link, a regular file), as an entry: a link is never
// followed to its target. A socket on which a program answers is kept, and
// so is anything that cannot be removed: false, and *error says why.
bool clear(const QString &path, QString *error);

// The address of a local socket at `path`; nothing (errno ENAMETOOLONG) when
// the path is too long for one.
std::optional<sockaddr_un> address(const QString &path);

} // namespace SocketFile
