#include "benchpty.h"

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

BenchPty::BenchPty()
{
    char name[256] = {};
    termios raw{};
    cfmakeraw(&raw);
    if (openpty(&m_master, &m_slave, name, &raw, nullptr) != 0) {
        m_master = m_slave = -1;
        return;
    }
    m_slavePath = QString::fromLocal8Bit(name);
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
}

BenchPty::~BenchPty()
{
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
}

qsizetype BenchPty::readInto(QByteArray &into)
{
    char buffer[4096];
    qsizetype total = 0;
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0)
            return total;
        into.append(buffer, n);
        total += n;
    }
}

void BenchPty::drain()
{
    QByteArray ignored;
    readInto(ignored);
}
