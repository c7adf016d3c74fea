#pragma once

#include <QString>

// Every section and key name of the settings file. Names match without regard
// to case when read; a write uses the spelling given here.
namespace Ini {

inline const QString FileName = QStringLiteral("vantor.ini");

// The port number and the serial settings text: read at start-up, written by
// the main window when it closes.
inline const QString SettingsSection = QStringLiteral("Settings");
inline const QString CommPortKey = QStringLiteral("CommPort");
inline const QString SettingKey = QStringLiteral("Setting");
// Whether the port follows the board to the speed "Send Configuration" told
// it: "1" or "0" (the default); written when the operator ticks the item.
inline const QString FollowBoardSpeedKey = QStringLiteral("FollowBoardSpeed");

// The brightness, written by the main window when it closes, and the auto-off
// interval, written by the configuration window when it closes.
inline const QString BacklightSection = QStringLiteral("Backlight");
inline const QString LevelKey = QStringLiteral("Level");
inline const QString AutoOffKey = QStringLiteral("AutoOff");

// The board's start-up screen. The configuration window reads the lines as
// LINE1 and LINE2 and writes them as Line1 and Line2: the same entries, since
// names match without regard to case, in the two spellings the file has always had.
inline const QString StartupSection = QStringLiteral("Startup");
inline const QString Line1ReadKey = QStringLiteral("LINE1");
inline const QString Line2ReadKey = QStringLiteral("LINE2");
inline const QString Line1Key = QStringLiteral("Line1");
inline const QString Line2Key = QStringLiteral("Line2");

// The device behind each port number, COM1 to COM6: written by hand, by
// scripts/run or by the device chooser; read when the main window chooses a
// port (see PortDevices).
inline const QString PortsSection = QStringLiteral("Ports");
inline QString PortKey(int port)
{
    return QStringLiteral("COM%1").arg(port);
}
// A device path is bytes, on Linux UTF-8 in practice: in a file without a
// byte-order mark, this section's values are read as UTF-8 when they are
// valid UTF-8 and written as UTF-8, where every other value is one byte a
// character.
inline bool HoldsDevicePaths(const QString &section)
{
    return section.compare(PortsSection, Qt::CaseInsensitive) == 0;
}

// The plot window's choices, written when it closes: the poll interval in
// seconds ("0.5"), the readings polled ("voltage,current,inputs"), the span
// shown in seconds, and each analog axis' range ("auto", or "0,10").
inline const QString PlotSection = QStringLiteral("Plot");
inline const QString IntervalKey = QStringLiteral("Interval");
inline const QString ReadingsKey = QStringLiteral("Readings");
inline const QString SpanKey = QStringLiteral("Span");
inline const QString VoltsRangeKey = QStringLiteral("VoltsRange");
inline const QString MilliampsRangeKey = QStringLiteral("MilliampsRange");

// The traffic monitor's time column, written when it closes: "elapsed" (ms
// since the panel started) or "clock" (the time of day with milliseconds).
inline const QString TrafficSection = QStringLiteral("Traffic");
inline const QString TimeKey = QStringLiteral("Time");

} // namespace Ini
