#include "link/trafficcount.h"

#include "link/mscomm.h"

TrafficCount::TrafficCount(const MSComm &port, QObject *parent) : QObject(parent)
{
    connect(&port, &MSComm::outputWritten, this, [this](const QByteArray &bytes) {
        m_sent += bytes.size();
        emit changed();
    });
    connect(&port, &MSComm::inputArrived, this, [this](const QByteArray &bytes) {
        m_received += bytes.size();
        emit changed();
    });
}

QString TrafficCount::text() const
{
    return QStringLiteral("Sent %1 B \u00B7 Received %2 B").arg(m_sent).arg(m_received);
}
