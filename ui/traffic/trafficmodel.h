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
// board and each piece received from it, with the time in ms since the panel
// started, the direction, the bytes in hex and what they mean:
// "     812 ms  → board  FE 2F 05  SetOutputs 5 (Out1 on, Out2 off, Out3 on)".
// It records from the panel's start, whether its window is open or not, and
// keeps the last MaxEntries entries, so a flood cannot grow memory without
// bound. While paused, new entries are held back from the rows (kept within
// the same bound) and appear on resuming.
class TrafficModel : public QAbstractListModel
{
    Q_OBJECT

public:
    static constexpr int MaxEntries = 10000;
    // A longer piece is split into entries of this size; the panel's longest
    // write (the custom characters, sent with GraphModeOff) is 68 bytes.
    static constexpr int MaxEntryBytes = 96;

    explicit TrafficModel(QObject *parent = nullptr);

    void written(const QByteArray &bytes);
    void received(const QByteArray &bytes);

    void setPaused(bool paused);
    bool isPaused() const { return m_paused; }
    // Entries recorded while paused and not shown yet.
    int heldCount() const { return int(m_entries.size()) - m_shown; }
    // Forgets every entry, shown and held; the time still counts from the panel's start.
    void clear();
    // The rows shown, as lines.
    QStringList lines() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

signals:
    void heldCountChanged(int count);

private:
    enum class Direction
    {
        ToBoard,
        FromBoard
    };
    struct Entry
    {
        qint64 ms;
        Direction direction;
        QByteArray bytes;
        QString meaning;
    };

    QString writtenMeaning(const QByteArray &piece);
    void append(QList<Entry> batch);
    void dropOldest(int count);
    static QString line(const Entry &entry);

    QElapsedTimer m_clock;
    CommandDecoder m_commands;
    ReplyDecoder m_replies;
    std::deque<Entry> m_entries; // the shown rows first, then the held ones
    int m_shown = 0;
    bool m_paused = false;
};
