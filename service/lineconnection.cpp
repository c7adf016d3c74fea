#include "service/lineconnection.h"

#include "service/lineserver.h"
#include "service/localstream.h"

#include <utility>

namespace {

// Bytes taken from the socket at a time: one call never holds more than a
// chunk and a line, however much a client has sent.
constexpr qint64 ReadChunk = 64 * 1024;

} // namespace

LineConnection::LineConnection(quint64 id, LocalStream *socket, const QString &label,
                               QObject *parent)
    : QObject(parent), m_id(id), m_socket(socket), m_label(label)
{
    m_socket->setParent(this);
    connect(m_socket, &LocalStream::readyRead, this, &LineConnection::readBytes);
    connect(m_socket, &LocalStream::disconnected, this, &LineConnection::end);
}

void LineConnection::answer(const QString &text)
{
    if (m_ended || !m_handling)
        return;
    m_handling = false;
    QByteArray line = text.toUtf8();
    line.replace('\n', ' ').replace('\r', ' ');
    m_socket->write(line + '\n');
    // What the kernel could not take stays in the socket's buffer: a client
    // that stops reading would make it grow without end.
    if (m_socket->bytesToWrite() > LineServer::MaxUnreadAnswerBytes) {
        cutOffFor(QStringLiteral("over 1 MiB of answers not read"));
        return;
    }
    QMetaObject::invokeMethod(this, &LineConnection::handNext, Qt::QueuedConnection);
}

void LineConnection::close()
{
    m_socket->close();
    end();
}

// A chunk each time the socket has bytes: a client that sends without end
// is read in turn with the others, and soon breaks a bound.
void LineConnection::readBytes()
{
    const QByteArray chunk = m_socket->read(ReadChunk);
    if (m_ended || (!chunk.isEmpty() && !takeLines(chunk)))
        return;
    handNext();
}

// Adds the chunk to the line being received and queues every line it ends.
bool LineConnection::takeLines(const QByteArray &chunk)
{
    qsizetype start = 0;
    for (qsizetype end = chunk.indexOf('\n'); end >= 0; end = chunk.indexOf('\n', start)) {
        m_partial += chunk.mid(start, end - start);
        start = end + 1;
        if (!enqueue(std::exchange(m_partial, QByteArray())))
            return false;
    }
    m_partial += chunk.mid(start);
    // One more byte than a line may hold: the '\r' that may come before its end.
    if (m_partial.size() > LineServer::MaxLineBytes + 1)
        return cutOffFor(QStringLiteral("a line over 64 KiB"));
    return true;
}

bool LineConnection::enqueue(QByteArray line)
{
    if (line.endsWith('\r'))
        line.chop(1);
    if (line.size() > LineServer::MaxLineBytes)
        return cutOffFor(QStringLiteral("a line over 64 KiB"));
    if (m_waiting.size() >= LineServer::MaxWaitingLines
        || m_waitingBytes + line.size() > LineServer::MaxWaitingBytes)
        return cutOffFor(QStringLiteral("too many lines waiting to be handled"));
    m_waitingBytes += line.size();
    m_waiting.enqueue(line);
    return true;
}

void LineConnection::handNext()
{
    if (m_ended || m_handling || m_waiting.isEmpty())
        return;
    const QByteArray line = m_waiting.dequeue();
    m_waitingBytes -= line.size();
    m_handling = true;
    // Last: the handler may answer, close or delete this connection at once.
    emit lineReceived(m_id, QString::fromUtf8(line));
}

// Always false, so that a reader can return it at once.
bool LineConnection::cutOffFor(const QString &why)
{
    if (!m_ended) {
        emit cutOff(m_id, why);
        close();
    }
    return false;
}

void LineConnection::end()
{
    if (std::exchange(m_ended, true))
        return;
    m_waiting.clear();
    m_waitingBytes = 0;
    m_partial.clear();
    emit ended(m_id);
}
