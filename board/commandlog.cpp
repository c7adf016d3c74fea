#include "commandlog.h"

#include <utility>

namespace {

QString hex(std::string_view bytes)
{
    return QString::fromLatin1(
        QByteArray(bytes.data(), qsizetype(bytes.size())).toHex(' ').toUpper());
}

// Printable ASCII as it is, anything else as \xNN, in quotes.
QString quoted(std::string_view bytes)
{
    QString text = QStringLiteral("\"");
    for (const char c : bytes) {
        const auto byte = quint8(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\' && byte != '"')
            text += QLatin1Char(c);
        else
            text += QStringLiteral("\\x")
                    + QString::number(byte, 16).rightJustified(2, QLatin1Char('0')).toUpper();
    }
    return text + QLatin1Char('"');
}

QString twoLines(const BoardCommand &command)
{
    QString text = quoted(command.line1) + QStringLiteral(" / ") + quoted(command.line2);
    if (command.cut)
        text += QStringLiteral(" (cut: no end mark)");
    return text;
}

QString details(const BoardCommand &c)
{
    const int p = c.param[0];
    switch (c.id) {
    case CommandId::SetCursorPosition:
        return QStringLiteral("row %1, column %2").arg(p).arg(c.param[1]);
    case CommandId::SetAutoOff: return QStringLiteral("%1 s").arg(p);
    case CommandId::SetOutputs:
        return QStringLiteral("%1 (Out1 %2, Out2 %3, Out3 %4)")
            .arg(p)
            .arg(p & 1 ? "on" : "off", p & 2 ? "on" : "off", p & 4 ? "on" : "off");
    case CommandId::SetBrightness:
    case CommandId::ShowScreen:
    case CommandId::GraphLeftToRight:
    case CommandId::GraphRightToLeft:
    case CommandId::DeleteRow:
    case CommandId::DeleteColumn: return QString::number(p);
    case CommandId::ScrollText:
        return (c.code == BoardCode::ScrollLeftToRight ? QStringLiteral("left to right ")
                                                       : QStringLiteral("right to left "))
               + twoLines(c);
    case CommandId::Unknown: return QStringLiteral("(skipped)");
    default: return QString();
    }
}

QString name(const BoardCommand &c)
{
    if (c.id != CommandId::DefineScreen)
        return QString::fromLatin1(CommandName(c.id));
    if (c.screen() == 0)
        return QStringLiteral("DefineStartupScreen ") + twoLines(c);
    return QStringLiteral("DefineUserScreen %1 ").arg(c.screen()) + twoLines(c);
}

} // namespace

QString CommandLog::describe(const BoardCommand &command)
{
    QString line = hex(command.raw) + QStringLiteral("  ") + name(command);
    const QString more = details(command);
    if (!more.isEmpty())
        line += QLatin1Char(' ') + more;
    return line;
}

void CommandLog::add(const BoardCommand &command, std::string_view reply)
{
    if (command.id == CommandId::Text) {
        m_text.append(char(command.code));
        return;
    }
    flushText();
    QString line = describe(command);
    if (!reply.empty())
        line += QStringLiteral(" -> ") + hex(reply);
    m_lines.append(line);
}

void CommandLog::addNote(const QString &note)
{
    flushText();
    m_lines.append(note);
}

QStringList CommandLog::take()
{
    flushText();
    return std::exchange(m_lines, QStringList());
}

void CommandLog::flushText()
{
    if (m_text.isEmpty())
        return;
    const std::string_view bytes(m_text.constData(), size_t(m_text.size()));
    m_lines.append(hex(bytes) + QStringLiteral("  text ") + quoted(bytes));
    m_text.clear();
}
