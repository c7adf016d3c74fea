#pragma once

#include <QByteArray>
#include <QList>
#include <QSignalSpy>

class MSComm;

// Every write of a port, as the bytes of each: one entry per Output call, so
// a test sees both the bytes and how they were split into writes.
class WriteLog
{
public:
    explicit WriteLog(MSComm *port);

    QList<QByteArray> all() const;
    // The writes so far, forgotten once taken.
    QList<QByteArray> take();
    int count() const { return int(m_spy.count()); }
    void clear() { m_spy.clear(); }

private:
    QSignalSpy m_spy;
};
