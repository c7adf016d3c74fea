#pragma once

#include "protocol/commanddecoder.h"
#include "protocol/replydecoder.h"

#include <QAbstractListModel>
#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QStringList>

#include <deque>

// Everything that goes over the wire, one row an entry: each write to the
// board and each piece received from it, with the time, the direction, the
// bytes in hex and what they mean, and the port's own events (opened, lost,
// ...) as entries of their own:
//   "     812 ms  → board  FE 2F 05  SetOutputs 5 (Out1 on, Out2 off, Out3 on)"
//   "14:03:07.250  • port   opened /dev/ttyUSB0 at 9600 bit/s 8N1"
// The time is in ms since the panel started or the clock time, as chosen. It
// records from the panel's start, whether its window is open or not, and
// keeps the last MaxEntries entries, so a flood cannot grow memory without
// bound. While paused, new entries are held back from the rows and appear on
// resuming; the rows shown stay: room within the bound is made among the
// held entries, oldest first.
class TrafficModel : public QAbstractListModel
{
    Q_OBJECT

public:
    static constexpr int MaxEntries = 10000;
    // A longer piece is split into entries of this size; the panel's longest
    // write (the custom characters, sent with GraphModeOff) is 68 bytes.
    static constexpr int MaxEntryBytes = 96;

    enum class TimeStyle
    {
        SinceStart, // "     812 ms"
        Clock,      // "14:03:07.250"
    };

    explicit TrafficModel(QObject *parent = nullptr);

    // A write, or a piece received; origin is whom it is for when another
    // program uses the port through the panel ("vantorctl 4711"), which the
    // entry then names.
    void written(const QByteArray &bytes, const QString &origin = {});
    void received(const QByteArray &bytes, const QString &origin = {});
    // Something the port did, in words ("lost /dev/ttyUSB0").
    void noted(const QString &event);

    void setTimeStyle(TimeStyle style);
    TimeStyle timeStyle() const { return m_timeStyle; }

    void setPaused(bool paused);
    bool isPaused() const { return m_paused; }
    // Entries recorded while paused and not shown yet.
    int heldCount() const { return int(m_entries.size()) - m_shown; }
    // Held entries dropped during this pause to stay within the bound.
    qint64 droppedCount() const { return m_dropped; }
    // Forgets every entry, shown and held; the time still counts from the panel's start.
    void clear();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    // The line, as text, for a screen reader, and as the tool tip that shows a
    // long one whole.
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

signals:
    void heldCountChanged(int count);

private:
    struct Entry
    {
        qint64 ms;    // since the panel started
        int clockMs;  // local time of day
        QString text; // direction, bytes and meaning: all of the line but the time
    };

    Entry entry(const QString &text) const;
    QString writtenMeaning(const QByteArray &piece);
    void append(QList<Entry> batch);
    void hold(QList<Entry> batch);
    void dropOldest(int count);
    QString line(const Entry &entry) const;

    QElapsedTimer m_clock;
    CommandDecoder m_commands;
    ReplyDecoder m_replies;
    std::deque<Entry> m_entries; // the shown rows first, then the held ones
    int m_shown = 0;
    bool m_paused = false;
    qint64 m_dropped = 0;
    TimeStyle m_timeStyle = TimeStyle::SinceStart;
};
