#pragma once

#include <QString>
#include <optional>

// The user's private folder for the sockets on which the owners of boards'
// ports serve them, and the socket of each device in it. Owner and client
// find the same socket from the same device, so nothing else needs to agree.
namespace RuntimeFolder {

// The folder, from the environment alone: $XDG_RUNTIME_DIR/vantor when
// XDG_RUNTIME_DIR names an absolute path of an existing folder, else
// /tmp/vantor-<uid>. Nothing is checked or created.
QString path();

// path(), made ready for sockets (see prepareAt()).
std::optional<QString> prepare(QString *error);

// The folder, created with mode 0700 when it is missing. An existing one is
// used only when it is a real folder (not a symbolic link), belongs to this
// user and is closed to group and others: a folder that is not could have
// been put there by another user to catch the sockets. Otherwise nothing, and
// *error says why.
std::optional<QString> prepareAt(const QString &folder, QString *error);

// The socket of a device in the folder, from the device's canonical path
// (links followed, as the caller found it): board-<16 hex digits>.sock, short
// enough for a socket address whatever the device's path.
QString socketPath(const QString &folder, const QString &canonicalDevice);

} // namespace RuntimeFolder
