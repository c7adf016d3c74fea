#include "service/locallistener.h"

#include "service/localstream.h"
#include "service/socketfile.h"

#include <QFile>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// Closes fd, keeping errno for the caller.
int closeFailed(int fd)
{
    const int reason = errno;
    ::close(fd);
    errno = reason;
    return -1;
}

// A non-blocking socket listening at the address; -1 and errno when there is
// none. A file that this bound before listen() failed is removed again.
int listeningSocket(const sockaddr_un &address)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    if (::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0)
        return closeFailed(fd);
    if (::listen(fd, SOMAXCONN) != 0) {
        const int reason = errno;
        ::unlink(address.sun_path);
        errno = reason;
        return closeFailed(fd);
    }
    return fd;
}

} // namespace

LocalListener::LocalListener(QObject *parent) : QObject(parent)
{
}

LocalListener::~LocalListener()
{
    close();
}

bool LocalListener::listen(const QString &path, QString *why)
{
    close();
    const auto address = SocketFile::address(path);
    const int fd = address ? listeningSocket(*address) : -1;
    if (fd < 0) {
        *why = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    m_fd = fd;
    m_path = path;
    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &LocalListener::newConnection);
    return true;
}

// The notifier goes later: this may run inside its own signal.
void LocalListener::close()
{
    if (m_fd < 0)
        return;
    m_notifier->setEnabled(false);
    m_notifier->deleteLater();
    m_notifier = nullptr;
    ::close(m_fd);
    m_fd = -1;
    QFile::remove(m_path);
    m_path.clear();
}

LocalStream *LocalListener::nextPendingConnection()
{
    if (m_fd < 0)
        return nullptr;
    int fd;
    do
        fd = ::accept4(m_fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd >= 0)
        return new LocalStream(fd, this);
    if (errno != EAGAIN && errno != EWOULDBLOCK && errno != ECONNABORTED) {
        QSocketNotifier *notifier = m_notifier;
        notifier->setEnabled(false);
        QTimer::singleShot(RetryMs, notifier, [notifier] { notifier->setEnabled(true); });
    }
    return nullptr;
}
