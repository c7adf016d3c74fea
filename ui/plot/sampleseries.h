#pragma once

#include <QtGlobal>
#include <cmath>
#include <optional>
#include <vector>

// The readings of one input over time, the last Capacity of them: one hour
// at the shortest poll interval (0.1 s), ten hours at the default 1 s; older
// ones are dropped, so memory stays bounded (16 bytes a reading, about
// 0.6 MB a series when full). A read without reply is kept as a gap. Times
// are ms since the epoch, in the order the readings came.
class SampleSeries
{
public:
    static constexpr int Capacity = 36'000;

    struct Sample
    {
        qint64 ms;
        double value; // NaN for a gap
        bool isGap() const { return std::isnan(value); }
    };

    // What the readings from a moment on come to.
    struct Stats
    {
        int readings = 0; // with a value
        int gaps = 0;
        double last = 0, min = 0, max = 0, mean = 0; // of the readings with a value
    };

    // One column of a drawing: the readings whose time falls into it.
    struct Column
    {
        bool any = false;         // a reading with a value falls into it
        bool gap = false;         // a gap falls into it
        bool breakBefore = false; // a gap came between the last value before it and its first
        double first = 0, last = 0, min = 0, max = 0;
        quint8 high = 0, low = 0; // bits set in some reading, bits clear in some reading
    };

    void add(qint64 ms, std::optional<double> value);
    void clear();
    int size() const { return int(m_samples.size()); }
    // 0 is the oldest kept.
    const Sample &at(int i) const;
    // The first sample at or after ms; size() when there is none.
    int firstAtOrAfter(qint64 ms) const;
    Stats stats(qint64 fromMs) const;
    // The samples from fromMs to toMs, in `count` columns of equal time: the
    // few hundred columns of a plot, whatever the number of samples.
    std::vector<Column> columns(qint64 fromMs, qint64 toMs, int count) const;

private:
    std::vector<Sample> m_samples; // a ring once full: the oldest at m_start
    size_t m_start = 0;
};
