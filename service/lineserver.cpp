#include "service/lineserver.h"

#include "service/lineconnection.h"
#include "service/peercredentials.h"
#include "service/socketfile.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
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

LineServer::LineServer(QObject *parent) : QObject(parent), m_server(new QLocalServer(this))
{
    connect(m_server, &QLocalServer::newConnection, this, &LineServer::acceptPending);
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
    if (!m_server->listen(path))
        return fail(error,
                    QStringLiteral("Cannot serve on %1: %2").arg(path, m_server->errorString()));
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
    m_server->close(); // also removes the socket file
    const QList<LineConnection *> clients = m_clients.values();
    for (LineConnection *client : clients)
        client->close();
}

bool LineServer::isListening() const
{
    return m_server->isListening();
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
    while (QLocalSocket *socket = m_server->nextPendingConnection())
        admit(socket);
}

void LineServer::admit(QLocalSocket *socket)
{
    const auto peer = PeerCredentials::of(socket->socketDescriptor());
    if (!peer || peer->uid != ::geteuid()) {
        socket->abort(); // another user's program: not a byte read or written
        socket->deleteLater();
        return;
    }
    if (m_clients.size() >= MaxClients) {
        turnAway(socket);
        return;
    }
    auto *client = new LineConnection(++m_lastClient, socket, peer->label(), this);
    connect(client, &LineConnection::lineReceived, this, &LineServer::lineReceived);
    connect(client, &LineConnection::cutOff, this, &LineServer::clientCutOff);
    connect(client, &LineConnection::ended, this, &LineServer::forget);
    m_clients.insert(client->id(), client);
    emit clientCountChanged(clientCount());
}

// One client too many is told why, so that its program can say so, and closed.
void LineServer::turnAway(QLocalSocket *socket)
{
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    socket->write(QByteArray(TooManyClients) + '\n');
    socket->disconnectFromServer();
    if (socket->state() == QLocalSocket::UnconnectedState)
        socket->deleteLater();
}

void LineServer::forget(quint64 client)
{
    if (LineConnection *connection = m_clients.take(client)) {
        connection->deleteLater();
        emit clientCountChanged(clientCount());
    }
}
