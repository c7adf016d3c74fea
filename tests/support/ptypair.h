#pragma once

#include <QByteArray>
#include <QString>

// A pseudo-terminal: the panel opens the slave side as its serial device, the
// test plays the board on the master side.
class PtyPair
{
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    bool isValid() const { return m_master >= 0; }
    QString slavePath() const { return m_slavePath; }

    // Everything the panel has written so far, waiting up to waitMs for the
    // first byte and then until the line is quiet for quietMs. Qt events are
    // processed meanwhile, so queued writes go out.
    QByteArray read(int waitMs = 1000, int quietMs = 50);
    // Exactly count bytes, or fewer when they do not come within timeoutMs.
    QByteArray readExactly(int count, int timeoutMs = 2000);
    // Bytes that come within ms; for checking that nothing was written.
    QByteArray readFor(int ms);

    // Appends whatever the master side has waiting, without waiting or
    // processing events (one system call when nothing is there); returns the count.
    qsizetype readInto(QByteArray &into);
    // Throws away everything waiting.
    void drain();

    // Writes bytes as the board's reply.
    void write(const QByteArray &bytes);
    // Writes count bytes of fill (rounded up to 64 KiB) as the board, from a
    // thread of its own as a real board would: the window reads on this
    // thread, which waits meanwhile with its events processed. False, with the
    // device taken away, when they could not all be written within a minute.
    bool flood(qint64 count, char fill);
    // Takes the device away, as a pulled cable would.
    void closeMaster();
    // The speed in bit/s the panel has set on its side of the line; 0 when unknown.
    int slaveSpeed() const;

private:
    int m_master = -1;
    int m_slave = -1; // kept open so the pty outlives the panel's open and close
    QString m_slavePath;
};
