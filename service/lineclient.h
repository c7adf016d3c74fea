#pragma once

#include <QString>
#include <memory>
#include <optional>

class QDeadlineTimer;
class QLocalSocket;

// The client side of a LineServer for a command-line program: connects to
// the socket and asks one line at a time, waiting (at most a given time) for
// its one answer line. Blocks; meant for programs without an event loop to
// keep going.
class LineClient
{
public:
    LineClient();
    ~LineClient();
    LineClient(const LineClient &) = delete;
    LineClient &operator=(const LineClient &) = delete;

    // Connects to the socket at `path`. False at once when nobody serves
    // there (no socket, or a stale one), and errorString() says why.
    bool connectTo(const QString &path, int timeoutMs);
    // Sends the line and gives its answer, without the line end. Nothing
    // when the line holds a line break, the server closes the connection
    // before answering, or no answer comes within timeoutMs; *error (and
    // errorString()) then say why, and but for the line break the connection
    // is closed, so that a late answer cannot pass for the next line's. A
    // server that turns the client away answers the first line with its
    // reason ("error: too many programs use this port").
    std::optional<QString> ask(const QString &line, int timeoutMs, QString *error);
    QString errorString() const { return m_error; }

private:
    bool waitForAnswer(const QDeadlineTimer &deadline, int timeoutMs, QString *error);
    // Always false, after noting why.
    bool failed(const QString &why, QString *error);

    std::unique_ptr<QLocalSocket> m_socket;
    QString m_error;
};
