#include "service/boardservice.h"

#include "link/mscomm.h"
#include "protocol/line/commandset.h"
#include "protocol/line/linerequest.h"
#include "protocol/line/linewords.h"
#include "service/runtimefolder.h"

#include <QFileInfo>

namespace {

// Whether a line asks for its answer in JSON, also when it cannot be read whole.
bool AsksForJson(const QString &line)
{
    QString error;
    const auto words = LineWords(line, &error);
    return words && words->contains(QStringLiteral("--json"));
}

} // namespace

BoardService::BoardService(MSComm &port, QObject *parent)
    : QObject(parent), m_port(port), m_executor(port)
{
    connect(&m_port, &MSComm::portOpened, this, &BoardService::serve);
    connect(&m_port, &MSComm::portClosed, this, &BoardService::stop);
    connect(&m_server, &LineServer::lineReceived, this, &BoardService::lineReceived);
    connect(&m_server, &LineServer::clientCountChanged, this, &BoardService::clientCountChanged);
    connect(&m_executor, &BoardExecutor::finished, this, &BoardService::finished);
    if (m_port.PortOpen())
        serve();
}

// The socket of the device the port has open, found from its own name (links
// followed), so every program that means this device finds it.
void BoardService::serve()
{
    const QString device = QFileInfo(m_port.DeviceName()).canonicalFilePath();
    const auto folder = RuntimeFolder::prepare(&m_error);
    const QString path = folder ? RuntimeFolder::socketPath(*folder, device) : QString();
    if (!path.isEmpty() && path == m_socketPath && m_server.isListening())
        return;
    m_server.close();
    m_socketPath.clear();
    if (folder && m_server.listen(path, &m_error)) {
        m_socketPath = path;
        m_error.clear();
    }
    emit servingChanged();
}

void BoardService::stop()
{
    m_server.close();
    m_socketPath.clear();
    emit servingChanged();
}

void BoardService::lineReceived(quint64 client, const QString &line)
{
    QString error;
    const auto request = ParseLine(line, LineOptions(), &error);
    if (!request) {
        reply(client, LineAnswer::error(StatusBadArguments, error), AsksForJson(line));
        return;
    }
    const bool json = request->options.json;
    if (!request->command) {
        reply(client, AnswerWithoutBoard(*request), json); // help, an empty line or a comment
        return;
    }
    const quint64 ticket = m_executor.newTicket();
    m_pending.insert(ticket, {client, json, request->command->read});
    m_executor.submit(ticket, *request->command, request->options.timeoutMs,
                      m_server.clientLabel(client));
}

void BoardService::finished(quint64 ticket, const BoardExecutor::Outcome &outcome)
{
    if (!m_pending.contains(ticket))
        return;
    const Pending pending = m_pending.take(ticket);
    reply(pending.client, outcome.answer(pending.read), pending.json);
}

void BoardService::reply(quint64 client, const LineAnswer &answer, bool json)
{
    m_server.answer(client, answer.line(json));
}
