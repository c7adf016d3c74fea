#include "service/socketfile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class Probe
{
    Answered, // a program listens there
    Refused,  // a socket file that nobody listens on any more
    Unknown,  // cannot tell (errno says why)
};

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Knocks on the socket without waiting: a full queue of a busy owner
// (EAGAIN) is an answer too.
Probe probe(const QString &path)
{
    const auto address = SocketFile::address(path);
    if (!address)
        return Probe::Unknown;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return Probe::Unknown;
    const int result =
        ::connect(fd, reinterpret_cast<const sockaddr *>(&*address), sizeof *address);
    const int reason = errno;
    ::close(fd);
    errno = reason;
    if (result == 0 || reason == EAGAIN || reason == EINPROGRESS)
        return Probe::Answered;
    return reason == ECONNREFUSED ? Probe::Refused : Probe::Unknown;
}

} // namespace

namespace SocketFile {

bool clear(const QString &path, QString *error)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info = {};
    if (::lstat(name.constData(), &info) != 0)
        return errno == ENOENT || fail(error, QStringLiteral("%1: %2").arg(path, systemError()));
    if (S_ISSOCK(info.st_mode)) {
        const Probe knock = probe(path);
        if (knock == Probe::Answered)
            return fail(error, QStringLiteral("%1 is already served by another program").arg(path));
        if (knock == Probe::Unknown)
            return fail(
                error,
                QStringLiteral("Cannot tell whether %1 is in use: %2").arg(path, systemError()));
    }
    if (::unlink(name.constData()) != 0 && errno != ENOENT)
        return fail(error, QStringLiteral("Cannot remove %1: %2").arg(path, systemError()));
    return true;
}

std::optional<sockaddr_un> address(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (size_t(name.size()) >= sizeof address.sun_path) {
        errno = ENAMETOOLONG;
        return std::nullopt;
    }
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    return address;
}

} // namespace SocketFile
