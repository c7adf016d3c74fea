#include "support/writelog.h"

#include "link/mscomm.h"

WriteLog::WriteLog(MSComm *port) : m_spy(port, &MSComm::outputWritten)
{
}

QList<QByteArray> WriteLog::all() const
{
    QList<QByteArray> writes;
    for (const auto &arguments : std::as_const(m_spy))
        writes << arguments.at(0).toByteArray();
    return writes;
}

QList<QByteArray> WriteLog::take()
{
    QList<QByteArray> writes = all();
    m_spy.clear();
    return writes;
}
