#include "protocol/commandtable.h"

#include "protocol/commands.h"
#include "protocol/textframes.h"

namespace {

struct Row
{
    quint8 code;
    CommandInfo info;
};

using S = CommandShape;
using R = ReadKind;

constexpr Row Commands[] = {
    {Cmd::CursorUnderline, {"CursorUnderline", S::Plain, R::None}},
    {Cmd::CursorBlockBlink, {"CursorBlockBlink", S::Plain, R::None}},
    {Cmd::CursorHide, {"CursorHide", S::Plain, R::None}},
    {Cmd::GraphModeOn, {"GraphModeOn", S::Plain, R::None}},
    {Cmd::Code23, {"Code23", S::Plain, R::None}},
    {Cmd::BacklightOn, {"BacklightOn", S::Plain, R::None}},
    {Cmd::BacklightOff, {"BacklightOff", S::Plain, R::None}},
    {Cmd::GraphModeOff, {"GraphModeOff", S::Plain, R::None}},
    {Cmd::Code25, {"Code25", S::Plain, R::None}},
    {Cmd::ReadInputs, {"ReadInputs", S::Plain, R::Inputs}},
    {Cmd::ReadVoltage, {"ReadVoltage", S::Plain, R::Voltage}},
    {Cmd::Code28, {"Code28", S::Plain, R::None}}, // no reply format: the board gives none
    {Cmd::ReadCurrent, {"ReadCurrent", S::Plain, R::Current}},
    {Cmd::SetDeviceBaud9600, {"SetDeviceBaud9600", S::Plain, R::None}},
    {Cmd::SetDeviceBaud19200, {"SetDeviceBaud19200", S::Plain, R::None}},
    {Cmd::SaveSettings, {"SaveSettings", S::Plain, R::None}},
    {Cmd::SetBrightness, {"SetBrightness", S::OneParameter, R::None}},
    {Cmd::SetAutoOff, {"SetAutoOff", S::OneParameter, R::None}},
    {Cmd::ShowScreen, {"ShowScreen", S::OneParameter, R::None}},
    {Cmd::GraphLeftToRight, {"GraphLeftToRight", S::OneParameter, R::None}},
    {Cmd::GraphRightToLeft, {"GraphRightToLeft", S::OneParameter, R::None}},
    {Cmd::DeleteRow, {"DeleteRow", S::OneParameter, R::None}},
    {Cmd::DeleteColumn, {"DeleteColumn", S::OneParameter, R::None}},
    {Cmd::SetOutputs, {"SetOutputs", S::OneParameter, R::None}},
    {Cmd::SetCursorPosition, {"SetCursorPosition", S::TwoParameters, R::None}},
    {Cmd::DefineCustomChar, {"DefineCustomChar", S::CustomData, R::None}},
    {Cmd::DefineStartupScreen, {"DefineStartupScreen", S::Screen, R::None}},
    {Cmd::ScrollLeftToRight, {"ScrollText", S::Scroll, R::None}},
    {Cmd::ScrollRightToLeft, {"ScrollText", S::Scroll, R::None}},
};

constexpr struct
{
    quint8 byte;
    const char *name;
} Controls[] = {
    {Cmd::Ctrl08, "Ctrl08"},   {Cmd::Ctrl0B, "Ctrl0B"},
    {Cmd::NewLine, "NewLine"}, {Cmd::ClearDisplay, "ClearDisplay"},
    {Cmd::Ctrl0E, "Ctrl0E"},   {Cmd::Ctrl0F, "Ctrl0F"},
};

// Bytes after the command byte of a command that has no texts.
qsizetype FixedBodyLength(CommandShape shape)
{
    switch (shape) {
    case S::OneParameter: return 1;
    case S::TwoParameters: return 2;
    case S::CustomData: return Cmd::CustomCharCount * Cmd::CustomCharRows;
    default: return 0;
    }
}

} // namespace

CommandInfo LookUpCommand(quint8 code)
{
    const int screen = code - Cmd::DefineStartupScreen;
    if (screen > 0 && screen <= Cmd::UserScreenCount)
        return {"DefineUserScreen", S::Screen, R::None};
    for (const Row &row : Commands) {
        if (row.code == code)
            return row.info;
    }
    return {"unknown command", S::Unknown, R::None};
}

const char *ControlName(quint8 byte)
{
    for (const auto &control : Controls) {
        if (control.byte == byte)
            return control.name;
    }
    return nullptr;
}

int ReplyLength(ReadKind kind)
{
    switch (kind) {
    case R::Inputs: return 1;
    case R::Voltage:
    case R::Current: return 3;
    case R::None: break;
    }
    return 0;
}

const char *ReadName(ReadKind kind)
{
    switch (kind) {
    case R::Inputs: return "ReadInputs";
    case R::Voltage: return "ReadVoltage";
    case R::Current: return "ReadCurrent";
    case R::None: break;
    }
    return "no read";
}

DefinitionLines ParseDefinition(QByteArrayView body, int lineLimit)
{
    enum
    {
        Line1,
        AfterFullLine1,
        Line2,
        AfterFullLine2
    } part = Line1;
    DefinitionLines lines;
    for (qsizetype at = 0; at < body.size(); ++at) {
        const auto byte = quint8(body[at]);
        if (byte == Cmd::EndOfText) {
            lines.length = at + 1;
            return lines;
        }
        if (part == AfterFullLine2) {
            lines.length = at;
            lines.cut = true;
            return lines;
        }
        const bool endsLine1 = byte == Cmd::EndOfLine && part != Line2;
        if (part == AfterFullLine1 || endsLine1)
            part = Line2;
        if (endsLine1)
            continue;
        QByteArray &line = part == Line1 ? lines.line1 : lines.line2;
        line += char(byte);
        if (line.size() == lineLimit)
            part = part == Line1 ? AfterFullLine1 : AfterFullLine2;
    }
    return lines;
}

int DefinitionLineLimit(CommandShape shape)
{
    return shape == S::Screen ? DisplayLineLength : ScrollTextLength;
}

CommandExtent MeasureCommand(QByteArrayView command)
{
    constexpr qsizetype Head = 2; // the prefix and the command byte
    if (command.size() < Head)
        return {};
    const CommandShape shape = LookUpCommand(quint8(command[1])).shape;
    if (shape == S::Screen || shape == S::Scroll) {
        const DefinitionLines lines =
            ParseDefinition(command.sliced(Head), DefinitionLineLimit(shape));
        return {lines.length ? Head + lines.length : 0, lines.cut};
    }
    const qsizetype length = Head + FixedBodyLength(shape);
    return {command.size() >= length ? length : 0, false};
}
