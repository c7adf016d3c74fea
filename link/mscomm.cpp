#include "link/mscomm.h"

#include "link/devicekind.h"

#include <QFile>
#include <QFileInfo>
#include <QSerialPort>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace {

// True when the line can take bytes now. One whose reader has stopped takes
// none: writing to it fails with "try again", which the port reports as the
// same resource error as a device that went away.
bool canTakeBytes(const QSerialPort &port)
{
#ifdef Q_OS_UNIX
    pollfd line{int(port.handle()), POLLOUT, 0};
    return ::poll(&line, 1, 0) == 1 && (line.revents & POLLOUT) != 0;
#else
    Q_UNUSED(port)
    return true;
#endif
}

// A device that went away (cable pulled, adapter removed) fails every read:
// with a resource error, or as a pseudo-terminal whose other side closed,
// with end-of-file reported as a read error.
bool MeansDeviceGone(QSerialPort::SerialPortError error)
{
    return error == QSerialPort::ResourceError || error == QSerialPort::ReadError;
}

// True when the device can be opened for reading and writing by this user.
bool MayReadAndWrite(const QString &device)
{
#ifdef Q_OS_UNIX
    return ::access(QFile::encodeName(device).constData(), R_OK | W_OK) == 0;
#else
    Q_UNUSED(device)
    return true;
#endif
}

// Why QSerialPort could not open the device, in the operator's terms. The
// port reports a device held by another program (a lock file, or exclusive
// use) as a permission error, like one the user may not open at all; the
// device's own access rights tell the two apart.
OpenFailure ClassifyOpenFailure(const QString &device, QSerialPort::SerialPortError error)
{
    const DeviceKind kind = KindOfDevice(device);
    if (kind == DeviceKind::Missing)
        return OpenFailure::NotFound;
    if (kind == DeviceKind::NotSerial)
        return OpenFailure::NotSerialDevice;
    switch (error) {
    case QSerialPort::DeviceNotFoundError: return OpenFailure::NotFound;
    case QSerialPort::PermissionError:
        return MayReadAndWrite(device) ? OpenFailure::InUse : OpenFailure::PermissionDenied;
    default: return OpenFailure::Other;
    }
}

// The device's own name, links followed: /dev/serial/by-id/... is opened as
// /dev/ttyUSB0 and a link to a pseudo-terminal as /dev/pts/N. The lock that
// marks a device in use is named after the name opened, so every program that
// opens the device by any of its names meets the same lock, and a long path
// does not make a lock name longer than a file name may be.
QString OpenedName(const QString &device)
{
    const QString canonical = QFileInfo(device).canonicalFilePath();
    return canonical.isEmpty() ? device : canonical;
}

} // namespace

MSComm::MSComm(QObject *parent) : QObject(parent), m_port(new QSerialPort(this))
{
    connect(m_port, &QSerialPort::readyRead, this, &MSComm::receive);
    connect(m_port, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        if (MeansDeviceGone(error))
            closeLostDevice();
    });
}

MSComm::~MSComm()
{
    if (m_port->isOpen())
        m_port->close();
}

bool MSComm::setCommPort(int port)
{
    if (PortOpen() || port < FirstPort || port > LastPort)
        return false;
    m_commPort = port;
    return true;
}

bool MSComm::setSettings(const QString &text)
{
    const auto parsed = SerialSettings::parse(text);
    if (!parsed)
        return false;
    m_settings = *parsed;
    m_settingsText = text;
    if (PortOpen())
        m_settings.applyTo(*m_port);
    emit settingsChanged();
    return true;
}

bool MSComm::PortOpen() const
{
    return m_port->isOpen();
}

bool MSComm::setPortOpen(bool open)
{
    if (!open) {
        if (m_port->isOpen()) {
            m_port->close();
            emit portClosed();
        }
        return true;
    }
    if (m_port->isOpen()) {
        m_errorString = tr("Port already open");
        return false;
    }
    const QString device = DeviceName();
    if (device.isEmpty()) {
        m_errorString = tr("No device");
        m_openFailure = OpenFailure::NoDevice;
        return false;
    }
    m_port->setPortName(OpenedName(device));
    m_settings.applyTo(*m_port);
    if (!m_port->open(QIODevice::ReadWrite)) {
        m_errorString = m_port->errorString();
        m_openFailure = ClassifyOpenFailure(device, m_port->error());
        return false;
    }
    m_openFailure = OpenFailure::None;
    m_settings.applyTo(*m_port); // some platforms only take them on an open port
    m_received.clear();
    emit portOpened();
    return true;
}

bool MSComm::setOutput(const QByteArray &bytes)
{
    if (!m_port->isOpen())
        return false;
    // Bytes the line can take now are handed over first, so the queue counts
    // only what the device really has not taken.
    if (m_port->bytesToWrite() > 0 && canTakeBytes(*m_port))
        m_port->flush();
    if (m_port->bytesToWrite() + bytes.size() > OutBufferSize)
        return false;
    m_port->write(bytes);
    // Hand the bytes to the driver now rather than at the next event loop pass;
    // when the line is full they wait, in order, until it drains.
    if (canTakeBytes(*m_port))
        m_port->flush();
    emit outputWritten(bytes);
    return true;
}

bool MSComm::drainOutput(int stallMs)
{
    // Each wait returns once the device has taken some bytes, so only a
    // device that takes none for stallMs ends it.
    while (m_port->isOpen() && m_port->bytesToWrite() > 0) {
        if (!m_port->waitForBytesWritten(stallMs))
            return false;
    }
    if (!m_port->isOpen())
        return false;
#ifdef Q_OS_UNIX
    // The driver's own buffer: closing the port would restore the line's
    // settings with bytes still in it.
    ::tcdrain(int(m_port->handle()));
#endif
    return true;
}

QByteArray MSComm::Input()
{
    QByteArray bytes;
    bytes.swap(m_received);
    return bytes;
}

int MSComm::OutBufferCount() const
{
    return int(m_port->bytesToWrite());
}

bool MSComm::OutputDrained() const
{
    if (!m_port->isOpen())
        return true;
    if (m_port->bytesToWrite() > 0)
        return false;
#ifdef Q_OS_UNIX
    int queued = 0;
    return ::ioctl(int(m_port->handle()), TIOCOUTQ, &queued) != 0 || queued == 0;
#else
    return true;
#endif
}

void MSComm::setInBufferCount(int count)
{
    if (count != 0)
        return;
    m_received.clear();
    if (m_port->isOpen())
        m_port->clear(QSerialPort::Input);
}

QString MSComm::DeviceName() const
{
    return m_resolver ? m_resolver(m_commPort) : PlatformDevice(m_commPort);
}

QString MSComm::PlatformDevice(int port)
{
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(port);
#else
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
#endif
}

void MSComm::receive()
{
    const QByteArray arrived = m_port->readAll();
    if (!arrived.isEmpty())
        emit inputArrived(arrived);
    const qsizetype room = InBufferSize - m_received.size();
    m_received.append(arrived.left(room));
    if (arrived.size() > room)
        raise(comEventRxOver); // like a full UART buffer: what does not fit is lost
    if (m_rThreshold > 0 && m_received.size() >= m_rThreshold)
        raise(comEvReceive);
}

// Closes cleanly, whichever way the device went.
void MSComm::closeLostDevice()
{
    if (!m_port->isOpen())
        return;
    m_errorString = m_port->errorString();
    m_port->close();
    raise(comEventBreak);
    emit portLost();
}

void MSComm::raise(int event)
{
    m_commEvent = event;
    emit OnComm();
}
