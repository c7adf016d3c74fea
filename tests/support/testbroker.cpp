#include "testbroker.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

namespace {

int FreeLoopbackPort()
{
    QTcpServer server;
    return server.listen(QHostAddress::LocalHost) ? server.serverPort() : 0;
}

bool TakesConnections(int port)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, quint16(port));
    return socket.waitForConnected(200);
}

} // namespace

TestBroker::TestBroker() = default;

TestBroker::~TestBroker()
{
    stop();
}

QString TestBroker::program()
{
    const QString found = QStandardPaths::findExecutable(QStringLiteral("mosquitto"));
    return found.isEmpty() ? QStandardPaths::findExecutable(QStringLiteral("mosquitto"),
                                                            {"/usr/sbin", "/usr/local/sbin"})
                           : found;
}

QString TestBroker::url() const
{
    return QStringLiteral("mqtt://127.0.0.1:%1").arg(m_port);
}

bool TestBroker::start()
{
    if (m_port == 0)
        m_port = FreeLoopbackPort();
    QFile config(m_dir.filePath(QStringLiteral("mosquitto.conf")));
    if (!config.open(QIODevice::WriteOnly))
        return false;
    config.write(QStringLiteral("listener %1 127.0.0.1\nallow_anonymous true\npersistence false\n")
                     .arg(m_port)
                     .toUtf8());
    config.close();
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setStandardErrorFile(QProcess::nullDevice());
    m_process.start(program(), {QStringLiteral("-c"), config.fileName()});
    const QDeadlineTimer deadline(10000);
    while (m_process.state() != QProcess::NotRunning && !deadline.hasExpired()) {
        if (TakesConnections(m_port))
            return true;
        QThread::msleep(20);
    }
    return false;
}

void TestBroker::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000))
        m_process.kill();
    m_process.waitForFinished(1000);
}
