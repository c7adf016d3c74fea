#include "processmemory.h"

#include <QFile>

Memory MemoryOf(qint64 pid)
{
    QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    Memory memory;
    if (!rollup.open(QIODevice::ReadOnly))
        return memory;
    for (const QByteArray &line : rollup.readAll().split('\n')) {
        const int kib = line.mid(line.indexOf(':') + 1).trimmed().split(' ').value(0).toInt();
        if (line.startsWith("Rss:"))
            memory.rss = kib;
        else if (line.startsWith("Pss:"))
            memory.pss = kib;
        else if (line.startsWith("Private_Dirty:"))
            memory.privateDirty = kib;
    }
    return memory;
}
