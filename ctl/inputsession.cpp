#include "ctl/inputsession.h"

#include "ctl/boundedline.h"
#include "ctl/ctlhelp.h"
#include "ctl/ctloutput.h"
#include "ctl/linkchoice.h"
#include "protocol/line/linerequest.h"

namespace {

class InputSession
{
public:
    explicit InputSession(const CtlOptions &options) : m_options(options) {}

    int run();

private:
    int runLine(const BoundedLineReader::Line &line);
    QString where() const { return QStringLiteral("line %1: ").arg(m_lineNumber); }

    const CtlOptions &m_options;
    std::unique_ptr<CtlLink> m_link;
    int m_lineNumber = 0;
};

int InputSession::run()
{
    if (!m_options.line.words.isEmpty()) {
        PrintError(QStringLiteral("- takes no command: the commands come from standard input"));
        return StatusBadArguments;
    }
    if (!m_options.dryRun) {
        int status = StatusDone;
        m_link = OpenLink(m_options, &status);
        if (!m_link)
            return status;
    }
    int status = StatusDone;
    BoundedLineReader input(stdin);
    while (const auto line = input.next()) {
        ++m_lineNumber;
        const int lineStatus = runLine(*line);
        if (status == StatusDone)
            status = lineStatus;
        if (m_link && !m_link->isOpen())
            break;
    }
    return status;
}

int InputSession::runLine(const BoundedLineReader::Line &line)
{
    if (line.tooLong) {
        PrintError(
            where()
            + QStringLiteral("longer than %1 bytes; skipped").arg(BoundedLineReader::MaxBytes));
        return StatusBadArguments;
    }
    QString error;
    const auto request = ParseLine(line.text, m_options.line, &error);
    if (!request) {
        PrintError(where() + error);
        return StatusBadArguments;
    }
    if (request->helpTopic)
        return PrintHelp(*request->helpTopic);
    if (!request->command)
        return StatusDone;
    if (m_options.dryRun) {
        PrintWrites(*request->command);
        return StatusDone;
    }
    return PrintAnswer(m_link->carryOut(request->options, *request->command), request->options.json,
                       where());
}

} // namespace

int RunInputSession(const CtlOptions &options)
{
    return InputSession(options).run();
}
