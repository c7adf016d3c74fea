#pragma once

#include <QStringList>

// vantorctl serve runs as a program of its own, vantorctl-serve: it links
// the MQTT bridge's libraries (libmosquitto, and OpenSSL through it), which
// would cost every other vantorctl command milliseconds of start-up to load.
// The program replaces this process with the same arguments, so a service
// manager, a script or a test keeps the process it started. It is looked for
// beside vantorctl (a build tree), then where an installation puts it from
// vantorctl's folder (bin/../libexec/vantorapp). Returns only when it cannot
// be run: exit status 3, told why.
int ExecServe(const QStringList &arguments);
