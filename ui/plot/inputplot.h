#pragma once

#include "protocol/commandtable.h"
#include "ui/plot/plotchoices.h"
#include "ui/plot/sampleseries.h"

#include <QList>
#include <QWidget>
#include <vector>

class InputHistory;
class QPainter;

// The plot of the polls, painted from the history: volts on the left axis,
// milliamperes on the right, each auto-scaled to the readings shown or fixed,
// against the clock time; below them the eight digital inputs as step traces,
// In1 (bit 0) at the top. A read without reply breaks its line and leaves a
// red mark at the edge of its area (the milliamperes' at the top, the others'
// at the foot). However many polls the span holds, each
// pixel column is drawn from one pass over them (its first, last, lowest and
// highest value), so drawing costs the same at any zoom.
class InputPlot : public QWidget
{
    Q_OBJECT

public:
    explicit InputPlot(const InputHistory &history, QWidget *parent = nullptr);

    void setShown(const QList<ReadKind> &kinds);
    // The time shown, back from the last poll; 0 shows every poll kept.
    void setSpan(int seconds);
    void setRanges(const AxisRange &volts, const AxisRange &milliamps);
    // Where the time shown begins, in ms since the epoch.
    qint64 spanStart() const;

    QSize sizeHint() const override { return {720, 360}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Area;
    void drawTimeAxis(QPainter &painter, const QRect &plot, qint64 from, qint64 to) const;
    void drawAnalog(QPainter &painter, const Area &area, ReadKind kind) const;
    void drawDigital(QPainter &painter, const Area &area) const;
    void drawGaps(QPainter &painter, const Area &area, ReadKind kind,
                  const std::vector<SampleSeries::Column> &columns) const;

    const InputHistory &m_history;
    QList<ReadKind> m_shown;
    int m_spanSeconds = 60;
    AxisRange m_volts;
    AxisRange m_milliamps;
};
