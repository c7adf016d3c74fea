#pragma once

#include "protocol/commandtable.h"

#include <QList>
#include <QString>
#include <optional>

// A range of an analog axis: scaled to the readings shown, or fixed.
struct AxisRange
{
    bool automatic = true;
    double from = 0;
    double to = 0;

    // "auto", or the two ends: "0,10".
    QString text() const;
    // No value for a text that is neither, or a range that is empty.
    static std::optional<AxisRange> parse(const QString &text);
};

// What the operator chose in the plot window, kept in section [Plot] of the
// settings file; a missing or unusable entry keeps its default.
struct PlotChoices
{
    int intervalMs = 1000;
    QList<ReadKind> readings{ReadKind::Voltage, ReadKind::Current, ReadKind::Inputs};
    int spanSeconds = 60; // 0: all the polls kept
    AxisRange volts{true, 0, 10};
    AxisRange milliamps{true, 0, 20};

    static PlotChoices read();
    // Writes the entries whose value differs from the file's.
    void write() const;
};
