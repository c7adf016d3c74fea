#include "commandlog.h"

#include "protocol/bytetext.h"
#include "protocol/commanddecoder.h"

#include <utility>

CommandLog::CommandLog() : m_decoder(std::make_unique<CommandDecoder>())
{
}

CommandLog::~CommandLog() = default;

void CommandLog::add(const QByteArray &received, const QByteArray &answer)
{
    qsizetype answered = 0;
    for (const DecodedCommand &command : m_decoder->feed(received)) {
        QString line = command.line();
        // The board answers its reads in order, each with its own length.
        const qsizetype length =
            std::min<qsizetype>(ReplyLength(command.read), answer.size() - answered);
        if (length > 0)
            line +=
                QStringLiteral(" -> ") + HexText(QByteArrayView(answer).sliced(answered, length));
        answered += length;
        m_lines.append(line);
    }
}

void CommandLog::addNote(const QString &note)
{
    m_lines.append(note);
}

QStringList CommandLog::take()
{
    return std::exchange(m_lines, QStringList());
}

void CommandLog::reset()
{
    m_decoder->reset();
}
