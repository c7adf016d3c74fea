#include "ui/plot/plotchoices.h"

#include "link/inputpoller.h"
#include "link/modini.h"
#include "protocol/readingset.h"
#include "protocol/textbytes.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

std::optional<double> Number(const QString &text)
{
    const auto number = DecimalNumber(text);
    if (!number || !std::isfinite(*number))
        return std::nullopt;
    return number;
}

// "auto" keeps the fixed ends the range had, for when it is fixed again.
void TakeRange(AxisRange &range, const QString &text)
{
    const auto stored = AxisRange::parse(text);
    if (stored && stored->automatic)
        range.automatic = true;
    else if (stored)
        range = *stored;
}

// "voltage,current,inputs": the names vantorctl gives the reads.
QString ReadingsText(const QList<ReadKind> &kinds)
{
    QStringList names;
    for (const ReadKind kind : ReadingSet::Kinds) {
        if (kinds.contains(kind))
            names << ReadingSet::word(kind);
    }
    return names.join(u',');
}

std::optional<QList<ReadKind>> ParseReadings(const QString &text)
{
    QList<ReadKind> kinds;
    for (const QString &name : text.split(u',', Qt::SkipEmptyParts)) {
        const auto known = std::find_if(
            ReadingSet::Kinds.begin(), ReadingSet::Kinds.end(), [&name](ReadKind kind) {
                return name.trimmed().compare(ReadingSet::word(kind), Qt::CaseInsensitive) == 0;
            });
        if (known == ReadingSet::Kinds.end())
            return std::nullopt;
        kinds << *known;
    }
    return kinds;
}

} // namespace

QString AxisRange::text() const
{
    return automatic ? u"auto"_s : u"%1,%2"_s.arg(from).arg(to);
}

std::optional<AxisRange> AxisRange::parse(const QString &text)
{
    if (text.trimmed().compare(u"auto"_s, Qt::CaseInsensitive) == 0)
        return AxisRange{};
    const QStringList ends = text.split(u',');
    if (ends.size() != 2)
        return std::nullopt;
    const auto from = Number(ends[0]);
    const auto to = Number(ends[1]);
    if (!from || !to || *from >= *to)
        return std::nullopt;
    return AxisRange{false, *from, *to};
}

PlotChoices PlotChoices::read()
{
    PlotChoices choices;
    const auto read = [](const QString &key) { return ReadIniValue(Ini::PlotSection, key); };
    if (const auto seconds = Number(read(Ini::IntervalKey)))
        choices.intervalMs =
            int(std::clamp(std::round(*seconds * 1000), double(InputPoller::MinIntervalMs),
                           double(InputPoller::MaxIntervalMs)));
    // An empty list is a missing entry: a window with nothing to poll helps no one.
    const auto kinds = ParseReadings(read(Ini::ReadingsKey));
    if (kinds && !kinds->isEmpty())
        choices.readings = *kinds;
    if (const auto span = Number(read(Ini::SpanKey)); span && *span >= 0)
        choices.spanSeconds = int(std::min(*span, 86400.0));
    TakeRange(choices.volts, read(Ini::VoltsRangeKey));
    TakeRange(choices.milliamps, read(Ini::MilliampsRangeKey));
    return choices;
}

void PlotChoices::write() const
{
    KeepIniValue(Ini::PlotSection, Ini::IntervalKey, QString::number(intervalMs / 1000.0));
    KeepIniValue(Ini::PlotSection, Ini::ReadingsKey, ReadingsText(readings));
    KeepIniValue(Ini::PlotSection, Ini::SpanKey, QString::number(spanSeconds));
    KeepIniValue(Ini::PlotSection, Ini::VoltsRangeKey, volts.text());
    KeepIniValue(Ini::PlotSection, Ini::MilliampsRangeKey, milliamps.text());
}
