#include "protocol/commanddecoder.h"

#include "protocol/bytetext.h"
#include "protocol/commanddescription.h"
#include "protocol/commands.h"

#include <utility>

using namespace Qt::StringLiterals;

QString DecodedCommand::HexLine(QByteArrayView bytes, const QString &description)
{
    return HexText(bytes) + u"  "_s + description;
}

QList<DecodedCommand> CommandDecoder::feed(QByteArrayView bytes)
{
    QList<DecodedCommand> commands;
    for (const char byte : bytes)
        step(quint8(byte), commands);
    takeCharacters(commands);
    return commands;
}

QString CommandDecoder::pending() const
{
    return m_command.isEmpty() ? QString() : CommandTitle(m_command);
}

void CommandDecoder::step(quint8 byte, QList<DecodedCommand> &out)
{
    if (m_command.isEmpty()) {
        const char *control = ControlName(byte);
        if (byte != Cmd::Prefix && !control) {
            m_text += char(byte);
            return;
        }
        takeCharacters(out);
        if (control)
            out << DecodedCommand{QByteArray(1, char(byte)), QString::fromLatin1(control)};
        else
            m_command += char(byte);
        return;
    }
    // The board starts a command afresh at a repeated prefix: the first one is lost.
    if (m_command.size() == 1 && byte == Cmd::Prefix) {
        out << DecodedCommand{m_command, u"prefix repeated (skipped)"_s};
        return;
    }
    m_command += char(byte);
    const CommandExtent extent = MeasureCommand(m_command);
    if (!extent.length)
        return;
    // A cut definition ends before the byte that cut it, which starts what follows.
    const QByteArray command = m_command.left(extent.length);
    m_command.remove(0, extent.length);
    out << DecodedCommand{command, DescribeCommand(command, extent.cut),
                          LookUpCommand(quint8(command[1])).read};
    if (!m_command.isEmpty())
        step(quint8(std::exchange(m_command, QByteArray()).at(0)), out);
}

void CommandDecoder::takeCharacters(QList<DecodedCommand> &out)
{
    if (m_text.isEmpty())
        return;
    out << DecodedCommand{m_text, DescribeCharacters(m_text)};
    m_text.clear();
}
