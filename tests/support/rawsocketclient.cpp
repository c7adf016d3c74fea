#include "support/rawsocketclient.h"

#include <QFile>

#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

RawSocketClient::RawSocketClient(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (size_t(name.size()) >= sizeof address.sun_path)
        return;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    m_fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_fd >= 0 && connect(m_fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
        close(m_fd);
        m_fd = -1;
    }
}

RawSocketClient::~RawSocketClient()
{
    if (m_fd >= 0)
        close(m_fd);
}

bool RawSocketClient::send(const QByteArray &bytes)
{
    for (qsizetype sent = 0; sent < bytes.size();) {
        const ssize_t n =
            ::send(m_fd, bytes.constData() + sent, size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += n;
    }
    return true;
}

QList<QByteArray> RawSocketClient::receiveLines(int count)
{
    QList<QByteArray> lines;
    char chunk[4096];
    while (lines.size() < count) {
        const qsizetype end = m_received.indexOf('\n');
        if (end >= 0) {
            lines.append(m_received.left(end));
            m_received.remove(0, end + 1);
            continue;
        }
        const ssize_t n = read(m_fd, chunk, sizeof chunk);
        if (n <= 0)
            break;
        m_received.append(chunk, n);
    }
    return lines;
}

bool RawSocketClient::waitForHangUp(int timeoutMs)
{
    pollfd watch = {m_fd, POLLRDHUP, 0};
    return poll(&watch, 1, timeoutMs) == 1 && (watch.revents & (POLLHUP | POLLRDHUP)) != 0;
}
