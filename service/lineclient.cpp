#include "service/lineclient.h"

#include <QDeadlineTimer>
#include <QLocalSocket>

namespace {

// An answer is one line; more than this without its end is no answer.
constexpr qint64 MaxAnswerBytes = 16 * 1024 * 1024;

} // namespace

LineClient::LineClient() : m_socket(std::make_unique<QLocalSocket>())
{
}

LineClient::~LineClient() = default;

bool LineClient::connectTo(const QString &path, int timeoutMs)
{
    m_socket->abort();
    m_socket->connectToServer(path);
    if (m_socket->waitForConnected(timeoutMs))
        return true;
    m_error = QStringLiteral("Nobody serves on %1: %2").arg(path, m_socket->errorString());
    m_socket->abort();
    return false;
}

std::optional<QString> LineClient::ask(const QString &line, int timeoutMs, QString *error)
{
    if (line.contains(QLatin1Char('\n')) || line.contains(QLatin1Char('\r'))) {
        failed(QStringLiteral("A line to send cannot hold a line break"), error);
        return std::nullopt;
    }
    if (m_socket->state() != QLocalSocket::ConnectedState) {
        failed(QStringLiteral("Not connected"), error);
        return std::nullopt;
    }
    const QDeadlineTimer deadline(timeoutMs);
    m_socket->write(line.toUtf8() + '\n');
    // A failed write is no reason to give up: a server that closed the
    // connection may have answered before it did.
    while (m_socket->bytesToWrite() > 0
           && m_socket->waitForBytesWritten(int(deadline.remainingTime())))
        continue;
    if (!waitForAnswer(deadline, timeoutMs, error)) {
        m_socket->abort(); // a late answer must not pass for the next line's
        return std::nullopt;
    }
    QByteArray answer = m_socket->readLine();
    answer.chop(answer.endsWith("\r\n") ? 2 : 1);
    return QString::fromUtf8(answer);
}

bool LineClient::waitForAnswer(const QDeadlineTimer &deadline, int timeoutMs, QString *error)
{
    while (!m_socket->canReadLine()) {
        if (m_socket->bytesAvailable() > MaxAnswerBytes)
            return failed(QStringLiteral("The answer is too long"), error);
        if (m_socket->state() != QLocalSocket::ConnectedState)
            return failed(QStringLiteral("The owner of the port closed the connection"), error);
        if (!m_socket->waitForReadyRead(int(deadline.remainingTime())) && deadline.hasExpired())
            return failed(QStringLiteral("No answer within %1 ms").arg(timeoutMs), error);
    }
    return true;
}

bool LineClient::failed(const QString &why, QString *error)
{
    m_error = why;
    if (error)
        *error = why;
    return false;
}
