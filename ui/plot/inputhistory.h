#pragma once

#include "protocol/readingset.h"
#include "ui/plot/sampleseries.h"

#include <array>

// The polls of the plot window, one series per reading (see SampleSeries for
// the bound). Every poll adds to each series it read: a value, or a gap for a
// read without reply.
class InputHistory
{
public:
    // Adds the readings of the chosen kinds at the poll's time.
    void add(const ReadingSet &readings, const QList<ReadKind> &chosen);
    void clear();
    const SampleSeries &series(ReadKind kind) const;
    // The time of the last poll kept; 0 when there is none.
    qint64 lastMs() const { return m_lastMs; }
    // The time of the oldest poll kept; 0 when there is none.
    qint64 firstMs() const;

private:
    static size_t slot(ReadKind kind);

    std::array<SampleSeries, 3> m_series;
    qint64 m_lastMs = 0;
};
