#include "traceboard.h"

#include <QFileInfo>
#include <QTest>

TraceBoard::TraceBoard(const QString &program, const QString &link, const QStringList &arguments)
    : m_program(program), m_link(link), m_arguments(arguments)
{
}

TraceBoard::~TraceBoard()
{
    pull();
}

bool TraceBoard::plug()
{
    m_process.start(m_program,
                    QStringList{"--headless", "--trace", "--link", m_link} + m_arguments);
    return m_process.waitForStarted()
           && QTest::qWaitFor([this] { return QFileInfo(m_link).isSymLink(); }, 10000);
}

void TraceBoard::pull()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_trace += m_process.readAllStandardOutput();
    m_process.terminate();
    if (!m_process.waitForFinished(5000))
        m_process.kill();
    m_process.waitForFinished(1000);
}

QByteArray TraceBoard::trace()
{
    m_trace += m_process.readAllStandardOutput();
    return m_trace;
}

QByteArray TraceBoard::traceWithoutReads()
{
    QByteArrayList lines = trace().split('\n');
    lines.removeIf([](const QByteArray &line) { return line.contains("  Read"); });
    return lines.join('\n');
}

void TraceBoard::mark()
{
    trace();
    m_trace.clear();
}

bool TraceBoard::waitFor(const QByteArray &text, int timeoutMs)
{
    return QTest::qWaitFor([&] { return trace().contains(text); }, timeoutMs);
}
