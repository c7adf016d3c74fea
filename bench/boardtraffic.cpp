#include "boardtraffic.h"

#include <QRandomGenerator>

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (const int value : values)
        result.append(char(value));
    return result;
}

QByteArray textLines(QRandomGenerator &random)
{
    const QByteArray first = "Temp " + QByteArray::number(random.bounded(100)) + "."
                             + QByteArray::number(random.bounded(10)) + " C";
    return bytes({0x0D}) + first + bytes({0x0C}) + "Flow "
           + QByteArray::number(random.bounded(1000)) + " l/h  ";
}

QByteArray twoLineDefinition(int code, QRandomGenerator &random, int width)
{
    const int length = int(random.bounded(width + 1));
    return bytes({0xFE, code}) + QByteArray(length, 'S')
           + (length < width ? bytes({0x0D}) : QByteArray())
           + QByteArray(int(random.bounded(width + 1)), 's') + bytes({0xFF});
}

QByteArray commandBurst(QRandomGenerator &random)
{
    switch (random.bounded(10)) {
    case 0: return bytes({0xFE, 0x32, int(random.bounded(2)), int(random.bounded(16))}) + "Hi";
    case 1: return bytes({0xFE, 0x28, int(random.bounded(50, 251)), 0xFE, 0x06});
    case 2: return bytes({0xFE, 0x2F, int(random.bounded(8)), 0xFE, 0x0A});
    case 3: return bytes({0xFE, 0x0B, 0xFE, 0x0D});
    case 4:
        return bytes(
            {0xFE, 0x04, 0xFE, 0x32, 1, 0, 0xFE, 0x2B, int(random.bounded(1, 81)), 0xFE, 0x08});
    case 5:
        return twoLineDefinition(0xC9 + int(random.bounded(10)), random, 16)
               + bytes({0xFE, 0x2A, 1});
    case 6: return twoLineDefinition(random.bounded(2) ? 0xD3 : 0xD4, random, 40);
    case 7: return bytes({0xFE, 0x64}) + QByteArray(64, char(random.bounded(32)));
    case 8: return bytes({0xFE, 0x2D, int(random.bounded(2)), 0xFE, 0x2E, int(random.bounded(16))});
    default: return bytes({0xFE, 0x01, 0xFE, 0x29, 30});
    }
}

} // namespace

QByteArray BoardTraffic(qsizetype size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray traffic;
    traffic.reserve(size + 128);
    while (traffic.size() < size)
        traffic += random.bounded(3) == 0 ? commandBurst(random) : textLines(random);
    traffic.truncate(size);
    return traffic;
}
