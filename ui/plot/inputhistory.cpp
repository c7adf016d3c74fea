#include "ui/plot/inputhistory.h"

#include <limits>

void InputHistory::add(const ReadingSet &readings, const QList<ReadKind> &chosen)
{
    const qint64 ms = readings.time().toMSecsSinceEpoch();
    for (const ReadKind kind : chosen)
        m_series[slot(kind)].add(ms, readings.value(kind));
    if (!chosen.isEmpty())
        m_lastMs = ms;
}

void InputHistory::clear()
{
    for (SampleSeries &series : m_series)
        series.clear();
    m_lastMs = 0;
}

const SampleSeries &InputHistory::series(ReadKind kind) const
{
    return m_series[slot(kind)];
}

qint64 InputHistory::firstMs() const
{
    qint64 first = std::numeric_limits<qint64>::max();
    for (const SampleSeries &series : m_series) {
        if (series.size() > 0)
            first = std::min(first, series.at(0).ms);
    }
    return first == std::numeric_limits<qint64>::max() ? 0 : first;
}

// Inputs 1, voltage 2, current 3, as the values of ReadKind.
size_t InputHistory::slot(ReadKind kind)
{
    return size_t(std::max(int(kind), 1) - 1);
}
