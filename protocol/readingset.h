#pragma once

#include "protocol/commandtable.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <array>
#include <optional>

// The readings of one poll of the inputs: when it was taken and, for each
// read, the value its reply gave, or nothing when no reply came (or the input
// was not read). Values are volts, milliamperes, and the digital inputs as a
// number from 0 to 255.
class ReadingSet
{
public:
    // The three reads in the order a poll takes them and a log lists them.
    static constexpr std::array<ReadKind, 3> Kinds = {ReadKind::Voltage, ReadKind::Current,
                                                      ReadKind::Inputs};

    // The reading's word, as vantorctl's read and watch and the settings file
    // write it: "voltage", "current", "inputs".
    static QString word(ReadKind kind);

    ReadingSet() = default;
    explicit ReadingSet(const QDateTime &time) : m_time(time) {}

    QDateTime time() const { return m_time; }
    // Takes the reply to a read of that kind; one too short leaves no value.
    void setReply(ReadKind kind, const QByteArray &reply);
    void setValue(ReadKind kind, std::optional<double> value);
    std::optional<double> value(ReadKind kind) const;

private:
    static int slot(ReadKind kind);

    QDateTime m_time;
    std::array<std::optional<double>, 3> m_values;
};
