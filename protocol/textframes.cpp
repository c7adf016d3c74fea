#include "protocol/textframes.h"

#include "protocol/commands.h"
#include "protocol/textbytes.h"

namespace {

// The text's bytes, with the mark after them when the text is shorter than width.
QByteArray TextThenMark(const QString &text, TextPlace place, int width, quint8 mark)
{
    QByteArray bytes = TextToWire(text, place);
    if (bytes.size() < width)
        bytes.append(char(mark));
    return bytes;
}

QByteArray ClosingText(const QString &text)
{
    return TextToWire(text, TextPlace::Definition) + char(Cmd::EndOfText);
}

} // namespace

TwoTextCommand StartupScreenCommand(const QString &line1, const QString &line2)
{
    return {Cmd::defineScreen(0),
            TextThenMark(line1, TextPlace::Definition, DisplayLineLength, Cmd::EndOfLine),
            ClosingText(line2)};
}

TwoTextCommand UserScreenCommand(int screen, const QString &line1, const QString &line2)
{
    return {Cmd::defineScreen(screen),
            TextToWire(line1, TextPlace::Definition) + char(Cmd::EndOfLine), ClosingText(line2)};
}

TwoTextCommand ScrollCommand(ScrollDirection direction, const QString &text1, const QString &text2)
{
    const Cmd::Code code =
        direction == ScrollDirection::LeftToRight ? Cmd::ScrollLeftToRight : Cmd::ScrollRightToLeft;
    return {Cmd::command(code),
            TextThenMark(text1, TextPlace::Definition, ScrollTextLength, Cmd::EndOfLine),
            ClosingText(text2)};
}

TwoLineText DisplayLinesText(const QString &line1, const QString &line2)
{
    return {TextThenMark(line1, TextPlace::Free, DisplayLineLength, Cmd::NewLine),
            TextToWire(line2, TextPlace::Free)};
}
