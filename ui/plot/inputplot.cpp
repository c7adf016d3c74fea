#include "ui/plot/inputplot.h"

#include "ui/plot/inputhistory.h"

#include <QDateTime>
#include <QPainter>
#include <QPolygonF>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr int AxisMargin = 60; // room for the labels of an axis
constexpr int TopMargin = 18;  // room for the units
constexpr int TimeMargin = 22; // room for the time labels
constexpr int LaneHeight = 16; // one digital input
constexpr int Ticks = 5;

const QColor VoltsColour(0xc0, 0x00, 0x00);
const QColor MilliampsColour(0x00, 0x50, 0xc0);
const QColor InputsColour(0x00, 0x70, 0x00);
const QColor GridColour(0xe0, 0xe0, 0xe0);
const QColor GapColour(0xff, 0x00, 0x00);

QColor Colour(ReadKind kind)
{
    return kind == ReadKind::Voltage   ? VoltsColour
           : kind == ReadKind::Current ? MilliampsColour
                                       : InputsColour;
}

// 1, 2 or 5 times a power of ten, the least that splits the range into at
// most `parts` steps.
double NiceStep(double range, int parts)
{
    const double rough = range / parts;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (factor * power >= rough)
            return factor * power;
    }
    return 10 * power;
}

// The ends of an auto-scaled axis: the readings' own, widened to whole steps,
// and to at least `least` for a flat line.
std::pair<double, double> AutoRange(double low, double high, double least)
{
    if (high - low < least) {
        const double middle = (low + high) / 2;
        low = middle - least / 2;
        high = middle + least / 2;
    }
    const double step = NiceStep(high - low, Ticks);
    return {std::floor(low / step) * step, std::ceil(high / step) * step};
}

// A line in runs of points, a run ending where a gap breaks the line; drawn
// as polylines with a thin pen, which the raster engine draws without
// stroking them first.
class Trace
{
public:
    bool isEmpty() const { return m_runs.isEmpty(); }
    double lastY() const { return m_runs.last().last().y(); }
    void moveTo(double x, double y) { m_runs.append(QPolygonF{{x, y}}); }
    void lineTo(double x, double y) { m_runs.last().append({x, y}); }
    void draw(QPainter &painter) const
    {
        for (const QPolygonF &run : m_runs)
            painter.drawPolyline(run);
    }

private:
    QList<QPolygonF> m_runs;
};

constexpr qint64 TimeSteps[] = {100,     200,     500,     1000,     2000,     5000,     10000,
                                15000,   30000,   60000,   120000,   300000,   600000,   900000,
                                1800000, 3600000, 7200000, 10800000, 21600000, 43200000, 86400000};

} // namespace

// One area of the plot: its pixels and the values it shows from top to bottom.
struct InputPlot::Area
{
    QRect rect;
    qint64 from = 0, to = 0;
    double low = 0, high = 1;

    double x(qint64 ms) const
    {
        return rect.left() + double(ms - from) * rect.width() / double(to - from);
    }
    double y(double value) const
    {
        return rect.bottom() - (value - low) * rect.height() / (high - low);
    }
    double columnX(size_t column) const { return rect.left() + double(column) + 0.5; }
};

InputPlot::InputPlot(const InputHistory &history, QWidget *parent)
    : QWidget(parent), m_history(history)
{
    setObjectName(u"picPlot"_s);
    setAccessibleName(u"Plot of the inputs"_s);
    setAccessibleDescription(u"The polled readings against the clock time; the figures below "
                             "it say the same in words"_s);
    setMinimumSize(360, 200);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void InputPlot::setShown(const QList<ReadKind> &kinds)
{
    m_shown = kinds;
    update();
}

void InputPlot::setSpan(int seconds)
{
    m_spanSeconds = seconds;
    update();
}

void InputPlot::setRanges(const AxisRange &volts, const AxisRange &milliamps)
{
    m_volts = volts;
    m_milliamps = milliamps;
    update();
}

qint64 InputPlot::spanStart() const
{
    const qint64 last = m_history.lastMs();
    return m_spanSeconds > 0 ? last - qint64(m_spanSeconds) * 1000 : m_history.firstMs();
}

void InputPlot::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const bool digital = m_shown.contains(ReadKind::Inputs);
    const bool analog = m_shown.contains(ReadKind::Voltage) || m_shown.contains(ReadKind::Current);
    const int digitalHeight = digital ? 8 * LaneHeight : 0;
    QRect plot = rect().adjusted(AxisMargin, TopMargin, -AxisMargin, -TimeMargin);
    if (m_history.lastMs() == 0 || plot.width() < 10 || plot.height() < digitalHeight + 10) {
        painter.setPen(Qt::darkGray);
        painter.drawText(rect(), Qt::AlignCenter, u"No polls yet: press Start"_s);
        return;
    }
    Area area{plot, spanStart(), m_history.lastMs()};
    if (area.to <= area.from)
        area.from = area.to - 1000;
    drawTimeAxis(painter, plot, area.from, area.to);
    if (analog) {
        area.rect.setBottom(plot.bottom() - digitalHeight - (digital ? 6 : 0));
        for (const ReadKind kind : {ReadKind::Voltage, ReadKind::Current}) {
            if (m_shown.contains(kind))
                drawAnalog(painter, area, kind);
        }
    }
    if (digital) {
        area.rect.setTop(plot.bottom() - digitalHeight + 1);
        area.rect.setBottom(plot.bottom());
        drawDigital(painter, area);
    }
}

// Ticks at whole steps of the local clock, at most six of them.
void InputPlot::drawTimeAxis(QPainter &painter, const QRect &plot, qint64 from, qint64 to) const
{
    qint64 step = TimeSteps[std::size(TimeSteps) - 1];
    for (const qint64 candidate : TimeSteps) {
        if ((to - from) / candidate <= 6) {
            step = candidate;
            break;
        }
    }
    const qint64 offset = QDateTime::fromMSecsSinceEpoch(from).offsetFromUtc() * 1000LL;
    const QString format = step < 1000 ? u"HH:mm:ss.zzz"_s : u"HH:mm:ss"_s;
    painter.setPen(GridColour);
    painter.drawRect(plot);
    for (qint64 tick = ((from + offset) / step + 1) * step - offset; tick <= to; tick += step) {
        const int x = plot.left() + int(double(tick - from) * plot.width() / double(to - from));
        painter.setPen(GridColour);
        painter.drawLine(x, plot.top(), x, plot.bottom());
        painter.setPen(Qt::black);
        const QString label = QDateTime::fromMSecsSinceEpoch(tick).toString(format);
        painter.drawText(QRect(x - 50, plot.bottom() + 2, 100, TimeMargin - 2),
                         Qt::AlignHCenter | Qt::AlignTop, label);
    }
}

void InputPlot::drawAnalog(QPainter &painter, const Area &shape, ReadKind kind) const
{
    const bool volts = kind == ReadKind::Voltage;
    const AxisRange &range = volts ? m_volts : m_milliamps;
    const auto columns = m_history.series(kind).columns(shape.from, shape.to, shape.rect.width());
    Area area = shape;
    if (range.automatic) {
        double low = INFINITY, high = -INFINITY;
        for (const auto &column : columns) {
            if (column.any) {
                low = std::min(low, column.min);
                high = std::max(high, column.max);
            }
        }
        std::tie(area.low, area.high) =
            low <= high ? AutoRange(low, high, volts ? 0.1 : 0.2) : std::pair{0.0, 1.0};
    } else {
        area.low = range.from;
        area.high = range.to;
    }
    // The scale: volts at the left edge, milliamperes at the right.
    const QString unit = volts ? u"V"_s : u"mA"_s;
    const int labelX = volts ? 0 : area.rect.right() + 4;
    const Qt::Alignment align = (volts ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    painter.setPen(Colour(kind));
    painter.drawText(QRect(labelX, 0, AxisMargin - 4, TopMargin), align, unit);
    const double step = NiceStep(area.high - area.low, Ticks);
    for (double value = std::ceil(area.low / step) * step; value <= area.high + step / 1e6;
         value += step) {
        const int y = int(area.y(value));
        painter.drawText(QRect(labelX, y - 8, AxisMargin - 4, 16), align,
                         QString::number(value, 'g', 4));
    }
    // The line: each column's span, joined to the next unless a gap lies between.
    painter.save();
    painter.setClipRect(area.rect.adjusted(0, -1, 0, 1));
    painter.setPen(Colour(kind));
    Trace trace;
    for (size_t i = 0; i < columns.size(); ++i) {
        const auto &column = columns[i];
        if (!column.any)
            continue;
        const double x = area.columnX(i);
        if (column.breakBefore || trace.isEmpty())
            trace.moveTo(x, area.y(column.first));
        else
            trace.lineTo(x, area.y(column.first));
        if (column.min != column.max) {
            trace.lineTo(x, area.y(column.min));
            trace.lineTo(x, area.y(column.max));
        }
        trace.lineTo(x, area.y(column.last));
    }
    trace.draw(painter);
    painter.restore();
    drawGaps(painter, area, kind, columns);
}

// Eight lanes, each a step trace between its low and high line.
void InputPlot::drawDigital(QPainter &painter, const Area &area) const
{
    const auto columns =
        m_history.series(ReadKind::Inputs).columns(area.from, area.to, area.rect.width());
    painter.setPen(GridColour);
    painter.drawRect(area.rect);
    for (int bit = 0; bit < 8; ++bit) {
        const int top = area.rect.top() + bit * LaneHeight;
        const double high = top + 3;
        const double low = top + LaneHeight - 3;
        painter.setPen(InputsColour);
        painter.drawText(QRect(0, top, AxisMargin - 4, LaneHeight),
                         Qt::AlignRight | Qt::AlignVCenter, u"In%1"_s.arg(bit + 1));
        Trace trace;
        const quint8 mask = quint8(1 << bit);
        for (size_t i = 0; i < columns.size(); ++i) {
            const auto &column = columns[i];
            if (!column.any)
                continue;
            const double x = area.columnX(i);
            const double first = (int(column.first) & mask) ? high : low;
            if (column.breakBefore || trace.isEmpty())
                trace.moveTo(x, first);
            else
                trace.lineTo(x, trace.lastY());
            trace.lineTo(x, first);
            if ((column.high & mask) && (column.low & mask)) {
                trace.lineTo(x, high);
                trace.lineTo(x, low);
            }
            trace.lineTo(x, (int(column.last) & mask) ? high : low);
        }
        trace.draw(painter);
    }
    drawGaps(painter, area, ReadKind::Inputs, columns);
}

// A short red mark at the edge of the area for every column with a read that
// got no reply, so a gap shows even where it is narrower than a pixel.
void InputPlot::drawGaps(QPainter &painter, const Area &area, ReadKind kind,
                         const std::vector<SampleSeries::Column> &columns) const
{
    painter.setPen(GapColour);
    const bool atTop = kind == ReadKind::Current;
    const double from = atTop ? area.rect.top() : area.rect.bottom() - 4;
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].gap)
            painter.drawLine(QPointF(area.columnX(i), from), QPointF(area.columnX(i), from + 4));
    }
}
