#include "protocol/commanddescription.h"

#include "protocol/bytetext.h"
#include "protocol/commands.h"
#include "protocol/commandtable.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype Head = 2; // the prefix and the command byte

QString onOff(int bits, int bit)
{
    return bits & bit ? u"on"_s : u"off"_s;
}

QString parameterText(quint8 code, int value)
{
    switch (code) {
    case Cmd::SetAutoOff: return u"%1 s"_s.arg(value);
    case Cmd::SetOutputs:
        return u"%1 (Out1 %2, Out2 %3, Out3 %4)"_s.arg(value).arg(onOff(value, 1), onOff(value, 2),
                                                                  onOff(value, 4));
    default: return QString::number(value);
    }
}

// Which of the eight characters have a dot set; a blank one is easy to miss in hex.
QString customCharsText(QByteArrayView rows)
{
    QStringList drawn;
    for (int n = 0; n < Cmd::CustomCharCount; ++n) {
        const QByteArrayView character = rows.sliced(n * Cmd::CustomCharRows, Cmd::CustomCharRows);
        if (character.toByteArray().count('\0') != Cmd::CustomCharRows)
            drawn << QString::number(n + 1);
    }
    return drawn.isEmpty() ? u"all blank"_s : u"drawn: "_s + drawn.join(u", "_s);
}

QString linesText(QByteArrayView command, bool cut)
{
    const CommandShape shape = LookUpCommand(quint8(command[1])).shape;
    const DefinitionLines lines = ParseDefinition(command.sliced(Head), DefinitionLineLimit(shape));
    QString text = QuotedText(lines.line1) + u" / "_s + QuotedText(lines.line2);
    return cut ? text + u" (cut: no end mark)"_s : text;
}

QString details(QByteArrayView command, bool cut)
{
    const auto code = quint8(command[1]);
    switch (LookUpCommand(code).shape) {
    case CommandShape::OneParameter: return parameterText(code, quint8(command[2]));
    case CommandShape::TwoParameters:
        return u"row %1, column %2"_s.arg(quint8(command[2])).arg(quint8(command[3]));
    case CommandShape::CustomData: return customCharsText(command.sliced(Head));
    case CommandShape::Screen:
    case CommandShape::Scroll: return linesText(command, cut);
    case CommandShape::Unknown: return u"(skipped)"_s;
    case CommandShape::Plain: break;
    }
    return QString();
}

} // namespace

QString CommandTitle(QByteArrayView command)
{
    if (command.size() < Head)
        return u"prefix"_s;
    const auto code = quint8(command[1]);
    const QString name = QString::fromLatin1(LookUpCommand(code).name);
    if (code > Cmd::DefineStartupScreen && code <= Cmd::DefineStartupScreen + Cmd::UserScreenCount)
        return name + u' ' + QString::number(code - Cmd::DefineStartupScreen);
    if (code == Cmd::ScrollLeftToRight || code == Cmd::ScrollRightToLeft)
        return name + (code == Cmd::ScrollLeftToRight ? u" left to right"_s : u" right to left"_s);
    return name;
}

QString DescribeCommand(QByteArrayView command, bool cut)
{
    const QString more = details(command, cut);
    return more.isEmpty() ? CommandTitle(command) : CommandTitle(command) + u' ' + more;
}

QString DescribeCharacters(QByteArrayView text)
{
    if (text.size() == 1 && quint8(text[0]) < Cmd::CustomCharCount)
        return u"ShowCustomChar %1"_s.arg(quint8(text[0]) + 1);
    return u"text "_s + QuotedText(text);
}
