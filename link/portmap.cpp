#include "link/portmap.h"

#include "link/modini.h"

QString DeviceForPort(int port)
{
    const QString name = QStringLiteral("COM%1").arg(port);
    QString mapped = ReadIniValue(QStringLiteral("Ports"), name);
    if (!mapped.isEmpty())
        return mapped;
#ifdef Q_OS_WIN
    return name;
#else
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
#endif
}
