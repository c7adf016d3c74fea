#include "service/localstream.h"

#include <QSocketNotifier>

#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

LocalStream::LocalStream(int fd, QObject *parent)
    : QObject(parent), m_fd(fd), m_reader(new QSocketNotifier(fd, QSocketNotifier::Read, this)),
      m_writer(new QSocketNotifier(fd, QSocketNotifier::Write, this))
{
    m_writer->setEnabled(false);
    connect(m_reader, &QSocketNotifier::activated, this, &LocalStream::readyRead);
    connect(m_writer, &QSocketNotifier::activated, this, &LocalStream::sendUnsent);
}

LocalStream::~LocalStream()
{
    close();
}

QByteArray LocalStream::read(qsizetype most)
{
    if (m_fd < 0)
        return {};
    QByteArray bytes(most, Qt::Uninitialized);
    ssize_t n;
    do
        n = ::recv(m_fd, bytes.data(), size_t(most), MSG_DONTWAIT);
    while (n < 0 && errno == EINTR);
    if (n > 0) {
        bytes.truncate(n);
        return bytes;
    }
    if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK))
        lose(); // closed by the peer, or broken
    return {};
}

void LocalStream::write(const QByteArray &bytes)
{
    if (m_fd < 0 || m_closing)
        return;
    m_unsent += bytes;
    sendUnsent();
}

void LocalStream::closeWhenWritten()
{
    if (m_fd < 0 || m_closing)
        return;
    m_closing = true;
    m_reader->setEnabled(false); // nothing more is read: what comes would only wake us
    sendUnsent();
}

// The notifiers are only switched off, not deleted: this may run inside one
// of their own signals.
void LocalStream::close()
{
    if (m_fd < 0)
        return;
    m_reader->setEnabled(false);
    m_writer->setEnabled(false);
    ::close(m_fd);
    m_fd = -1;
    m_unsent.clear();
}

void LocalStream::sendUnsent()
{
    while (!m_unsent.isEmpty()) {
        const ssize_t n = ::send(m_fd, m_unsent.constData(), size_t(m_unsent.size()),
                                 MSG_DONTWAIT | MSG_NOSIGNAL);
        if (n > 0) {
            m_unsent.remove(0, n);
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            break; // the rest goes when the peer has read some
        } else if (n == 0 || errno != EINTR) {
            lose();
            return;
        }
    }
    m_writer->setEnabled(!m_unsent.isEmpty());
    if (m_closing && m_unsent.isEmpty())
        lose();
}

void LocalStream::lose()
{
    if (m_fd < 0)
        return;
    close();
    emit disconnected();
}
