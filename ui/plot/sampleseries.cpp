#include "ui/plot/sampleseries.h"

#include <algorithm>
#include <cmath>
#include <limits>

void SampleSeries::add(qint64 ms, std::optional<double> value)
{
    const Sample sample{ms, value.value_or(std::numeric_limits<double>::quiet_NaN())};
    if (m_samples.size() < size_t(Capacity)) {
        // Grown by doubling, but never past the bound.
        if (m_samples.size() == m_samples.capacity())
            m_samples.reserve(
                std::min(std::max<size_t>(2 * m_samples.size(), 64), size_t(Capacity)));
        m_samples.push_back(sample);
        return;
    }
    m_samples[m_start] = sample;
    m_start = (m_start + 1) % m_samples.size();
}

void SampleSeries::clear()
{
    m_samples.clear();
    m_start = 0;
}

const SampleSeries::Sample &SampleSeries::at(int i) const
{
    return m_samples[(m_start + size_t(i)) % m_samples.size()];
}

int SampleSeries::firstAtOrAfter(qint64 ms) const
{
    int low = 0;
    int high = size();
    while (low < high) {
        const int middle = (low + high) / 2;
        if (at(middle).ms < ms)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

SampleSeries::Stats SampleSeries::stats(qint64 fromMs) const
{
    Stats stats;
    double sum = 0;
    for (int i = firstAtOrAfter(fromMs); i < size(); ++i) {
        const double value = at(i).value;
        if (at(i).isGap()) {
            ++stats.gaps;
            continue;
        }
        stats.min = stats.readings ? std::min(stats.min, value) : value;
        stats.max = stats.readings ? std::max(stats.max, value) : value;
        stats.last = value;
        sum += value;
        ++stats.readings;
    }
    if (stats.readings)
        stats.mean = sum / stats.readings;
    return stats;
}

std::vector<SampleSeries::Column> SampleSeries::columns(qint64 fromMs, qint64 toMs, int count) const
{
    std::vector<Column> columns(size_t(std::max(count, 0)));
    if (columns.empty() || toMs <= fromMs)
        return columns;
    const double perMs = double(count) / double(toMs - fromMs);
    bool broken = true;
    for (int i = firstAtOrAfter(fromMs); i < size() && at(i).ms <= toMs; ++i) {
        const Sample &sample = at(i);
        Column &column = columns[size_t(std::min(count - 1, int((sample.ms - fromMs) * perMs)))];
        if (sample.isGap()) {
            column.gap = broken = true;
            continue;
        }
        const auto bits = quint8(std::clamp(std::lround(sample.value), 0L, 255L));
        if (!column.any) {
            column.any = true;
            column.breakBefore = broken;
            column.first = column.min = column.max = sample.value;
        }
        column.last = sample.value;
        column.min = std::min(column.min, sample.value);
        column.max = std::max(column.max, sample.value);
        column.high |= bits;
        column.low |= quint8(~bits);
        broken = false;
    }
    return columns;
}
