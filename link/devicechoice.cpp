#include "link/devicechoice.h"

#include "link/devicekind.h"
#include "link/inifile.h"
#include "link/inikeys.h"
#include "link/modini.h"
#include "protocol/bytetext.h"

namespace {

// Why the path would not read back from the settings file as it is; nothing
// when it would.
std::optional<QString> WhyNotKept(const QString &path, int port)
{
    if (IniKeepsValue(Ini::PortsSection, Ini::PortKey(port), path))
        return std::nullopt;
    if (path.contains(u'\n') || path.contains(u'\r'))
        return QStringLiteral("its name holds a line break");
    if (path.size() > IniFile::MaxValueLength || path.toUtf8().size() > IniFile::MaxValueLength)
        return QStringLiteral("its name is longer than the %1 characters a setting holds")
            .arg(IniFile::MaxValueLength);
    return QStringLiteral("its name holds characters the settings file cannot keep");
}

} // namespace

DeviceChoiceCheck CheckDeviceChoice(const QString &path, int port)
{
    if (const auto why = WhyNotKept(path, port))
        return {DeviceChoiceCheck::Refuse,
                QStringLiteral("%1 cannot be kept in the settings file: %2. Make a link with a "
                               "plain name to it (for example: ln -s <device> ~/vantor-board) "
                               "and choose the link.")
                    .arg(QuotedChars(path), *why)};
    switch (KindOfDevice(path)) {
    case DeviceKind::Missing:
        return {DeviceChoiceCheck::AskFirst,
                QStringLiteral("%1 does not exist now. Map COM %2 to it and wait for it?")
                    .arg(QuotedChars(path))
                    .arg(port)};
    case DeviceKind::NotSerial:
        return {DeviceChoiceCheck::Refuse,
                QStringLiteral("%1 is not a serial device (%2), so COM %3 keeps its device.")
                    .arg(QuotedChars(path), WhatItIs(path))
                    .arg(port)};
    case DeviceKind::SerialLine:
    case DeviceKind::Unknown: break;
    }
    return {};
}
