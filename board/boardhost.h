#pragma once

#include "boardmodel.h"
#include "commandlog.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>

class BoardStore;

// Runs the board model for a link or a window: hands it what arrives, lets
// its time pass, writes its non-volatile memory to the store file and turns
// what it does into log lines. Bytes sent at a speed other than the board's
// are ignored, as a real board would only see garbage.
class BoardHost : public QObject
{
    Q_OBJECT

public:
    static constexpr int TickMs = 100;

    explicit BoardHost(BoardModel &model, QObject *parent = nullptr);

    const BoardModel &model() const { return m_model; }
    // Where the non-volatile memory is kept; nullptr keeps it in memory only.
    void setStore(BoardStore *store);
    // Emit logLines() for what arrives (costs time; off by default).
    void setLogging(bool on);

    // Bytes from the panel, sent at panelBaud bit/s.
    void receive(const QByteArray &bytes, int panelBaud);
    void powerCycle();
    void setInputs(quint8 bits);
    void setVoltageCount(quint16 count);
    void setCurrentCount(quint16 count);

    int panelBaud() const { return m_panelBaud; }

signals:
    void reply(const QByteArray &bytes);
    // The display or the board's state may have changed.
    void changed();
    void logLines(const QStringList &lines);
    void speedMismatchChanged(bool mismatch);

private:
    void tick();
    void scheduleTicks();
    void checkSpeed(int panelBaud);
    void saveIfNeeded();
    void note(const QString &line);

    BoardModel &m_model;
    BoardStore *m_store = nullptr;
    CommandLog m_log;
    bool m_logging = false;
    QTimer m_timer;
    QElapsedTimer m_clock;
    quint64 m_savedRevision = 0;
    bool m_mismatch = false;
    int m_panelBaud = 0;
};
