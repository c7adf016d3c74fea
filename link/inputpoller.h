#pragma once

#include "protocol/readingset.h"

#include <QList>
#include <QObject>
#include <QTimer>
#include <array>

class ReadTurns;

// Polls the inputs through the main window's read path (ReadTurns): every
// interval one round reads each chosen input in turn, one read at a time, and
// hands on the round's readings, stamped with the round's start. A round waits
// while another read is pending (the operator's); a round due while the one
// before is still going is skipped and counted. A read without reply leaves
// its reading empty in the round and is counted.
class InputPoller : public QObject
{
    Q_OBJECT

public:
    static constexpr int MinIntervalMs = 100;
    static constexpr int MaxIntervalMs = 3'600'000;

    explicit InputPoller(ReadTurns &reads, QObject *parent = nullptr);

    // The inputs the next round reads, taken in the order of ReadingSet::Kinds.
    void setKinds(const QList<ReadKind> &kinds);
    // Kept within MinIntervalMs and MaxIntervalMs; a running poll keeps the
    // new pace from now on.
    void setInterval(int ms);

    // The first round at once, then one every interval; the counts start anew.
    void start();
    // No more rounds; the one under way is dropped.
    void stop();
    bool isRunning() const { return m_timer.isActive(); }

    int rounds() const { return m_rounds; }
    int skipped() const { return m_skipped; }
    int unanswered(ReadKind kind) const;

signals:
    // The readings of the kinds the round read (chosen when it began).
    void roundDone(const ReadingSet &readings, const QList<ReadKind> &kinds);
    void countsChanged();
    void runningChanged(bool running);

private:
    void tick();
    void readNext();
    void continueLater();
    void finishRound();
    void answered(ReadKind kind, const QByteArray &reply);
    void missed(ReadKind kind);

    ReadTurns &m_reads;
    QTimer m_timer;
    QList<ReadKind> m_kinds{ReadingSet::Kinds.begin(), ReadingSet::Kinds.end()};
    bool m_roundOpen = false;
    ReadingSet m_round;
    QList<ReadKind> m_roundKinds;
    QList<ReadKind> m_toRead;
    ReadKind m_awaiting = ReadKind::None;
    bool m_inRequest = false;
    int m_rounds = 0;
    int m_skipped = 0;
    std::array<int, 4> m_unanswered{}; // by the value of ReadKind
};
