#pragma once

#include <QString>

// What stands at a path given as a serial device, told without keeping it open.
enum class DeviceKind
{
    Missing,    // nothing there (also a link that leads nowhere)
    SerialLine, // a terminal line: a serial port, an adapter, a pseudo-terminal
    NotSerial,  // something else: a regular file, a folder, a pipe, /dev/null
    Unknown,    // a device that cannot be opened now to tell (busy, no permission)
};

DeviceKind KindOfDevice(const QString &path);

// What a path that is no serial line is, for the operator ("a regular file",
// "a folder", "a device that is no serial line"); empty for any other kind.
QString WhatItIs(const QString &path);
