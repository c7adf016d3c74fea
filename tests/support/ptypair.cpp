#include "support/ptypair.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <memory>

#include <cerrno>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PtyPair::PtyPair()
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

PtyPair::~PtyPair()
{
    closeMaster();
    if (m_slave >= 0)
        ::close(m_slave);
}

qsizetype PtyPair::readInto(QByteArray &into)
{
    if (m_master < 0)
        return 0;
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

void PtyPair::drain()
{
    QByteArray discarded;
    readInto(discarded);
}

QByteArray PtyPair::read(int waitMs, int quietMs)
{
    QByteArray bytes;
    QElapsedTimer sinceStart, sinceLast;
    sinceStart.start();
    sinceLast.start();
    for (;;) {
        QCoreApplication::processEvents();
        if (readInto(bytes) > 0)
            sinceLast.restart();
        if (bytes.isEmpty() ? sinceStart.elapsed() >= waitMs : sinceLast.elapsed() >= quietMs)
            return bytes;
        QThread::usleep(500);
    }
}

QByteArray PtyPair::readExactly(int count, int timeoutMs)
{
    QByteArray bytes;
    QElapsedTimer timer;
    timer.start();
    while (bytes.size() < count && timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents();
        readInto(bytes);
        QThread::usleep(200);
    }
    return bytes;
}

QByteArray PtyPair::readFor(int ms)
{
    QByteArray bytes;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents();
        readInto(bytes);
        QThread::usleep(500);
    }
    return bytes;
}

void PtyPair::write(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (m_master >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0)
            done += n;
        else if (errno != EAGAIN && errno != EINTR)
            return;
    }
}

bool PtyPair::flood(qint64 count, char fill)
{
    constexpr int TimeoutMs = 60000;
    std::unique_ptr<QThread> writer(QThread::create([this, count, fill] {
        const QByteArray piece(64 * 1024, fill);
        for (qint64 done = 0; done < count; done += piece.size())
            write(piece);
    }));
    QEventLoop loop;
    QObject::connect(writer.get(), &QThread::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(TimeoutMs, &loop, &QEventLoop::quit);
    writer->start();
    loop.exec();
    if (writer->wait(QDeadlineTimer(1000)))
        return true;
    closeMaster(); // ends the stuck writer before its thread goes
    writer->wait();
    return false;
}

void PtyPair::closeMaster()
{
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}

int PtyPair::slaveSpeed() const
{
    termios settings{};
    if (m_slave < 0 || tcgetattr(m_slave, &settings) != 0)
        return 0;
    switch (cfgetospeed(&settings)) {
    case B9600: return 9600;
    case B19200: return 19200;
    default: return 0;
    }
}
