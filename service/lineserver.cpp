#include "service/lineserver.h"

#include "service/lineconnection.h"
#include "service/locallistener.h"
#include "service/localstream.h"
#include "service/peercredentials.h"
#include "service/socketfile.h"

#include <QFile>
#include <QSignalBlocker>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

} // namespace

LineServer::LineServer(QObject *parent) : QObject(parent), m_listener(new LocalListener(this))
{
    connect(m_listener, &LocalListener::newConnection, this, &LineServer::acceptPending);
}

LineServer::~LineServer()
{
    const QSignalBlocker quiet(this);
    close();
}

bool LineServer::listen(const QString &path, QString *error)
{
    close();
    if (!SocketFile::clear(path, error))
        return false;
    if (QString why; !m_listener->listen(path, &why))
        return fail(error, QStringLiteral("Cannot serve on %1: %2").arg(path, why));
    // Bound with the umask's mode: no other user may connect in the moment
    // before this, as the folder of the sockets is the user's own.
    if (::chmod(QFile::encodeName(path).constData(), 0600) != 0) {
        const QString why = QString::fromLocal8Bit(std::strerror(errno));
        close();
        return fail(error, QStringLiteral("Cannot make %1 private: %2").arg(path, why));
    }
    return true;
}

void LineServer::close()
{
    m_listener->close(); // also removes the socket file
    const QList<LineConnection *> clients = m_clients.values();
    for (LineConnection *client : clients)
        client->close();
}

bool LineServer::isListening() const
{
    return m_listener->isListening();
}

void LineServer::answer(quint64 client, const QString &answer)
{
    if (LineConnection *connection = m_clients.value(client))
        connection->answer(answer);
}

QString LineServer::clientLabel(quint64 client) const
{
    const LineConnection *connection = m_clients.value(client);
    return connection ? connection->label() : QString();
}

void LineServer::acceptPending()
{
    while (LocalStream *client = m_listener->nextPendingConnection())
        admit(client);
}

void LineServer::admit(LocalStream *client)
{
    const auto peer = PeerCredentials::of(client->descriptor());
    if (!peer || peer->uid != ::geteuid()) {
        client->close(); // another user's program: not a byte read or written
        client->deleteLater();
        return;
    }
    if (m_clients.size() >= MaxClients) {
        turnAway(client);
        return;
    }
    auto *connection = new LineConnection(++m_lastClient, client, peer->label(), this);
    connect(connection, &LineConnection::lineReceived, this, &LineServer::lineReceived);
    connect(connection, &LineConnection::cutOff, this, &LineServer::clientCutOff);
    connect(connection, &LineConnection::ended, this, &LineServer::forget);
    m_clients.insert(connection->id(), connection);
    emit clientCountChanged(clientCount());
}

// One client too many is told why, so that its program can say so, and closed.
void LineServer::turnAway(LocalStream *client)
{
    connect(client, &LocalStream::disconnected, client, &QObject::deleteLater);
    client->write(QByteArray(TooManyClients) + '\n');
    client->closeWhenWritten();
}

void LineServer::forget(quint64 client)
{
    if (LineConnection *connection = m_clients.take(client)) {
        connection->deleteLater();
        emit clientCountChanged(clientCount());
    }
}
