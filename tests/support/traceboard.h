#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// A real VantorBoard, headless, behind a link, with its trace (one line a
// decoded command) read as it comes. It can be pulled and plugged again on
// the same link, as a cable would be.
class TraceBoard
{
public:
    // program: VantorBoard; arguments: what the board reads (--voltage ...).
    TraceBoard(const QString &program, const QString &link, const QStringList &arguments = {});
    ~TraceBoard();
    TraceBoard(const TraceBoard &) = delete;
    TraceBoard &operator=(const TraceBoard &) = delete;

    // Starts it and waits for its link; false when the link does not come.
    bool plug();
    // Ends it, as a pulled cable: the device goes away.
    void pull();
    QString link() const { return m_link; }
    // The board's process, for a benchmark that times its trace as it comes.
    QProcess &process() { return m_process; }

    // The trace since the last mark().
    QByteArray trace();
    // The trace since the last mark() without its reads (a poll's), which
    // may come at any time.
    QByteArray traceWithoutReads();
    void mark();
    // Waits, with events processed, until the trace since the mark holds text.
    bool waitFor(const QByteArray &text, int timeoutMs = 10000);

private:
    QString m_program;
    QString m_link;
    QStringList m_arguments;
    QProcess m_process;
    QByteArray m_trace;
};
