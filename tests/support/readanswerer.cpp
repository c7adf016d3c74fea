#include "support/readanswerer.h"

#include "support/ptypair.h"

ReadAnswerer::ReadAnswerer(PtyPair &board) : m_board(board)
{
    m_replies = {{ReadKind::Inputs, QByteArray::fromHex("05")},
                 {ReadKind::Voltage, QByteArray::fromHex("000200")},
                 {ReadKind::Current, QByteArray::fromHex("0003E8")}};
    m_timer.setInterval(1);
    connect(&m_timer, &QTimer::timeout, this, &ReadAnswerer::check);
    m_timer.start();
}

bool ReadAnswerer::releaseOne()
{
    if (m_held.isEmpty())
        return false;
    answer(m_held.takeFirst());
    return true;
}

void ReadAnswerer::check()
{
    if (m_board.readInto(m_received) == 0)
        return;
    for (; m_scanned + 1 < m_received.size(); ++m_scanned) {
        if (quint8(m_received.at(m_scanned)) != 0xFE)
            continue;
        const ReadKind kind = LookUpCommand(quint8(m_received.at(m_scanned + 1))).read;
        if (kind == ReadKind::None)
            continue;
        m_requests << kind;
        ++m_scanned;
        if (m_holding)
            m_held << kind;
        else
            answer(kind);
    }
}

void ReadAnswerer::answer(ReadKind kind)
{
    if (!m_silent.contains(kind))
        m_board.write(m_replies.value(kind));
}
