#include "protocol/merrowfunc.h"

#include "protocol/commandbuffer.h"
#include "protocol/commands.h"

#include <QByteArray>
#include <optional>

namespace {

// The selector table. It does not follow the byte order (20 is FE 06, 22 is FE 04).
std::optional<QByteArray> selected(qint16 code)
{
    switch (code) {
    case Selector::Ctrl0B: return Cmd::control(Cmd::Ctrl0B);
    case Selector::ClearDisplay: return Cmd::control(Cmd::ClearDisplay);
    case Selector::NewLine: return Cmd::control(Cmd::NewLine);
    case Selector::Ctrl08: return Cmd::control(Cmd::Ctrl08);
    case Selector::Ctrl0E: return Cmd::control(Cmd::Ctrl0E);
    case Selector::Ctrl0F: return Cmd::control(Cmd::Ctrl0F);
    case Selector::CursorUnderline: return Cmd::command(Cmd::CursorUnderline);
    case Selector::CursorBlockBlink: return Cmd::command(Cmd::CursorBlockBlink);
    case Selector::CursorHide: return Cmd::command(Cmd::CursorHide);
    case Selector::BacklightOn: return Cmd::command(Cmd::BacklightOn);
    case Selector::BacklightOff: return Cmd::command(Cmd::BacklightOff);
    case Selector::GraphModeOn: return Cmd::command(Cmd::GraphModeOn);
    case Selector::Code23: return Cmd::command(Cmd::Code23);
    case Selector::GraphModeOff: return Cmd::command(Cmd::GraphModeOff);
    case Selector::Code25: return Cmd::command(Cmd::Code25);
    case Selector::ReadInputs: return Cmd::command(Cmd::ReadInputs);
    case Selector::ReadVoltage: return Cmd::command(Cmd::ReadVoltage);
    case Selector::Code28: return Cmd::command(Cmd::Code28);
    case Selector::ReadCurrent: return Cmd::command(Cmd::ReadCurrent);
    default: return std::nullopt;
    }
}

void buildSelected(qint16 code, qint16 first, qint16 last)
{
    if (code < first || code > last)
        return;
    if (const auto bytes = selected(code))
        strCommand = *bytes;
}

} // namespace

namespace merrowfunc {

void BuildCommand(qint16 code)
{
    buildSelected(code, Selector::Ctrl0B, Selector::Code25);
}

void BuildReadRequest(qint16 code)
{
    buildSelected(code, Selector::ReadInputs, Selector::ReadCurrent);
}

void BuildBrightness(quint8 n)
{
    strCommand = Cmd::command(Cmd::SetBrightness, n);
}
void BuildAutoOff(quint8 n)
{
    strCommand = Cmd::command(Cmd::SetAutoOff, n);
}
void BuildShowScreen(quint8 n)
{
    strCommand = Cmd::command(Cmd::ShowScreen, n);
}
void BuildGraphLeftToRight(quint8 n)
{
    strCommand = Cmd::command(Cmd::GraphLeftToRight, n);
}
void BuildGraphRightToLeft(quint8 n)
{
    strCommand = Cmd::command(Cmd::GraphRightToLeft, n);
}
void BuildDeleteRow(quint8 n)
{
    strCommand = Cmd::command(Cmd::DeleteRow, n);
}
void BuildDeleteColumn(quint8 n)
{
    strCommand = Cmd::command(Cmd::DeleteColumn, n);
}
void BuildOutputs(quint8 n)
{
    strCommand = Cmd::command(Cmd::SetOutputs, n);
}

void BuildCursorPosition(quint8 row, quint8 column)
{
    strCommand = Cmd::command(Cmd::SetCursorPosition, row).append(char(column));
}

} // namespace merrowfunc
