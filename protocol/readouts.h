#pragma once

#include "protocol/commandtable.h"

#include <QByteArray>
#include <QString>
#include <optional>

// Replies of the read commands, turned into the texts of the read-outs.

// Volts per count of the 0-10 V input and milliamperes per count of the 0-20 mA input.
inline constexpr double VoltsPerCount = 0.0098;
inline constexpr double MilliampsPerCount = 0.02;

// The count of an analog reply: byte 1 high, byte 2 low, taken as unsigned
// 16 bits (0 to 65535). No value when the reply is shorter than 3 bytes.
std::optional<quint16> AnalogCount(const QByteArray &reply);

// A value as the analog read-outs show it: a leading blank for a value that is
// not negative, at most 15 significant digits, no trailing zeros, no zero
// before the point of a value below 1, always a full stop.
QString NumberText(double value);

// The value a reply reads: volts, milliamperes, or the inputs as a number from
// 0 to 255; no value when the reply is too short, or for no read.
std::optional<double> ReadingValue(ReadKind kind, const QByteArray &reply);

// The read-out texts; no value when the reply is too short.
std::optional<QString> InputsText(const QByteArray &reply);
std::optional<QString> VoltageText(const QByteArray &reply);
std::optional<QString> CurrentText(const QByteArray &reply);
// The read-out text of the reply to a read of that kind; no value when the
// reply is too short, or for no read.
std::optional<QString> ReadoutText(ReadKind kind, const QByteArray &reply);
