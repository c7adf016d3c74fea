#include "boardlink.h"

#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

struct SpeedEntry
{
    speed_t speed;
    int baud;
};

constexpr SpeedEntry Speeds[] = {
    {B50, 50},       {B75, 75},         {B110, 110},       {B134, 134},     {B150, 150},
    {B200, 200},     {B300, 300},       {B600, 600},       {B1200, 1200},   {B1800, 1800},
    {B2400, 2400},   {B4800, 4800},     {B9600, 9600},     {B19200, 19200}, {B38400, 38400},
    {B57600, 57600}, {B115200, 115200}, {B230400, 230400},
};

int baudOf(speed_t speed)
{
    for (const SpeedEntry &entry : Speeds)
        if (entry.speed == speed)
            return entry.baud;
    return 0;
}

speed_t speedOf(int baud)
{
    for (const SpeedEntry &entry : Speeds)
        if (entry.baud == baud)
            return entry.speed;
    return B9600;
}

constexpr int RetryAfterErrorMs = 100;

} // namespace

BoardLink::BoardLink(QObject *parent) : QObject(parent)
{
}

BoardLink::~BoardLink()
{
    close();
}

bool BoardLink::open(const QString &linkPath, int baud)
{
    close();
    if (!openPty(baud))
        return false;
    if (!makeLink(linkPath)) {
        close();
        return false;
    }
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &BoardLink::readMaster);
    return true;
}

bool BoardLink::openPty(int baud)
{
    termios settings{};
    cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    cfsetspeed(&settings, speedOf(baud));
    char name[256] = {};
    if (openpty(&m_master, &m_slave, name, &settings, nullptr) != 0) {
        m_master = m_slave = -1;
        return fail(QStringLiteral("cannot open a pseudo-terminal"));
    }
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
    fcntl(m_master, F_SETFD, FD_CLOEXEC);
    fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    m_devicePath = QString::fromLocal8Bit(name);
    return true;
}

// Made under a temporary name and renamed, so the link never points nowhere.
bool BoardLink::makeLink(const QString &path)
{
    const QFileInfo existing(path);
    if (existing.exists() && !existing.isSymLink())
        return fail(QStringLiteral("%1 exists and is not a symbolic link").arg(path));
    const QByteArray target = QFile::encodeName(m_devicePath);
    const QByteArray name = QFile::encodeName(path);
    const QByteArray temporary = name + ".new" + QByteArray::number(qint64(getpid()));
    ::unlink(temporary.constData());
    if (::symlink(target.constData(), temporary.constData()) != 0)
        return fail(QStringLiteral("cannot create %1").arg(path));
    if (::rename(temporary.constData(), name.constData()) != 0) {
        ::unlink(temporary.constData());
        return fail(QStringLiteral("cannot create %1").arg(path));
    }
    m_linkPath = path;
    return true;
}

bool BoardLink::fail(const QString &what)
{
    m_error = what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

void BoardLink::close()
{
    removeLink();
    delete m_notifier;
    m_notifier = nullptr;
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = m_slave = -1;
    m_devicePath.clear();
}

// Only a link that still points at this board's device is removed: another
// board may have taken the name over meanwhile.
void BoardLink::removeLink()
{
    if (m_linkPath.isEmpty())
        return;
    if (QFileInfo(m_linkPath).symLinkTarget() == QFileInfo(m_devicePath).absoluteFilePath())
        QFile::remove(m_linkPath);
    m_linkPath.clear();
}

int BoardLink::panelBaud() const
{
    termios settings{};
    if (m_slave < 0 || tcgetattr(m_slave, &settings) != 0)
        return 0;
    return baudOf(cfgetospeed(&settings));
}

void BoardLink::write(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (m_master >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0)
            done += n;
        else if (n < 0 && errno != EINTR)
            return; // line buffer full: the rest is lost
    }
}

void BoardLink::readMaster()
{
    QByteArray bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) {
            // The line is down for the moment; look again a little later rather than spin.
            m_notifier->setEnabled(false);
            QTimer::singleShot(RetryAfterErrorMs, m_notifier,
                               [notifier = m_notifier] { notifier->setEnabled(true); });
        }
        break;
    }
    if (!bytes.isEmpty())
        emit received(bytes);
}
