#pragma once

#include <QByteArray>
#include <QString>

// A raw pseudo-terminal for the benchmarks: the program under measurement opens
// the slave side as its serial device, the benchmark reads the master side
// without blocking, so a read costs one system call and nothing sleeps.
class BenchPty
{
public:
    BenchPty();
    ~BenchPty();
    BenchPty(const BenchPty &) = delete;
    BenchPty &operator=(const BenchPty &) = delete;

    bool isValid() const { return m_master >= 0; }
    QString slavePath() const { return m_slavePath; }

    // Appends whatever the master side has waiting; returns the byte count read.
    qsizetype readInto(QByteArray &into);
    // Throws away everything waiting.
    void drain();

private:
    int m_master = -1;
    int m_slave = -1; // kept open so the device outlives the other side's open and close
    QString m_slavePath;
};
